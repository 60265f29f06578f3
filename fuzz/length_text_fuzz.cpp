// Feeds typed lengths, assembled from keypad pieces or taken as raw wide
// characters, to the feet-and-inches parser, and formats what it reads.
// Any crash or sanitizer report is a fault; so is a non-finite result.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "length_text.h"

namespace {

const wchar_t* const kPieces[] = {
    L"0", L"1", L"5", L"9", L"12", L"'", L"\"", L" ", L"-", L"+", L"1/2", L"99999999999", L".", L"x",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::wstring text;
    if (size > 0 && data[0] % 2 == 0)
        for (size_t i = 1; i < size; ++i)
            text += static_cast<wchar_t>(data[i]);
    else
        for (size_t i = 1; i < size; ++i)
            text += kPieces[data[i] % std::size(kPieces)];
    const float inches = ParseFeetInches(CString(text.c_str()));
    if (!std::isfinite(inches))
        std::abort();
    FormatFeetInchesHalf(inches);
    DimLabelText(inches, true);
    return 0;
}
