// printf-style formatting and number parsing that never consult the C locale:
// the program's files and texts must read the same under any user setting.
//
// Arguments are passed typed (a variadic template collects them), so strings
// of either width and the string class go straight into "%s"; a conversion
// that does not fit its argument, or a missing argument, throws
// std::invalid_argument naming the conversion.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

class CString;

class FormatArg {
public:
    enum class Kind { Signed, Unsigned, Real, Wide, Narrow, Pointer };

    template <typename T>
        requires(std::is_integral_v<T> && std::is_signed_v<T> && !std::is_same_v<T, bool>)
    FormatArg(T v) : m_kind(Kind::Signed), m_signed(v), m_size(sizeof(T)) {}
    template <typename T>
        requires(std::is_integral_v<T> && std::is_unsigned_v<T> && !std::is_same_v<T, bool>)
    FormatArg(T v) : m_kind(Kind::Unsigned), m_unsigned(v) {}
    FormatArg(bool v) : m_kind(Kind::Signed), m_signed(v ? 1 : 0) {}
    template <typename T>
        requires std::is_enum_v<T>
    FormatArg(T v) : FormatArg(static_cast<std::underlying_type_t<T>>(v)) {}
    FormatArg(float v) : m_kind(Kind::Real), m_real(v) {}
    FormatArg(double v) : m_kind(Kind::Real), m_real(v) {}
    FormatArg(const wchar_t* s) : m_kind(Kind::Wide), m_wide(s ? s : L"(null)") {}
    FormatArg(wchar_t* s) : FormatArg(static_cast<const wchar_t*>(s)) {}
    FormatArg(const char* s) : m_kind(Kind::Narrow), m_narrow(s ? s : "(null)") {}
    FormatArg(char* s) : FormatArg(static_cast<const char*>(s)) {}
    FormatArg(const std::wstring& s) : m_kind(Kind::Wide), m_wide(s) {}
    FormatArg(std::wstring_view s) : m_kind(Kind::Wide), m_wide(s) {}
    FormatArg(const std::string& s) : m_kind(Kind::Narrow), m_narrow(s) {}
    FormatArg(std::string_view s) : m_kind(Kind::Narrow), m_narrow(s) {}
    FormatArg(const CString& s);
    FormatArg(const void* p) : m_kind(Kind::Pointer), m_unsigned(reinterpret_cast<std::uintptr_t>(p)) {}

    Kind kind() const { return m_kind; }
    long long AsSigned() const;
    // A negative signed value as its own width's two's complement.
    unsigned long long AsUnsigned() const;
    double AsReal() const;
    std::wstring_view Wide() const { return m_wide; }
    std::string_view Narrow() const { return m_narrow; }

private:
    Kind m_kind;
    long long m_signed = 0;
    unsigned long long m_unsigned = 0;
    double m_real = 0.0;
    int m_size = 8;  // bytes of a signed argument, for %u and %x of negatives
    std::wstring_view m_wide;
    std::string_view m_narrow;
};

// Conversions: d i u x X o c s S f F e E g G p %, flags "-+ 0#", width and
// precision as numbers or '*', length modifiers (h l ll I64 z) accepted and
// ignored. Narrow text inside wide output goes through the code page.
std::wstring FormatWideArgs(std::wstring_view format, std::span<const FormatArg> args);
std::string FormatNarrowArgs(std::string_view format, std::span<const FormatArg> args);

template <typename... Args>
std::wstring FormatWide(std::wstring_view format, const Args&... args) {
    const FormatArg list[] = {FormatArg(args)..., FormatArg(0)};
    return FormatWideArgs(format, std::span<const FormatArg>(list, sizeof...(Args)));
}

template <typename... Args>
std::string FormatNarrow(std::string_view format, const Args&... args) {
    const FormatArg list[] = {FormatArg(args)..., FormatArg(0)};
    return FormatNarrowArgs(format, std::span<const FormatArg>(list, sizeof...(Args)));
}

// atoi / atof without the locale: leading blanks, an optional sign, then as
// many characters as form a number; 0 when none do. Integers saturate.
int ParseInt(std::string_view text);
double ParseDouble(std::string_view text);
int ParseInt(std::wstring_view text);
double ParseDouble(std::wstring_view text);
