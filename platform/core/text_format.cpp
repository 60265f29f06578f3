#include "text_format.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "code_page.h"

long long FormatArg::AsSigned() const {
    switch (m_kind) {
    case Kind::Signed: return m_signed;
    case Kind::Unsigned:
    case Kind::Pointer: return static_cast<long long>(m_unsigned);
    case Kind::Real:
        if (!std::isfinite(m_real)) return 0;
        if (m_real >= 9.2e18) return std::numeric_limits<long long>::max();
        if (m_real <= -9.2e18) return std::numeric_limits<long long>::min();
        return static_cast<long long>(m_real);
    default: throw std::invalid_argument("format: a text given for a number");
    }
}

unsigned long long FormatArg::AsUnsigned() const {
    if (m_kind == Kind::Signed) {
        const auto bits = static_cast<unsigned long long>(m_signed);
        if (m_size >= 8) return bits;
        return bits & ((1ULL << (m_size * 8)) - 1);
    }
    if (m_kind == Kind::Unsigned || m_kind == Kind::Pointer) return m_unsigned;
    return static_cast<unsigned long long>(AsSigned());
}

double FormatArg::AsReal() const {
    switch (m_kind) {
    case Kind::Real: return m_real;
    case Kind::Signed: return static_cast<double>(m_signed);
    case Kind::Unsigned: return static_cast<double>(m_unsigned);
    default: throw std::invalid_argument("format: a text given for a floating-point number");
    }
}

namespace {

struct Directive {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool zero = false;
    bool alternate = false;
    int width = 0;
    int precision = -1;
    char conversion = 0;
};

// Output is assembled as wide text and narrowed at the end for narrow formats.
class Formatter {
public:
    explicit Formatter(std::span<const FormatArg> args) : m_args(args) {}

    template <typename CharT>
    std::wstring Run(std::basic_string_view<CharT> format) {
        size_t i = 0;
        while (i < format.size()) {
            const auto c = static_cast<wchar_t>(format[i]);
            if (c != L'%') {
                m_out += Widen(format[i]);
                ++i;
                continue;
            }
            i = ParseDirective(format, i + 1);
        }
        return m_out;
    }

private:
    static wchar_t Widen(char c) { return CodePageToWide(static_cast<unsigned char>(c)); }
    static wchar_t Widen(wchar_t c) { return c; }

    const FormatArg& Next() {
        if (m_next >= m_args.size()) throw std::invalid_argument("format: too few arguments");
        return m_args[m_next++];
    }

    int NextInt() {
        const FormatArg& a = Next();
        return static_cast<int>(a.AsSigned());
    }

    template <typename CharT>
    size_t ParseDirective(std::basic_string_view<CharT> f, size_t i) {
        Directive directive;
        for (; i < f.size(); ++i) {
            const auto c = static_cast<wchar_t>(f[i]);
            if (c == L'-') directive.left = true;
            else if (c == L'+') directive.plus = true;
            else if (c == L' ') directive.space = true;
            else if (c == L'0') directive.zero = true;
            else if (c == L'#') directive.alternate = true;
            else break;
        }
        if (i < f.size() && f[i] == '*') {
            directive.width = NextInt();
            if (directive.width < 0) { directive.left = true; directive.width = -directive.width; }
            ++i;
        } else {
            while (i < f.size() && f[i] >= '0' && f[i] <= '9') directive.width = directive.width * 10 + (f[i++] - '0');
        }
        if (i < f.size() && f[i] == '.') {
            ++i;
            directive.precision = 0;
            if (i < f.size() && f[i] == '*') {
                directive.precision = NextInt();
                if (directive.precision < 0) directive.precision = -1;
                ++i;
            } else {
                while (i < f.size() && f[i] >= '0' && f[i] <= '9')
                    directive.precision = directive.precision * 10 + (f[i++] - '0');
            }
        }
        i = SkipLength(f, i);
        if (i >= f.size()) throw std::invalid_argument("format: incomplete conversion at the end");
        directive.conversion = static_cast<char>(f[i]);
        Convert(directive);
        return i + 1;
    }

