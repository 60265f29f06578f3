// A room's names: the XML tag form of its name, the lettered names of its
// openings, its label and room type, the level-below flag, and the walls
// filled with full-wall openings or windows.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "distances.h"
#include "kor_dimension.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "room_floor.h"
#include "room_type_catalog.h"
#include "zup_edge.h"
#include "zup_opening.h"
#include "zup_window.h"

namespace {

bool StartsWithSame(const std::string& a, const std::string& b, std::size_t n)
{
    return a.size() >= n && b.size() >= n && a.compare(0, n, b, 0, n) == 0;
}

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// The text is the name with one blank put in somewhere.
bool IsNameWithOneBlank(const std::string& text, const std::string& name)
{
    for (std::size_t n = text.find(' '); n != std::string::npos; n = text.find(' ', n + 1)) {
        if (StartsWithSame(text, name, n) && text.compare(n + 1, std::string::npos, name, n,
                                                          std::string::npos) == 0)
            return true;
    }
    return false;
}

}  // namespace

std::string CRoomFloor::TagForm(const std::string& name, bool digitGuard)
{
    // Characters that end a tag or split the path list, separate a file's
    // folders or are refused in its name, end or split an opening's
    // statement, or end an attribute value or a journal snapshot.
    static const char kSubstituted[] = "/\\;=(),#:*?\"<>|";
    std::string tag;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (c == ' ')
            continue;
        tag += u < ' ' || u == 0x7F || std::strchr(kSubstituted, c) ? '_' : c;
    }
    if (digitGuard && !tag.empty() && std::isdigit(static_cast<unsigned char>(tag[0])))
        tag[0] = '_';
    return tag;
}

std::string CRoomFloor::GetTagName(bool digitGuard) const
{
    return TagForm(GetName() ? GetName() : "", digitGuard);
}

std::string CRoomFloor::GetLetteredName() const
{
    return GetTagName(false) + static_cast<char>('A' + mNextOpeningLetter);
}

bool CRoomFloor::AddOpening(ZupOpening* opening)
{
    if (!ZupFloor::AddOpening(opening))
        return false;
    const std::string name = opening->GetName();
    if (GetName() && !name.empty()) {
        const std::size_t stem = name.size() - 1;
        if (StartsWithSame(GetTagName(false), name, stem))
            mNextOpeningLetter = std::max(name.back() - 'A', mNextOpeningLetter) + 1;
    }
    return true;
}

bool CRoomFloor::RemoveOpening(ZupOpening* opening)
{
    const std::string name = opening ? opening->GetName() : std::string();
    const int letter = opening ? opening->GetNameIndex() : -1;
    if (!ZupFloor::RemoveOpening(opening))
        return false;
    if (GetName() && !name.empty()) {
        const std::size_t stem = name.size() - 1;
        if (StartsWithSame(GetTagName(false), name, stem) && letter == mNextOpeningLetter - 1)
            --mNextOpeningLetter;
    }
    return true;
}

void CRoomFloor::SetName(const char* name)
{
    const std::string text = name ? name : "";
    const char* current = GetName();
    if (current && text == current)
        return;
    if (current) {
        mLabel = IsNameWithOneBlank(text, current) ? Trimmed(text) : text;
        return;
    }
    ZupFloor::SetName(text.c_str());
    mLabel = text;
}

void CRoomFloor::TakeDefaultName(const std::set<std::string>& taken)
{
    if (GetName() && *GetName())
        return;
    CRoomTypeCatalog* catalog = CRoomTypeCatalog::Instance(true);
    // An index out of the list gives the default type.
    CRoomType* type = catalog ? catalog->GetByIndex(-1, false) : nullptr;
    std::string name;
    // The counter stops at its end; a name it cannot move past is left.
    for (int tries = 0; type && tries < 1000 && (name.empty() || taken.count(name)); ++tries)
        name = type->GetNextName();
    for (int n = 1; name.empty() || taken.count(name); ++n)
        name = "Room" + std::to_string(n);
    ZupFloor::SetName(name.c_str());
}

void CRoomFloor::TakeTypedName()
{
    const char* name = GetName();
    if (!name || mLabel.empty())
        return;
    if (mLabel != name) {
        // Files of earlier versions wrote the tag form without substitutes.
        std::string compact = mLabel;
        compact.erase(std::remove(compact.begin(), compact.end(), ' '), compact.end());
        if (compact == name || TagForm(mLabel, false) == name)
            ZupFloor::SetName(mLabel.c_str());
        else
            TakeTypeNameOfTag();
    }
    if (mLabel == GetName())
        mLabel.clear();
}

void CRoomFloor::TakeTypeNameOfTag()
{
    // "LivingRoom1": the tag form, blanks dropped, of a two-word type's room.
    const std::string name = GetName();
    if (name.find(' ') != std::string::npos)
        return;
    std::size_t digits = name.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1])))
        --digits;
    const std::string stem = name.substr(0, digits);
    CRoomTypeCatalog* catalog = CRoomTypeCatalog::Instance(false);
    const CRoomType* type = catalog && !stem.empty() ? catalog->Find(stem.c_str(), false) : nullptr;
    if (type && type->m_name.find(' ') != std::string::npos && TagForm(type->m_name, false) == stem)
        ZupFloor::SetName((type->m_name + name.substr(digits)).c_str());
}

void CRoomFloor::SetBelow(bool below)
{
    mbBelow = below;
    ZupFloor::SetIntersectControl(!below);
}

// ---- Label, room type and numbering ----

void CRoomFloor::SetLabel(const CString& label)
{
    if (label.IsEmpty()) {
        mLabel.clear();
        return;
    }
    const std::string text = label.ToNarrow();
    const char* name = GetName();
    if (name && text == name)
        return;
    mLabel = text;
}

