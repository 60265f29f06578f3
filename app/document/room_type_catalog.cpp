#include "room_type_catalog.h"

#include <memory>

#include "exchange_settings.h"
#include "text_utilities.h"
#include "xml_element.h"
#include "zup_floor.h"

namespace {

std::unique_ptr<CRoomTypeCatalog> gCatalog;
std::vector<CString> gLevels;

CString Widen(const char* text) {
    CString wide;
    ToCString(wide, text, false);
    return wide;
}

void LoadLevels(CXMLElement* root) {
    int count = root ? root->CountChildren("QXR_LEVEL") : 0;
    if (count == 0) {
        gLevels.push_back(Widen(GetExchangeSettings().defaultLevel.c_str()));
        return;
    }
    for (int k = 1; k <= count; ++k)
        if (CXMLElement* level = root->GetChild("QXR_LEVEL", k)) gLevels.push_back(Widen(level->GetText()));
}

}  // namespace

CRoomTypeCatalog* CRoomTypeCatalog::Instance(bool create) {
    if (!gCatalog && create) gCatalog = std::make_unique<CRoomTypeCatalog>();
    return gCatalog.get();
}

void CRoomTypeCatalog::Load(CXMLElement* root) {
    if (m_types.empty()) LoadTypes(root);
    m_cursor = m_types.begin();
    if (gLevels.empty()) LoadLevels(root);
}

void CRoomTypeCatalog::LoadTypes(CXMLElement* root) {
    int count = root ? root->CountChildren("QXR_ROOM_CATEGORY") : 0;
    if (count == 0) {
        const std::string& name = GetExchangeSettings().defaultRoom;
        m_types.emplace(name, CRoomType::MakeFallback(name));
        return;
    }
    for (int k = 1; k <= count; ++k) {
        CRoomType type(root->GetChild("QXR_ROOM_CATEGORY", k));
        // A category without a name could never be found or numbered.
        if (type.m_name.empty()) continue;
        m_types.emplace(type.m_name, std::move(type));
    }
}

CRoomType* CRoomTypeCatalog::First() {
    m_cursor = m_types.begin();
    return m_cursor == m_types.end() ? nullptr : &m_cursor->second;
}

CRoomType* CRoomTypeCatalog::Next() {
    if (m_cursor != m_types.end()) ++m_cursor;
    return m_cursor == m_types.end() ? nullptr : &m_cursor->second;
}

CRoomType* CRoomTypeCatalog::Find(const char* name, bool fallback) {
    if (!name) return fallback ? GetByIndex(0, false) : nullptr;
    std::string trimmed = TrimRoomName(name);
    CRoomType* found = FindByName(trimmed);
    // A type kept out of the lists is taken only for a name with a blank; a
    // one-word name may still be a two-word type written together.
    if (found && (found->m_selectable || trimmed.find(' ') != std::string::npos)) return found;
    if (CRoomType* joined = FindWithoutBlank(trimmed)) return joined;
    return fallback ? DefaultType() : nullptr;
}

CRoomType* CRoomTypeCatalog::FindByName(const std::string& name) {
    for (auto& [key, type] : m_types)
        if (type.m_name == name || (type.HasShortName() && type.m_shortName == name)) return &type;
    return nullptr;
}

CRoomType* CRoomTypeCatalog::FindWithoutBlank(const std::string& name) {
    for (auto& [key, type] : m_types) {
        size_t blank = type.m_name.find(' ');
        if (blank == std::string::npos) continue;
        std::string joined = type.m_name;
        joined.erase(blank, 1);
        if (joined == name) return &type;
    }
    return nullptr;
}

CRoomType* CRoomTypeCatalog::FindForFloor(const ZupFloor* floor) {
    return Find(floor ? floor->GetName() : nullptr, true);
}

bool CRoomTypeCatalog::IsBath(const char* name) {
    const CRoomType* type = Find(TrimRoomName(name).c_str(), true);
    return type && type->m_bath;
}

CRoomType* CRoomTypeCatalog::GetByIndex(int index, bool all) {
    int counted = 0;
    for (auto& [key, type] : m_types) {
        if (!all && !type.m_shortList) continue;
        if (!type.m_selectable) continue;
        if (counted == index) return &type;
        ++counted;
    }
    return DefaultType();
}

void CRoomTypeCatalog::ResetCounters() {
    for (auto& [key, type] : m_types) type.m_nameCounter = 0;
}

CRoomType* CRoomTypeCatalog::DefaultType() {
    auto it = m_types.find(GetExchangeSettings().defaultRoom);
    if (it != m_types.end()) return &it->second;
    return m_types.empty() ? nullptr : &m_types.begin()->second;
}

std::vector<CString>& LevelList() { return gLevels; }

int LevelIndex(const CString& level) {
    for (size_t i = 0; i < gLevels.size(); ++i)
        if (gLevels[i].CompareNoCase(level) == 0) return static_cast<int>(i);
    return 0;
}

void ResetRoomTypeCatalog() {
    gCatalog.reset();
    gLevels.clear();
}
