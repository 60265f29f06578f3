// Texts a person may type as a room's name or label or into the level's
// header, for the tests that send them through every place they go.
#pragma once

#include <random>
#include <span>
#include <string>
#include <vector>

// What a person may type as a label: every character the room's command
// text or the files give a meaning to, blanks, line ends and a long text.
inline std::vector<std::string> TypedTexts()
{
    const std::string pattern = "Den;(x)=y,//#/\\\"'<>&\t\n ";
    std::string long_text;
    while (long_text.size() < 1000)
        long_text += pattern;
    long_text.resize(1000);
    return {"Kitchen; Dining", "Bed (guest)", "Bed (guest", "Closet)", "W=D", "a,b",
            "Den // office", "//", "No #5", "#", "In/Out", "C:\\Den", "Den \"Blue\"", "\"",
            "Joe's", "<Attic>", "Bed & Bath", "Den&lt5", "&amp;", "&num;", "&quot;", "&lf;",
            "a\tb", "two\nlines", "\n", "cr\rhere", "  ", " lead", "trail ", "a  b",
            "Den;Level=below", "x\nLevel=below", "Size=Size(1,2)", "Name=Hall1", long_text};
}

// A random text of `fewest` to `most` of the pieces, drawn with repeats.
inline std::string RandomTextOf(std::mt19937& random, std::span<const char* const> pieces,
                                int fewest, int most)
{
    std::uniform_int_distribution<int> count(fewest, most);
    std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
    std::string text;
    for (int n = count(random); n > 0; --n)
        text += pieces[piece(random)];
    return text;
}
