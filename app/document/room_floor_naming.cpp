// A room's names: the XML tag form of its name, the lettered names of its
// openings, its label, and the level-below flag.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "room_floor.h"
#include "zup_opening.h"

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

std::string CRoomFloor::GetTagName(bool digitGuard) const
{
    std::string tag = GetName() ? GetName() : "";
    tag.erase(std::remove(tag.begin(), tag.end(), ' '), tag.end());
    if (digitGuard && !tag.empty() && std::isdigit(static_cast<unsigned char>(tag[0])))
        tag[0] = '_';
    return tag;
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
        const std::string floorName = GetName();
        const std::size_t stem = name.size() - 1;
        if (StartsWithSame(floorName, name, stem) && letter == mNextOpeningLetter - 1)
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

void CRoomFloor::SetBelow(bool below)
{
    mbBelow = below;
    ZupFloor::SetIntersectControl(!below);
}
