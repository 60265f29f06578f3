#include "profile.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <vector>

#include "code_page.h"
#include "file_system.h"
#include "paths.h"

namespace {

struct Entry {
    CString name;
    CString value;
};

struct Section {
    CString name;
    std::vector<Entry> entries;
};

struct Store {
    std::mutex mutex;
    bool loaded = false;
    std::vector<Section> sections;
};

Store& TheStore() {
    static Store store;
    return store;
}

std::string FilePath() { return PlatformPaths::ConfigDirectory() + "/pelk.ini"; }

// Line breaks and the escape itself are written as %0A, %0D, %25.
std::string Escape(const CString& text) {
    std::string out;
    for (char c : WideToUtf8(text.str())) {
        if (c == '%') out += "%25";
        else if (c == '\n') out += "%0A";
        else if (c == '\r') out += "%0D";
        else out += c;
    }
    return out;
}

CString Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const std::string code = text.substr(i + 1, 2);
            if (code == "25" || code == "0A" || code == "0D") {
                out += code == "25" ? '%' : code == "0A" ? '\n' : '\r';
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return CString(Utf8ToWide(out));
}

void Load(Store& store) {
    store.sections.clear();
    store.loaded = true;
    std::ifstream in(FilePath());
    std::string line;
    Section* current = nullptr;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            store.sections.push_back(Section{Unescape(line.substr(1, line.size() - 2)), {}});
            current = &store.sections.back();
            continue;
        }
        const size_t equals = line.find('=');
        if (current == nullptr || equals == std::string::npos) continue;
        current->entries.push_back(Entry{Unescape(line.substr(0, equals)), Unescape(line.substr(equals + 1))});
    }
}

// Written to a temporary file first, so a failed write loses nothing.
BOOL Save(const Store& store) {
    std::error_code error;
    std::filesystem::create_directories(PlatformPaths::ConfigDirectory(), error);
    const std::string path = FilePath();
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        for (const Section& section : store.sections) {
            out << '[' << Escape(section.name) << "]\n";
            for (const Entry& entry : section.entries) out << Escape(entry.name) << '=' << Escape(entry.value) << '\n';
            out << '\n';
        }
        out.flush();
        if (!out) {
            std::filesystem::remove(temporary, error);
            return FALSE;
        }
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0 ? TRUE : FALSE;
}

Section* FindSection(Store& store, const CString& name) {
    for (Section& section : store.sections)
        if (section.name.CompareNoCase(name) == 0) return &section;
    return nullptr;
}

Entry* FindEntry(Section* section, const CString& name) {
    if (section == nullptr) return nullptr;
    for (Entry& entry : section->entries)
        if (entry.name.CompareNoCase(name) == 0) return &entry;
    return nullptr;
}

Store& Loaded() {
    Store& store = TheStore();
    if (!store.loaded) Load(store);
    return store;
}

}  // namespace

ProfileStore& ProfileStore::Instance() {
    static ProfileStore instance;
    return instance;
}

std::optional<CString> ProfileStore::Get(const CString& section, const CString& name) {
    std::lock_guard lock(TheStore().mutex);
    Store& store = Loaded();
    const Entry* entry = FindEntry(FindSection(store, section), name);
    if (entry == nullptr) return std::nullopt;
    return entry->value;
}

BOOL ProfileStore::Set(const CString& section, const CString& name, const CString& value) {
    std::lock_guard lock(TheStore().mutex);
    Store& store = Loaded();
    Section* target = FindSection(store, section);
    if (target == nullptr) {
        store.sections.push_back(Section{section, {}});
        target = &store.sections.back();
    }
    if (Entry* entry = FindEntry(target, name)) entry->value = value;
    else target->entries.push_back(Entry{name, value});
    return Save(store);
}

BOOL ProfileStore::Remove(const CString& section, const CString& name) {
    std::lock_guard lock(TheStore().mutex);
    Store& store = Loaded();
    Section* target = FindSection(store, section);
    if (FindEntry(target, name) == nullptr) return TRUE;
    std::erase_if(target->entries, [&](const Entry& e) { return e.name.CompareNoCase(name) == 0; });
    return Save(store);
}

bool ProfileStore::HasSection(const CString& section) {
    std::lock_guard lock(TheStore().mutex);
    return FindSection(Loaded(), section) != nullptr;
}

void ProfileStore::Reload() {
    std::lock_guard lock(TheStore().mutex);
    Load(TheStore());
}

struct RegistryKey {
    CString path;
};

