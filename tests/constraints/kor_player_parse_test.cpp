// Reading and splitting statements, without a model behind the player.
#include "kor_player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Statements(const std::string& text)
{
    KorPlayer player(nullptr);
    std::vector<std::string> statements;
    if (!player.init_string(text))
        return statements;
    while (char* statement = player.getline())
        statements.emplace_back(statement);
    return statements;
}

struct Parsed {
    bool result;
    int kind;
    std::string target;
    std::string word;
    std::vector<std::string> arguments;
};

Parsed ParseOne(std::string statement)
{
    KorPlayer player(nullptr);
    Parsed parsed;
    parsed.result = player.Parse(statement.data());
    parsed.kind = player.GetKind();
    parsed.target = player.GetTarget() != nullptr ? player.GetTarget() : "<null>";
    parsed.word = player.GetCommandWord() != nullptr ? player.GetCommandWord() : "<null>";
    for (const char* argument : player.GetArguments())
        parsed.arguments.emplace_back(argument);
    return parsed;
}

using Args = std::vector<std::string>;

TEST(KorPlayerParse, StringModeSplitsAtLineFeedsAndSemicolons)
{
    EXPECT_EQ(Statements("a=Node(0,0);b=Node(10,0)\nc=Segment(a,b)"),
              (Args{"a=Node(0,0)", "b=Node(10,0)", "c=Segment(a,b)"}));
    EXPECT_EQ(Statements("a;;;b\n\n\nc;\n;d"), (Args{"a", "b", "c", "d"}));
    // One trailing white-space character goes: the carriage return of CR LF.
    EXPECT_EQ(Statements("a\r\nb\r\n"), (Args{"a", "b"}));
    EXPECT_EQ(Statements("a  ;b"), (Args{"a ", "b"}));
    EXPECT_EQ(Statements(""), Args{});
}

// A text that starts with a delimiter gives an empty first statement; the
// trim of its (absent) last character must not read before the buffer.
TEST(KorPlayerParse, LeadingDelimiterGivesEmptyStatement)
{
    EXPECT_EQ(Statements("\na=Node(1,2)"), (Args{"", "a=Node(1,2)"}));
    EXPECT_EQ(Statements(";;a"), (Args{"", "a"}));
    EXPECT_EQ(Statements(";"), Args{""});
}

TEST(KorPlayerParse, EmbeddedZeroByteDoesNotEndTheText)
{
    EXPECT_EQ(Statements(std::string("a\0x;b", 5)), (Args{"a", "b"}));
}

TEST(KorPlayerParse, NamedStatement)
{
    const Parsed p = ParseOne("a=Node(1.5,2)");
    EXPECT_TRUE(p.result);
    EXPECT_EQ(p.kind, KorPlayer::kNamedCommand);
    EXPECT_EQ(p.target, "a");
    EXPECT_EQ(p.word, "Node");
    EXPECT_EQ(p.arguments, (Args{"1.5", "2"}));
}

TEST(KorPlayerParse, TableOfStatements)
{
    struct Case {
        const char* statement;
        bool result;
        int kind;
        const char* target;
        const char* word;
        Args arguments;
    };
    const Case cases[] = {
        // The word after "=" keeps its leading blank, so it is not found later.
        {"a = Node(1,2)", true, 1, "a", " Node", {"1", "2"}},
        // "." ends the argument list.
        {"a=Node(.5,1)", true, 1, "a", "Node", {}},
        {"a=Node(+5,1)", true, 1, "a", "Node", {}},
        {"a=Node(-5,1)", true, 1, "a", "Node", {"-5", "1"}},
        {"//a=Node(1,2)", false, 2, "<null>", "<null>", {}},
        {"a=Node(1,2) // remark 3", true, 1, "a", "Node", {"1", "2"}},
        // Only the first "/" is examined: the remark is not cut.
        {"p/q=Dist(x,y) //z", true, 1, "p/q", "Dist", {"x", "y"}},
        {"Resolve()", true, 0, "<null>", "Resolve", {}},
        {"Delete(Nod1)", true, 0, "<null>", "Delete", {"Nod1"}},
        {"D1=Value(     5.00)", true, 1, "D1", "Value", {"5.00"}},
        {"D1=Value(>=5.00)", true, 1, "D1", "Value", {}},
        {"x=Vertical(s1,s2)", true, 1, "x", "Vertical", {"s1", "s2"}},
        {"=Node(1,2)", false, 2, "Node(1,2)", "<null>", {}},
        {" =Node(1,2)", true, 1, "", "Node", {"1", "2"}},
        {"a=", false, 2, "a", "<null>", {}},
        {"", false, 2, "<null>", "<null>", {}},
        {"   ", false, 2, "<null>", "<null>", {}},
        {"ERROR: Unknown type", true, 0, "<null>", "ERROR:", {"Unknown", "type"}},
    };
    for (const Case& c : cases) {
        const Parsed p = ParseOne(c.statement);
        EXPECT_EQ(p.result, c.result) << c.statement;
        EXPECT_EQ(p.kind, c.kind) << c.statement;
        EXPECT_EQ(p.target, c.target) << c.statement;
        EXPECT_EQ(p.word, c.word) << c.statement;
        EXPECT_EQ(p.arguments, c.arguments) << c.statement;
    }
}

