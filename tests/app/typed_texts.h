// Texts a person may type as a room's name or label, for the tests that
// send them through every place a room's text goes.
#pragma once

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