    template <typename CharT>
    static size_t SkipLength(std::basic_string_view<CharT> f, size_t i) {
        while (i < f.size()) {
            const auto c = f[i];
            if (c == 'h' || c == 'l' || c == 'L' || c == 'q' || c == 'z' || c == 'j' || c == 't' || c == 'w') {
                ++i;
            } else if (c == 'I') {
                ++i;
                if (i + 1 < f.size() && ((f[i] == '6' && f[i + 1] == '4') || (f[i] == '3' && f[i + 1] == '2')))
                    i += 2;
            } else {
                break;
            }
        }
        return i;
    }

    void Convert(const Directive& directive) {
        switch (directive.conversion) {
        case '%': m_out += L'%'; return;
        case 'd':
        case 'i': Signed(directive, Next().AsSigned()); return;
        case 'u': Unsigned(directive, Next().AsUnsigned(), 10, false, ""); return;
        case 'o': Unsigned(directive, Next().AsUnsigned(), 8, false, "0"); return;
        case 'x': Unsigned(directive, Next().AsUnsigned(), 16, false, "0x"); return;
        case 'X': Unsigned(directive, Next().AsUnsigned(), 16, true, "0X"); return;
        case 'p': {
            Directive hex = directive;
            hex.precision = 8;
            Unsigned(hex, Next().AsUnsigned(), 16, true, "");
            return;
        }
        case 'c': Character(directive, Next()); return;
        case 's':
        case 'S': Text(directive, Next()); return;
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G': Real(directive, Next().AsReal()); return;
        default:
            throw std::invalid_argument(std::string("format: unknown conversion '%") + directive.conversion + "'");
        }
    }

    void Pad(const Directive& directive, const std::wstring& prefix, const std::wstring& body, bool zeroAllowed) {
        const size_t length = prefix.size() + body.size();
        const size_t fill = directive.width > 0 && static_cast<size_t>(directive.width) > length ? directive.width - length : 0;
        if (directive.left) {
            m_out += prefix + body + std::wstring(fill, L' ');
        } else if (directive.zero && zeroAllowed) {
            m_out += prefix + std::wstring(fill, L'0') + body;
        } else {
            m_out += std::wstring(fill, L' ') + prefix + body;
        }
    }

    static std::wstring Digits(unsigned long long value, int base, bool upper) {
        char buffer[72];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, value, base);
        std::wstring digits;
        for (char* p = buffer; p != result.ptr; ++p)
            digits += static_cast<wchar_t>(upper ? std::toupper(static_cast<unsigned char>(*p)) : *p);
        return digits;
    }

    static std::wstring WithPrecision(std::wstring digits, int precision) {
        if (precision == 0 && digits == L"0") return L"";
        if (precision > 0 && digits.size() < static_cast<size_t>(precision))
            digits.insert(0, static_cast<size_t>(precision) - digits.size(), L'0');
        return digits;
    }

    void Signed(const Directive& directive, long long value) {
        const bool negative = value < 0;
        const unsigned long long magnitude =
            negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
        std::wstring sign = negative ? L"-" : directive.plus ? L"+" : directive.space ? L" " : L"";
        Pad(directive, sign, WithPrecision(Digits(magnitude, 10, false), directive.precision), directive.precision < 0);
    }

    void Unsigned(const Directive& directive, unsigned long long value, int base, bool upper, const char* alternatePrefix) {
        std::wstring prefix;
        if (directive.alternate && value != 0)
            for (const char* p = alternatePrefix; *p; ++p) prefix += static_cast<wchar_t>(*p);
        Pad(directive, prefix, WithPrecision(Digits(value, base, upper), directive.precision), directive.precision < 0);
    }

    void Character(const Directive& directive, const FormatArg& arg) {
        if (arg.kind() == FormatArg::Kind::Wide || arg.kind() == FormatArg::Kind::Narrow)
            throw std::invalid_argument("format: a text given for %c");
        const auto code = static_cast<unsigned long long>(arg.AsSigned());
        const wchar_t ch = code < 0x100 ? CodePageToWide(static_cast<unsigned char>(code)) : static_cast<wchar_t>(code);
        Pad(directive, L"", std::wstring(1, ch), false);
    }

