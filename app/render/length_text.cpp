#include "length_text.h"

#include <cmath>
#include <cwchar>
#include <cwctype>
#include <string>

namespace {

constexpr wchar_t kApostrophe = 39;
constexpr wchar_t kDoubleQuote = 34;

// The whole number at the start of the text, as the C library reads it
// (blanks and a sign first, digits up to the first other character); 0
// without digits. Overflow saturates instead of being undefined.
long LeadingInteger(const std::wstring& text)
{
    std::size_t i = 0;
    while (i < text.size() && std::iswspace(static_cast<wint_t>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        const long digit = text[i] - L'0';
        value = value > (2147483647L - digit) / 10 ? 2147483647L : value * 10 + digit;
    }
    return negative ? -value : value;
}

// Lengths past a billion units (or not numbers at all) are no lengths a
// plan holds; they are held there so the integer texts stay defined.
constexpr double kLargestLength = 1e9;

double Bounded(double length)
{
    if (std::isnan(length))
        return 0.0;
    return std::fmax(-kLargestLength, std::fmin(kLargestLength, length));
}

}  // namespace

int RoundToInt(double value)
{
    value = Bounded(value);
    const double whole = std::floor(value);
    return static_cast<int>(whole) + (value - whole >= 0.5 ? 1 : 0);
}

CString DimLabelText(double length, bool imperial)
{
    length = Bounded(length);
    CString text;
    if (!imperial) {
        text.Format(L"%d", RoundToInt(length));
        return text;
    }
    const int feet = static_cast<int>(std::trunc(length * 0.08333333333333333));
    const int inches = static_cast<int>(std::trunc(length - 12.0 * feet));
    if (feet == 0)
        text.Format(L"%2d%c", inches, kDoubleQuote);
    else
        text.Format(L"%2d%c%2d%c", feet, kApostrophe, inches, kDoubleQuote);
    return text;
}

CString FormatFeetInchesHalf(float x)
{
    x = static_cast<float>(Bounded(x));
    const float product = x * 0.083333336f;
    const int feet = static_cast<int>(std::floor(static_cast<double>(product)));
    const int n = static_cast<int>(std::trunc(x));
    const int inches = n - 12 * (n / 12);
    const bool half = x > static_cast<float>(inches + 12 * feet);
    CString text;
    if (!half) {
        if (feet == 0)
            text.Format(L"%d%c", inches, kDoubleQuote);
        else
            text.Format(L"%d%c%d%c", feet, kApostrophe, inches, kDoubleQuote);
    } else if (feet == 0) {
        if (inches == 0)
            text.Format(L"1/2%c", kDoubleQuote);
        else
            text.Format(L"%d%c1/2", inches, kDoubleQuote);
    } else if (inches == 0) {
        text.Format(L"%d%c1/2", feet, kApostrophe);
    } else {
        text.Format(L"%d%c%d%c1/2", feet, kApostrophe, inches, kDoubleQuote);
    }
    return text;
}

float ParseFeetInches(const CString& text)
{
    const std::wstring s = text.GetString();
    const std::size_t apostrophe = s.find(kApostrophe);
    const bool hasFeet = apostrophe != std::wstring::npos && apostrophe >= 1;
    const long feetInches = hasFeet ? 12 * LeadingInteger(s.substr(0, apostrophe)) : 0;
    const std::size_t quote = s.find(kDoubleQuote);
    if (quote == 0)
        return static_cast<float>(feetInches);
    const std::size_t from = apostrophe == std::wstring::npos ? 0 : apostrophe + 1;
    long inches = 0;
    if (quote != std::wstring::npos && quote > from)
        inches = LeadingInteger(s.substr(from, quote - from));
    return static_cast<float>(feetInches) + static_cast<float>(inches);
}
