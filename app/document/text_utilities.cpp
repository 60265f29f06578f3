#include "text_utilities.h"

#include <cwctype>

#include "code_page.h"

UINT DocumentCodePage()
{
    return CP_ACP;
}

bool ToCString(CString& out, const char* text, bool trim)
{
    if (!text)
        return false;
    if (!*text) {
        out = L"";
        return true;
    }
    const int size = MultiByteToWideChar(DocumentCodePage(), 0, text, -1, nullptr, 0);
    if (size <= 0)
        return false;
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    if (MultiByteToWideChar(DocumentCodePage(), 0, text, -1, wide.data(), size) <= 0)
        return false;
    wide.resize(static_cast<std::size_t>(size - 1));  // the terminator
    if (trim) {
        const auto blank = [](wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; };
        std::size_t first = 0, last = wide.size();
        while (first < last && blank(wide[first]))
            ++first;
        while (last > first && blank(wide[last - 1]))
            --last;
        wide = wide.substr(first, last - first);
    }
    out = wide.c_str();
    return true;
}

std::wstring XmlEscapeWide(const std::wstring& text)
{
    std::wstring escaped;
    for (const wchar_t c : text) {
        switch (c) {
        case L'&': escaped += L"&amp;"; break;
        case L'<': escaped += L"&lt;"; break;
        case L'>': escaped += L"&gt;"; break;
        case L'\'': escaped += L"&apos;"; break;
        case L'"': escaped += L"&apos;&apos;"; break;
        default: escaped += c; break;
        }
    }
    return escaped;
}

void XmlEscape(std::string& text)
{
    CString wide;
    if (!ToCString(wide, text.c_str(), true))
        return;
    text = WideToNarrow(XmlEscapeWide(wide.GetString()));
}