void CRoomFloor::SetRoomType(int index, bool longList)
{
    CRoomTypeCatalog* catalog = CRoomTypeCatalog::Instance(true);
    CRoomType* type = catalog ? catalog->GetByIndex(index, longList) : nullptr;
    if (!type)
        return;
    const bool sameType = GetName() && catalog->FindForFloor(this) == type;
    if (!sameType)
        ZupFloor::SetName(type->GetNextName().c_str());
    if (type->m_defaultDepth > 0)
        ResizeTo(type->m_defaultWidth, type->m_defaultDepth);
}

namespace {

// The opening is named after the room: the stem followed by one letter.
bool IsLetteredAfter(const std::string& opening, const std::string& stem)
{
    return !stem.empty() && opening.size() == stem.size() + 1 &&
           opening.compare(0, stem.size(), stem) == 0;
}

}  // namespace

bool CRoomFloor::RenumberRoom(OpeningRenames& renames)
{
    CRoomTypeCatalog* catalog = CRoomTypeCatalog::Instance(true);
    CRoomType* type = catalog ? catalog->FindForFloor(this) : nullptr;
    if (!type)
        return false;
    const std::string oldName = GetName() ? GetName() : "";
    const std::string newName = type->GetNextName();
    // Openings carry the name's tag form (a blank is no part of an opening
    // name), so both forms of the old name are recognised.
    const std::string oldTag = TagForm(oldName, false);
    const std::string newTag = TagForm(newName, false);
    std::vector<ZupOpening*> lettered;
    for (ZupOpening* opening = Get1stOpening(); opening; opening = GetNextOpening()) {
        if (opening == GetEntrance())
            continue;
        const std::string name = opening->GetName();
        if (IsLetteredAfter(name, oldName) || IsLetteredAfter(name, oldTag))
            lettered.push_back(opening);
    }
    for (ZupOpening* opening : lettered) {
        const std::string oldOpening = opening->GetName();
        const std::string newOpening = newTag + oldOpening.back();
        if (RenameOpening(opening, newOpening.c_str()))
            renames[oldOpening] = newOpening;
    }
    ZupFloor::SetName(newName.c_str());
    return true;
}

void CRoomFloor::ApplyOpeningRenames(const OpeningRenames& renames)
{
    // Every renamed opening first takes a name of its own, so that a rename
    // onto a name another rename frees (or a swap) cannot be refused.
    std::vector<std::pair<ZupOpening*, std::string>> moves;
    for (ZupOpening* opening = Get1stOpening(); opening; opening = GetNextOpening()) {
        auto found = renames.find(opening->GetName());
        if (found != renames.end() && found->second != found->first)
            moves.emplace_back(opening, found->first);
    }
    int serial = 0;
    for (auto& [opening, original] : moves) {
        std::string parked;
        do
            parked = "~rename" + std::to_string(++serial);
        while (GetOpening(parked.c_str()));
        RenameOpening(opening, parked.c_str());
    }
    for (auto& [opening, original] : moves) {
        const std::string& target = renames.at(original);
        // A target held by an opening outside the renames keeps the old name.
        if (!RenameOpening(opening, target.c_str()))
            RenameOpening(opening, original.c_str());
    }
}

// ---- Full-wall objects ----

void CRoomFloor::FillWalls(int kind)
{
    KorPrimitive* entranceWall = GetPrimitive(mWallCursor);
    // The objects made here are primitives too: only the walls there were.
    const std::vector<KorPrimitive*> primitives = GetPrimitives();
    for (KorPrimitive* primitive : primitives) {
        if (primitive == entranceWall || dynamic_cast<ZupWallObject*>(primitive))
            continue;
        ZupEdge* wall = CastToEdge(primitive);
        if (!wall || wall->GetNumOfObjects() > 0)
            continue;
        if (!CreateFullWallObject(kind, wall->GetGeoCenter(), wall->GetStart(), wall->GetEnd()))
            continue;
        if (KorDimension* length = wall->ModifyLengthDim(-1.0f))
            length->SetValue(0.0, KOR_DIM_EQUAL, true);
    }
}

ZupWallObject* CRoomFloor::CreateFullWallObject(int kind, const point& at, KorNode* start,
                                                KorNode* end)
{
    if (!start || !end)
        return nullptr;
    ZupWallObject* object = nullptr;
    if (kind == 1 || kind == 2) {
        object = CreateOpening(GetLetteredName().c_str(), kind == 1 ? 6 : 0, at.x(), at.y());
    } else if (kind == 3) {
        ZupWindow* window = CreateWallWindow(at.x(), at.y());
        if (window) {
            const double span = GeoDistance(start->GetPoint(), end->GetPoint());
            window->SetDepth(static_cast<int>(span / ZupWindow::GetStraightPaneWidth(true)));
        }
        object = window;
    }
    if (!object)
        return nullptr;
    KorNNDistance* width = object->CreateWidthDimension();
    if (!width)
        return object;
    KorDimension* wallLength = GetDimension(start, end, false);
    if (wallLength && wallLength->IsEnabled())
        width->SetValue(wallLength->GetValue(), KOR_DIM_EQUAL, true);
    const point& from = start->GetPoint();
    const point& to = end->GetPoint();
    if (KorNode* own = object->GetStart())
        own->SetPosition(from.x(), from.y(), false, false);
    if (KorNode* own = object->GetEnd())
        own->SetPosition(to.x(), to.y(), false, false);
    if (KorNNDistance* position = object->CreatePosDimension(start, -1.0f))
        position->SetValue(0.0, KOR_DIM_EQUAL, true);
    return object;
}
