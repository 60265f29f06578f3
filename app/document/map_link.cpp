#include "map_link.h"

#include <cmath>
#include <cstring>
#include <string>

#include "floor_plan_text.h"
#include "kor_number_text.h"
#include "text_utilities.h"
#include "xml_element.h"

namespace {

bool Present(const char* value)
{
    return value && *value;
}

// A decimal as the C library reads it at the start of the text; 0 when
// there is none. Locale-independent.
double Decimal(const char* text)
{
    double value = 0.0;
    if (KorParseFinite(text, value))
        return value;
    // A number followed by other text: the longest prefix that reads (a
    // number is never longer than this).
    std::string prefix;
    for (const char* c = text; *c && prefix.size() < 64 && std::strchr("0123456789+-.eE", *c); ++c)
        prefix += *c;
    while (!prefix.empty() && !KorParseFinite(prefix.c_str(), value))
        prefix.pop_back();
    return prefix.empty() ? 0.0 : value;
}

int Integer(const char* text)
{
    const double value = Decimal(text);
    if (!(value > -2147483648.0 && value < 2147483648.0))
        return 0;
    return static_cast<int>(value);
}

}  // namespace

bool CMapLink::IsValid() const
{
    return std::fabs(m_latitude) > 0.0 && std::fabs(m_longitude) > 0.0;
}

void CMapLink::Reset()
{
    m_marker = false;
    m_longitude = m_latitude = 0.0;
    m_imageFile = L"";
}

void CMapLink::Write(CString& text) const
{
    text.AppendFormat(L"\n<MAP longitude=\"%f\" latitude=\"%f\" marker=\"%s\" zoom=\"%d\" version=\"%d\" google=\"%s\"",
                      m_longitude, m_latitude, m_marker ? L"YES" : L"NO", m_zoom, 2,
                      m_google ? L"YES" : L"NO");
    if (m_imageFile.GetLength() > 0)
        text.AppendFormat(L" image_file=\"%s\"", EscapeAttribute(m_imageFile).GetString());
    text += L"/>";
}

bool CMapLink::Read(CXMLElement* root)
{
    CXMLElement* map = root ? root->GetChild("MAP", 1) : nullptr;
    if (!map)
        return false;
    const char* latitude = map->GetAttribute("latitude");
    const char* longitude = map->GetAttribute("longitude");
    if (latitude && longitude) {
        m_latitude = Decimal(latitude);
        m_longitude = Decimal(longitude);
        const char* marker = map->GetAttribute("marker");
        if (Present(marker))
            m_marker = std::strcmp(marker, "YES") == 0;
    }
    if (!ToCString(m_imageFile, map->GetAttribute("image_file"), false))
        m_imageFile = L"";
    const char* version = map->GetAttribute("version");
    if (Present(version)) {
        m_version = Integer(version);
        if (m_version < 1)
            m_version = 2;
    }
    const char* zoom = map->GetAttribute("zoom");
    const int z = Present(zoom) ? Integer(zoom) : 0;
    if (z != 0) {
        if (m_version == 1)
            m_zoom = 17 - z;
        else if (m_version < 2 || z > 9)
            m_zoom = z;
        else
            m_zoom = 15;
    }
    const char* google = map->GetAttribute("google");
    const bool imageless = m_imageFile.GetLength() == 0;
    if (IsValid())
        m_google = (!google || std::strcmp(google, "NO") != 0) && imageless;
    else if (!imageless)
        m_google = false;
    return true;
}