namespace {

CString KeyPath(HKEY root, LPCTSTR subKey) {
    CString path;
    if (root == HKEY_CURRENT_USER) path = L"HKCU";
    else if (root == HKEY_LOCAL_MACHINE) path = L"HKLM";
    else path = root->path;
    CString sub(subKey ? subKey : L"");
    sub.TrimLeft(L'\\');
    sub.TrimRight(L'\\');
    if (!sub.IsEmpty()) path += CString(L"\\") + sub;
    return path;
}

bool ValidRoot(HKEY root) { return root != nullptr; }

}  // namespace

LONG RegOpenKeyEx(HKEY root, LPCTSTR subKey, DWORD, DWORD, HKEY* result) {
    if (!ValidRoot(root) || result == nullptr) return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    const CString path = KeyPath(root, subKey);
    if (!ProfileStore::Instance().HasSection(path)) return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    *result = new RegistryKey{path};
    return static_cast<LONG>(ERROR_SUCCESS);
}

LONG RegCreateKeyEx(HKEY root, LPCTSTR subKey, DWORD, LPTSTR, DWORD, DWORD, LPVOID, HKEY* result,
                    DWORD* disposition) {
    if (!ValidRoot(root) || result == nullptr) return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    const CString path = KeyPath(root, subKey);
    if (disposition) *disposition = ProfileStore::Instance().HasSection(path) ? 2 : 1;
    *result = new RegistryKey{path};
    return static_cast<LONG>(ERROR_SUCCESS);
}

LONG RegQueryValueEx(HKEY key, LPCTSTR name, DWORD*, DWORD* type, BYTE* data, DWORD* size) {
    if (key == nullptr || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE)
        return static_cast<LONG>(ERROR_INVALID_HANDLE);
    const auto value = ProfileStore::Instance().Get(key->path, name ? name : L"");
    if (!value) return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    if (value->Left(6) == L"dword:") {
        DWORD number = 0;
        const CString digits = value->Mid(6);
        for (wchar_t c : digits.str()) {
            const int digit = c >= L'0' && c <= L'9' ? c - L'0' : c >= L'a' && c <= L'f' ? c - L'a' + 10
                            : c >= L'A' && c <= L'F' ? c - L'A' + 10 : -1;
            if (digit < 0) return static_cast<LONG>(ERROR_INVALID_PARAMETER);  // a damaged entry
            number = number * 16 + static_cast<DWORD>(digit);
        }
        if (type) *type = REG_DWORD;
        if (size == nullptr) return data ? static_cast<LONG>(ERROR_INVALID_PARAMETER) : static_cast<LONG>(ERROR_SUCCESS);
        const DWORD available = *size;
        *size = sizeof(DWORD);
        if (data == nullptr) return static_cast<LONG>(ERROR_SUCCESS);
        if (available < sizeof(DWORD)) return static_cast<LONG>(ERROR_MORE_DATA);
        std::memcpy(data, &number, sizeof number);
        return static_cast<LONG>(ERROR_SUCCESS);
    }
    if (type) *type = REG_SZ;
    const DWORD needed = static_cast<DWORD>((value->GetLength() + 1) * sizeof(wchar_t));
    if (size == nullptr) return data ? static_cast<LONG>(ERROR_INVALID_PARAMETER) : static_cast<LONG>(ERROR_SUCCESS);
    const DWORD available = *size;
    *size = needed;
    if (data == nullptr) return static_cast<LONG>(ERROR_SUCCESS);
    if (available < needed) return static_cast<LONG>(ERROR_MORE_DATA);
    std::memcpy(data, value->GetString(), needed);
    return static_cast<LONG>(ERROR_SUCCESS);
}

LONG RegSetValueEx(HKEY key, LPCTSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
    if (key == nullptr || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE || data == nullptr)
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    CString text;
    if (type == REG_DWORD) {
        if (size < sizeof(DWORD)) return static_cast<LONG>(ERROR_INVALID_PARAMETER);
        DWORD number = 0;
        std::memcpy(&number, data, sizeof number);
        text = FormatWide(L"dword:%08x", number);
    } else if (type == REG_SZ) {
        std::wstring value(size / sizeof(wchar_t), L'\0');
        std::memcpy(value.data(), data, value.size() * sizeof(wchar_t));
        value.resize(std::wcslen(value.c_str()));
        text = value;
    } else {
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    }
    return ProfileStore::Instance().Set(key->path, name ? name : L"", text) ? static_cast<LONG>(ERROR_SUCCESS)
                                                                             : static_cast<LONG>(ERROR_WRITE_FAULT);
}

LONG RegCloseKey(HKEY key) {
    if (key == nullptr || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE)
        return static_cast<LONG>(ERROR_INVALID_HANDLE);
    delete key;
    return static_cast<LONG>(ERROR_SUCCESS);
}
