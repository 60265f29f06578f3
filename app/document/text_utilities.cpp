#include "text_utilities.h"

#include <cstring>
#include <cwctype>
#include <string_view>

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
        case L'"': escaped += L"&quot;"; break;
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

namespace {

// The references of a room's name text, after the file's own entities.
const struct {
    char character;
    const char* reference;
} kNameReferences[] = {{'"', "&quot;"}, {'#', "&num;"}, {'\n', "&lf;"}, {'\r', "&cr;"},
                       {'&', "&amp;"}};

// The reference that begins at `at`, or null.
const char* NameReferenceAt(const std::string& text, std::size_t at)
{
    for (const auto& entry : kNameReferences)
        if (text.compare(at, std::strlen(entry.reference), entry.reference) == 0)
            return entry.reference;
    return nullptr;
}

std::string EscapeNarrowAttribute(const std::string& text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '\'': escaped += "&apos;"; break;
        default: escaped += c; break;
        }
    }
    return escaped;
}

}  // namespace

std::string EncodeNameText(const std::string& text)
{
    std::string referenced;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // An '&' stays as typed unless it would read as one of the references.
        const char* reference = nullptr;
        for (const auto& entry : kNameReferences)
            if (entry.character == c && (c != '&' || NameReferenceAt(text, i)))
                reference = entry.reference;
        referenced += reference ? std::string(reference) : std::string(1, c);
    }
    return EscapeNarrowAttribute(referenced);
}

std::string DecodeNameText(const std::string& text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size();) {
        if (const char* reference = text[i] == '&' ? NameReferenceAt(text, i) : nullptr) {
            for (const auto& entry : kNameReferences)
                if (entry.reference == reference)
                    plain += entry.character;
            i += std::strlen(reference);
            continue;
        }
        plain += text[i++];
    }
    return plain;
}

std::wstring CharactersOutsideCodePage(const CString& text)
{
    std::wstring lost;
    for (const wchar_t c : std::wstring_view(text.GetString(), static_cast<std::size_t>(text.GetLength())))
        if (WideToCodePage(c) < 0 && lost.find(c) == std::wstring::npos)
            lost += c;
    return lost;
}
