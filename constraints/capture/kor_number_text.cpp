#include "kor_number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

std::string KorFormatFixed(double value, int precision, int width)
{
    char digits[400];
    const auto result = std::to_chars(digits, digits + sizeof digits, value,
                                      std::chars_format::fixed, precision);
    std::string text(digits, result.ec == std::errc() ? result.ptr : digits);
    // A value that rounds to zero reads "0.0", never "-0.0": the sign of a
    // node a hair left of an axis says nothing the digits keep.
    if (!text.empty() && text[0] == '-' && text.find_first_not_of("0.", 1) == std::string::npos)
        text.erase(0, 1);
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

std::string KorFormatInt(long value)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, result.ptr);
}

namespace {

// The text without a leading '+', which the C conversions accept and
// from_chars does not; null when nothing may follow it.
const char* SkipPlus(const char* text)
{
    if (text == nullptr || *text == 0)
        return nullptr;
    if (*text == '+') {
        ++text;
        if (*text == '-' || *text == '+')
            return nullptr;
    }
    return text;
}

} // namespace

bool KorParseFinite(const char* text, double& value)
{
    const char* start = SkipPlus(text);
    if (start == nullptr)
        return false;
    const char* end = start + std::strlen(start);
    double parsed = 0.0;
    const auto result = std::from_chars(start, end, parsed, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool KorParseInt(const char* text, int& value)
{
    const char* start = SkipPlus(text);
    if (start == nullptr)
        return false;
    const char* end = start + std::strlen(start);
    int parsed = 0;
    const auto result = std::from_chars(start, end, parsed);
    if (result.ec != std::errc() || result.ptr != end)
        return false;
    value = parsed;
    return true;
}