// A value text with its relation operator ends the argument list, but is
// kept aside for Value.
TEST(KorPlayerParse, RelationTextIsKeptAside)
{
    KorPlayer player(nullptr);
    std::string range = "D1=Value(>5.00&&<10.00)";
    ASSERT_TRUE(player.Parse(range.data()));
    EXPECT_TRUE(player.GetArguments().empty());
    ASSERT_NE(player.GetRelationText(), nullptr);
    EXPECT_STREQ(player.GetRelationText(), ">5.00&&<10.00");

    std::string dotted = "a=Node(.5,1)";
    ASSERT_TRUE(player.Parse(dotted.data()));
    EXPECT_EQ(player.GetRelationText(), nullptr);
    std::string late = "a=Node(1,>2)";
    ASSERT_TRUE(player.Parse(late.data()));
    EXPECT_EQ(player.GetRelationText(), nullptr);
}

TEST(KorPlayerParse, TrimWhiteSpace)
{
    std::string padded = " \t ab c \r ";
    EXPECT_STREQ(KorPlayer::trimwhitespace(padded.data()), "ab c");
    std::string blank = "   ";
    ASSERT_NE(KorPlayer::trimwhitespace(blank.data()), nullptr);
    EXPECT_STREQ(KorPlayer::trimwhitespace(blank.data()), "");
    std::string empty;
    EXPECT_STREQ(KorPlayer::trimwhitespace(empty.data()), "");
}

TEST(KorPlayerParse, OpCodesFromTheCommandWords)
{
    KorPlayer player(nullptr);
    const struct {
        const char* statement;
        bool found;
        KOREntityType type;
    } cases[] = {
        {"x=Coincident(a,b)", true, KOR_COINCIDENT}, // never 28
        {"x=HorizonatlDistance(a,b)", true, KOR_HORIZONTAL_DISTANCE},
        {"x=Weight(3)", true, KOR_WEIGHT},
        {"Resolve()", true, KOR_RESOLVE},
        {"x=Node2(1,2)", false, KOR_EMPTY},
        {"x= Node(1,2)", false, KOR_EMPTY},
    };
    for (const auto& c : cases) {
        std::string statement = c.statement;
        ASSERT_TRUE(player.Parse(statement.data())) << c.statement;
        EXPECT_EQ(player.SetOpCode(), c.found) << c.statement;
        if (c.found) {
            EXPECT_EQ(player.GetOpCode(), c.type) << c.statement;
        }
    }
}

TEST(KorPlayerParse, OpCodeMapRefillsAfterRemoval)
{
    KorPlayer::RemoveOpCodeMap();
    KorPlayer player(nullptr);
    std::string statement = "x=Arc(a,b,c)";
    ASSERT_TRUE(player.Parse(statement.data()));
    EXPECT_TRUE(player.SetOpCode());
    EXPECT_EQ(player.GetOpCode(), KOR_ARC);
}

TEST(KorPlayerParse, WritableNames)
{
    for (const char* name : {"a", "Nod1", "D12", "-x", "room.1", "a/b", "a(b", "t\xC3\xA9"})
        EXPECT_TRUE(KorPlayer::IsWritableName(name)) << name;
    for (const char* name : {"", "a b", "a,b", "a)b", "a;b", "a\tb", "a//b", "12", "-3.5", "1e3",
                             ".a", "(a", "_a", "\xC3\xA9"})
        EXPECT_FALSE(KorPlayer::IsWritableName(name)) << name;
    EXPECT_FALSE(KorPlayer::IsWritableName(nullptr));
}

} // namespace
