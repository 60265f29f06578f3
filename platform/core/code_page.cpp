#include "code_page.h"

#include <array>

namespace {

// 0x80-0x9F of Windows-1252; the unassigned 0x81, 0x8D, 0x8F, 0x90, 0x9D keep
// their C1 value so that they survive a round trip.
constexpr std::array<wchar_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool SupportedCodePage(UINT codePage) { return codePage == CP_ACP || codePage == CP_1252; }

int SourceLength(const char* s, int length) {
    if (length >= 0) return length;
    int n = 0;
    while (s[n] != '\0') ++n;
    return n + 1;  // with the terminator
}

int SourceLength(const wchar_t* s, int length) {
    if (length >= 0) return length;
    int n = 0;
    while (s[n] != L'\0') ++n;
    return n + 1;
}

}  // namespace

wchar_t CodePageToWide(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
    return static_cast<wchar_t>(byte);
}

int WideToCodePage(wchar_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<int>(ch);
    for (size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == ch) return static_cast<int>(0x80 + i);
    return -1;
}

std::wstring NarrowToWide(std::string_view narrow) {
    std::wstring wide;
    wide.reserve(narrow.size());
    for (char c : narrow) wide += CodePageToWide(static_cast<unsigned char>(c));
    return wide;
}

std::string WideToNarrow(std::wstring_view wide) {
    std::string narrow;
    narrow.reserve(wide.size());
    for (wchar_t ch : wide) {
        const int byte = WideToCodePage(ch);
        narrow += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return narrow;
}

int MultiByteToWideChar(UINT codePage, DWORD, const char* source, int sourceLength, wchar_t* destination,
                        int destinationSize) {
    if (!SupportedCodePage(codePage) || source == nullptr || destinationSize < 0) return 0;
    const int length = SourceLength(source, sourceLength);
    if (destinationSize == 0) return length;
    if (destination == nullptr || destinationSize < length) return 0;
    for (int i = 0; i < length; ++i) destination[i] = CodePageToWide(static_cast<unsigned char>(source[i]));
    return length;
}

int WideCharToMultiByte(UINT codePage, DWORD, const wchar_t* source, int sourceLength, char* destination,
                        int destinationSize, const char* defaultChar, BOOL* usedDefaultChar) {
    if (usedDefaultChar) *usedDefaultChar = FALSE;
    if (!SupportedCodePage(codePage) || source == nullptr || destinationSize < 0) return 0;
    const int length = SourceLength(source, sourceLength);
    if (destinationSize == 0) return length;
    if (destination == nullptr || destinationSize < length) return 0;
    const char fallback = defaultChar ? *defaultChar : '?';
    for (int i = 0; i < length; ++i) {
        const int byte = WideToCodePage(source[i]);
        if (byte < 0 && usedDefaultChar) *usedDefaultChar = TRUE;
        destination[i] = byte < 0 ? fallback : static_cast<char>(byte);
    }
    return length;
}

std::wstring Utf8ToWide(std::string_view utf8) {
    std::wstring wide;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || i + extra >= utf8.size() + (extra == 0 ? 1 : 0)) {
            wide += static_cast<wchar_t>(0xFFFD);  // a broken sequence
            ++i;
            continue;
        }
        unsigned long code = extra == 0 ? lead : lead & (0x3F >> extra);
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(utf8[i + k]);
            if ((c & 0xC0) != 0x80) valid = false;
            code = (code << 6) | (c & 0x3F);
        }
        if (!valid) {
            wide += static_cast<wchar_t>(0xFFFD);
            ++i;
            continue;
        }
        wide += static_cast<wchar_t>(code);
        i += static_cast<size_t>(extra) + 1;
    }
    return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
    std::string out;
    for (wchar_t ch : wide) {
        const auto c = static_cast<unsigned long>(ch);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | ((c >> 18) & 0x07));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}
