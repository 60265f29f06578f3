#include "floor_plan_text.h"
#include "text_utilities.h"

#include <cstring>

bool FindRootElement(const char* text)
{
    return text && std::strstr(text, "<QUENDAR_FPL ") && std::strstr(text, "</QUENDAR_FPL>");
}

std::vector<std::string> SplitNameList(const char* text)
{
    std::vector<std::string> names;
    if (!text)
        return names;
    std::string piece;
    for (const char* c = text;; ++c) {
        const bool end = *c == '\0';
        if (end || std::strchr(",;\n\t", *c)) {
            if (!piece.empty() && piece[0] == '\r')
                break;
            // A list written with CR LF line ends keeps no CR in its names.
            if (!piece.empty() && piece.back() == '\r')
                piece.pop_back();
            if (!piece.empty())
                names.push_back(piece);
            piece.clear();
            if (end)
                break;
        } else {
            piece += *c;
        }
    }
    return names;
}

CString EscapeAttribute(const CString& text)
{
    return CString(XmlEscapeWide(text.GetString()).c_str());
}

std::string EscapeTagName(const std::string& tag)
{
    std::string escaped = tag;
    XmlEscape(escaped);
    // The reader takes a tag's first character as it stands, never as a
    // reference: one that would be written as a reference becomes "_".
    if (!escaped.empty() && escaped[0] == '&')
        escaped.replace(0, escaped.find(';') + 1, "_");
    return escaped;
}

bool IsGuardedTagStart(char c)
{
    return (c >= '0' && c <= '9') || c == '&' || c == '<' || c == '>' || c == '\'';
}