    void Text(const Directive& directive, const FormatArg& arg) {
        std::wstring text;
        if (arg.kind() == FormatArg::Kind::Wide) text = std::wstring(arg.Wide());
        else if (arg.kind() == FormatArg::Kind::Narrow) text = NarrowToWide(arg.Narrow());
        else throw std::invalid_argument("format: a number given for %s");
        if (directive.precision >= 0 && text.size() > static_cast<size_t>(directive.precision)) text.resize(directive.precision);
        Pad(directive, L"", text, false);
    }

    void Real(const Directive& directive, double value) {
        const bool upper = directive.conversion == 'F' || directive.conversion == 'E' || directive.conversion == 'G';
        std::wstring sign = std::signbit(value) ? L"-" : directive.plus ? L"+" : directive.space ? L" " : L"";
        const double magnitude = std::fabs(value);
        std::wstring body;
        if (std::isnan(value)) body = upper ? L"NAN" : L"nan";
        else if (std::isinf(value)) body = upper ? L"INF" : L"inf";
        else body = Finite(directive, magnitude, upper);
        Pad(directive, sign, body, std::isfinite(value));
    }

    static std::wstring Finite(const Directive& directive, double magnitude, bool upper) {
        const int precision = directive.precision < 0 ? 6 : directive.precision;
        std::chars_format style = std::chars_format::fixed;
        if (directive.conversion == 'e' || directive.conversion == 'E') style = std::chars_format::scientific;
        if (directive.conversion == 'g' || directive.conversion == 'G') style = std::chars_format::general;
        const int digits = style == std::chars_format::general && precision == 0 ? 1 : precision;
        char buffer[400];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, style, digits);
        std::wstring body;
        for (char* p = buffer; p != result.ptr; ++p)
            body += static_cast<wchar_t>(upper ? std::toupper(static_cast<unsigned char>(*p)) : *p);
        if (directive.alternate && body.find(L'.') == std::wstring::npos && style == std::chars_format::fixed)
            body += L'.';
        return body;
    }

    std::span<const FormatArg> m_args;
    size_t m_next = 0;
    std::wstring m_out;
};

template <typename CharT>
size_t SkipBlanks(std::basic_string_view<CharT> t) {
    size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\n' || t[i] == '\r' || t[i] == '\v' || t[i] == '\f'))
        ++i;
    return i;
}

// Only ASCII can be part of a number, so both widths narrow the candidate
// characters and parse them with the locale-free conversions.
template <typename CharT>
std::string NumberCharacters(std::basic_string_view<CharT> t) {
    std::string s;
    for (size_t i = SkipBlanks(t); i < t.size(); ++i) {
        const auto c = static_cast<unsigned long>(t[i]);
        if (c >= 0x80) break;
        s += static_cast<char>(c);
    }
    return s;
}

int ParseIntText(const std::string& s) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    long long value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = value * 10 + (s[i] - '0');
        if (value > 1LL + std::numeric_limits<int>::max()) value = 1LL + std::numeric_limits<int>::max();
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

double ParseDoubleText(const std::string& s) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    double value = 0.0;
    auto result = std::from_chars(s.data() + i, s.data() + s.size(), value, std::chars_format::general);
    if (result.ec == std::errc::invalid_argument) return 0.0;
    // Out of range: from_chars leaves value untouched; saturate like strtod.
    if (result.ec == std::errc::result_out_of_range) {
        const bool tiny = s.find_first_of("eE", i) != std::string::npos && s.find('-', s.find_first_of("eE", i)) != std::string::npos;
        value = tiny ? 0.0 : HUGE_VAL;
    }
    return negative ? -value : value;
}

}  // namespace

std::wstring FormatWideArgs(std::wstring_view format, std::span<const FormatArg> args) {
    return Formatter(args).Run(format);
}

std::string FormatNarrowArgs(std::string_view format, std::span<const FormatArg> args) {
    return WideToNarrow(Formatter(args).Run(format));
}

int ParseInt(std::string_view text) { return ParseIntText(NumberCharacters(text)); }
double ParseDouble(std::string_view text) { return ParseDoubleText(NumberCharacters(text)); }
int ParseInt(std::wstring_view text) { return ParseIntText(NumberCharacters(text)); }
double ParseDouble(std::wstring_view text) { return ParseDoubleText(NumberCharacters(text)); }
