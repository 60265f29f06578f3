#include "room_type.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "exchange_settings.h"
#include "xml_element.h"
#include "zup_object.h"

namespace {

constexpr const char* kBathNames[] = {"Bathroom", "MasterBathroom", "05Bath", "MudRroom",
                                      "Powder",   "Badezimmer",     "Bad",    "Toilette"};
constexpr const char* kDeckNames[] = {"Deck", "Terrace", "Terrasse", "Spiel"};
// "Garage" in Russian, Windows-1251.
constexpr const char* kGarageRussian = "\xC3\xE0\xF0\xE0\xE6";

bool Equals(const char* value, const char* text) { return value && std::strcmp(value, text) == 0; }

template <size_t N>
bool IsOneOf(const std::string& name, const char* const (&names)[N]) {
    for (const char* candidate : names)
        if (name == candidate) return true;
    return false;
}

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal integer as the C library reads it; anything else is 0, values
// beyond the int range are held at its ends.
long long ReadInteger(const char* text) {
    if (!text) return 0;
    long long value = std::strtoll(text, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return value;
}

// Sizes are whole model units; absurd areas must not overflow the int.
int ToWholeUnits(double value) {
    if (!(value > 0.0)) return 0;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(value);
}

}  // namespace

CRoomType::CRoomType(CXMLElement* element) {
    const char* name = element ? element->GetAttribute("name") : nullptr;
    if (!name) return;
    m_name = name;
    ReadSize(element->GetAttribute("size"), element->GetAttribute("ratio"));
    if (const char* shortName = element->GetAttribute("shortname")) m_shortName = shortName;
    ReadDisplayFlags(element);
    ReadKindFlags(element);
}

CRoomType CRoomType::MakeFallback(const std::string& name) {
    CRoomType type;
    type.m_name = name;
    type.m_dropSize = false;
    return type;
}

void CRoomType::ReadSize(const char* size, const char* ratio) {
    long long units = ReadInteger(size);
    if (units <= 0) return;
    // Square feet or square metres, in square model units.
    long long area = units * (ZupObject::IsMetric() ? 10000LL : 144LL);
    double proportion = ratio ? std::atof(ratio) : 0.0;
    if (proportion > 0.0) {
        // Single precision on purpose: 120 sq ft at 1.2 must give 119 x 142.
        float width = std::sqrt(static_cast<float>(area) / static_cast<float>(proportion));
        m_defaultWidth = ToWholeUnits(width);
        m_defaultDepth = ToWholeUnits(m_defaultWidth * proportion);
    } else {
        m_defaultWidth = m_defaultDepth = ToWholeUnits(std::sqrt(static_cast<double>(area)));
    }
}

void CRoomType::ReadDisplayFlags(CXMLElement* element) {
    m_areaShown = !Equals(element->GetAttribute("area"), "NO");
    if (Equals(element->GetAttribute("showname"), "NO")) {
        // showsize is not read on this path: the size flag keeps its default.
        m_nameShown = false;
    } else {
        m_nameShown = true;
        m_sizeShown = !Equals(element->GetAttribute("showsize"), "NO");
    }
    m_transparent = Equals(element->GetAttribute("transparent"), "YES");
    m_inside = !Equals(element->GetAttribute("inside"), "NO");
    if (Equals(element->GetAttribute("shortlist"), "YES")) m_shortList = true;
    if (Equals(element->GetAttribute("dropsize"), "NO")) m_dropSize = false;
}

void CRoomType::ReadKindFlags(CXMLElement* element) {
    const char* bath = element->GetAttribute("bath");
    m_bath = bath ? Equals(bath, "YES") : IsOneOf(m_name, kBathNames);
    const char* deck = element->GetAttribute("deck");
    m_deck = deck ? Equals(deck, "YES") : IsOneOf(m_name, kDeckNames);
    if (Equals(element->GetAttribute("room"), "YES")) m_room = true;
    if (Equals(element->GetAttribute("selectable"), "NO")) m_selectable = false;
}

std::string CRoomType::GetNextName() {
    if (m_nameCounter < INT_MAX) ++m_nameCounter;
    return m_name + std::to_string(m_nameCounter);
}

int CRoomType::NoteName(const char* name) {
    if (!name) return m_nameCounter;
    size_t end = std::strlen(name);
    size_t first = end;
    while (first > 0 && IsDigit(name[first - 1])) --first;
    long long number = 0;
    for (size_t i = first; i < end && number < INT_MAX; ++i) number = number * 10 + (name[i] - '0');
    // A number too long for the counter is held just below its end, so the
    // next name still gets a number of its own.
    if (number >= INT_MAX) number = INT_MAX - 1;
    if (number > m_nameCounter) m_nameCounter = static_cast<int>(number);
    return m_nameCounter;
}

bool CRoomType::IsGarage() const { return m_name == "Garage" || m_name == kGarageRussian; }

std::string TrimRoomName(const char* name) {
    if (!name) return GetExchangeSettings().defaultRoom;
    const char* begin = name;
    while (*begin && IsBlank(*begin)) ++begin;
    const char* end = begin + std::strlen(begin);
    while (end > begin && IsDigit(end[-1])) --end;
    while (end > begin && IsBlank(end[-1])) --end;
    if (end == begin) return GetExchangeSettings().defaultRoom;
    return std::string(begin, end);
}
