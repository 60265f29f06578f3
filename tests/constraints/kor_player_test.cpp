// Command text replayed into a model: the player's table of statements, file
// and string mode, names, and text that must not harm the model.
#include "kor_player.h"
#include "kor_constraint.h"
#include "kor_globals.h"
#include "kor_model.h"
#include "kor_node.h"
#include "kor_temp_dir.h"
#include "kor_test_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

class KorPlayerTest : public KorModelFixture {
protected:
    KorHandle Handle(const char* name) { return mModel.GetNamesManager().GetObjectHandle(name); }
    KorNode* Node(const char* name)
    {
        return dynamic_cast<KorNode*>(mModel.GetNamesManager().GetObjectAddress(Handle(name)));
    }
    std::string NameOf(KorHandle handle)
    {
        const char* name = mModel.GetNamesManager().GetName(handle);
        return name != nullptr ? name : "<none>";
    }
    // Plays one statement and returns Execute's result.
    bool Run(const std::string& statement)
    {
        KorPlayer player(&mModel);
        std::string copy = statement;
        if (!player.Parse(copy.data()))
            return false;
        return player.Execute();
    }
    void Play(const std::string& text) { ASSERT_TRUE(mModel.playbackStartFromString(text)); }

    KorModel mModel;
};

TEST_F(KorPlayerTest, NodeStatementCreatesANamedNode)
{
    EXPECT_TRUE(Run("a=Node(1.5,2)"));
    ASSERT_NE(Node("a"), nullptr);
    EXPECT_DOUBLE_EQ(Node("a")->GetPoint().x(), 1.5);
    EXPECT_DOUBLE_EQ(Node("a")->GetPoint().y(), 2.0);
}

TEST_F(KorPlayerTest, IgnoredNodeStatements)
{
    EXPECT_FALSE(Run("a = Node(1,2)")); // " Node" is no command word
    EXPECT_TRUE(Run("a=Node(.5,1)"));   // no arguments: skipped
    EXPECT_TRUE(Run("a=Node(1)"));
    EXPECT_TRUE(Run("a=Node(1,2,3)"));
    EXPECT_EQ(mModel.GetNumOfNodes(), 0);
}

// Numbers are whole finite tokens: the C conversion's partial and
// non-finite readings are refused.
TEST_F(KorPlayerTest, NodeNumbersMustBeWholeAndFinite)
{
    for (const char* statement : {"a=Node(12x,1)", "a=Node(1,inf)", "a=Node(nan,1)",
                                  "a=Node(1e999,0)", "a=Node(0x10,0)", "a=Node(1,-1e400)"})
        EXPECT_TRUE(Run(statement)) << statement;
    EXPECT_EQ(mModel.GetNumOfNodes(), 0);
    EXPECT_TRUE(Run("a=Node(-2.5,1e2)"));
    ASSERT_NE(Node("a"), nullptr);
    EXPECT_DOUBLE_EQ(Node("a")->GetPoint().x(), -2.5);
    EXPECT_DOUBLE_EQ(Node("a")->GetPoint().y(), 100.0);
}

TEST_F(KorPlayerTest, ArityTable)
{
    Play("a=Node(0,0);b=Node(10,0);c=Node(10,10);s=Segment(a,b);t=Segment(b,c)");
    EXPECT_TRUE(Run("d=Distance(a,b,c)")); // skipped
    EXPECT_EQ(Handle("d"), 0u);
    EXPECT_TRUE(Run("v=Vertical(t,s)")); // applies to the first only
    const KorHandle v = Handle("v");
    ASSERT_NE(v, 0u);
    auto* vertical = dynamic_cast<KorConstraint*>(mModel.GetNamesManager().GetObjectAddress(v));
    ASSERT_NE(vertical, nullptr);
    EXPECT_EQ(vertical->GetType(), KOR_VERTICAL);
    EXPECT_EQ(vertical->GetFirst(), mModel.GetNamesManager().GetObjectAddress(Handle("t")));
    EXPECT_TRUE(Run("p=Parallel(s)")); // skipped
    EXPECT_EQ(Handle("p"), 0u);
    EXPECT_TRUE(Run("d=Distance(s)"));
    EXPECT_NE(Handle("d"), 0u);
}

TEST_F(KorPlayerTest, ExecuteResults)
{
    EXPECT_TRUE(Run("Resolve()"));
    EXPECT_FALSE(Run("Delete()"));
    EXPECT_FALSE(Run("Node(1,2)"));
    EXPECT_FALSE(Run("x=Concentric(a,b)"));
    EXPECT_FALSE(Run("x=LinearTracker(a)"));
    EXPECT_FALSE(Run("x=Unknown(a)"));
    EXPECT_FALSE(Run("ERROR: Unknown type"));
}

TEST_F(KorPlayerTest, CommentsAreSkipped)
{
    Play("//a=Node(1,2)\nb=Node(3,4) // remark\n");
    EXPECT_EQ(Handle("a"), 0u);
    ASSERT_NE(Node("b"), nullptr);
    EXPECT_DOUBLE_EQ(Node("b")->GetPoint().x(), 3.0);
}

TEST_F(KorPlayerTest, StringModeStatements)
{
    Play("a=Node(0,0);b=Node(10,0)\nc=Segment(a,b)");
    EXPECT_EQ(mModel.GetNumOfNodes(), 2);
    EXPECT_EQ(mModel.GetNumOfPrimitives(), 1);
    EXPECT_NE(Handle("c"), 0u);
    EXPECT_FALSE(mModel.playbackStartFromString(""));
}

TEST_F(KorPlayerTest, StringStartingWithADelimiter)
{
    Play("\n;a=Node(1,1)\r\n;;b=Node(2,2)\r");
    EXPECT_NE(Handle("a"), 0u);
    EXPECT_NE(Handle("b"), 0u);
}

TEST_F(KorPlayerTest, PlayingCoincidentTwiceBindsTheNameToTheSecond)
{
    Play("Nod1=Node(0,0);Nod2=Node(0,0);x=Coincident(Nod1,Nod2)");
    const KorHandle first = Handle("x");
    ASSERT_NE(first, 0u);
    EXPECT_EQ(mModel.GetNamesManager().GetObjectAddress(first)->GetType(), KOR_NODE_COINCIDENT);
    Play("x=Coincident(Nod1,Nod2)");
    const KorHandle second = Handle("x");
    if (second != first) {
        // One name, one object: the first holder writes a generated name now.
        EXPECT_NE(NameOf(first), "x");
        EXPECT_EQ(NameOf(second), "x");
    }
}

// Names the text could not write back or refer to keep the generated name.
TEST_F(KorPlayerTest, UnwritableNamesAreNotBound)
{
    Play("a b=Node(1,1)\n12=Node(2,2)\n=Node(3,3)\n_x=Node(4,4)\n Node(5,5)");
    EXPECT_EQ(mModel.GetNumOfNodes(), 3);
    std::string text;
    mModel.Save(text, false);
    EXPECT_EQ(text, "Nod1=Node(1.0,1.0)\nNod2=Node(2.0,2.0)\nNod3=Node(4.0,4.0)\n");
}

TEST_F(KorPlayerTest, ANameMovesToItsNewestHolder)
{
    Play("a=Node(1,1);a=Node(2,2)");
    ASSERT_NE(Node("a"), nullptr);
    EXPECT_DOUBLE_EQ(Node("a")->GetPoint().x(), 2.0);
    std::string text;
    mModel.Save(text, false);
    // Both still written, with different names.
    EXPECT_EQ(text, "Nod3=Node(1.0,1.0)\na=Node(2.0,2.0)\n");
}

TEST_F(KorPlayerTest, ValueAndWeight)
{
    Play("a=Node(0,0);b=Node(10,0);d=Distance(a,b);d=Value(12.5);d=Weight(3)");
    double value = 0;
    ASSERT_TRUE(mModel.GetDimensionValue(Handle("d"), value));
    EXPECT_DOUBLE_EQ(value, 12.5);
    int weight = 0;
    ASSERT_TRUE(mModel.GetWeight(Handle("d"), &weight));
    EXPECT_EQ(weight, 3);
    for (const char* statement : {"d=Weight(2147483648)", "d=Weight(3x)", "d=Weight(1.5)"})
        EXPECT_TRUE(Run(statement)) << statement;
    ASSERT_TRUE(mModel.GetWeight(Handle("d"), &weight));
    EXPECT_EQ(weight, 3);
}

TEST_F(KorPlayerTest, DeleteRemovesTheNamedObject)
{
    Play("a=Node(0,0);b=Node(10,0);s=Segment(a,b)");
    EXPECT_TRUE(Run("Delete(s)"));
    EXPECT_EQ(mModel.GetNumOfPrimitives(), 0);
    EXPECT_EQ(mModel.GetNumOfNodes(), 2);
}

// Two players read at the same time: neither disturbs the other's statement.
TEST_F(KorPlayerTest, PlayersAreReEntrant)
{
    KorPlayer first(&mModel);
    KorPlayer second(&mModel);
    ASSERT_TRUE(first.init_string("a=Node(1,1);b=Node(2,2)"));
    ASSERT_TRUE(second.init_string("c=Node(3,3);d=Node(4,4)"));
    for (int i = 0; i < 2; ++i) {
        char* one = first.getline();
        char* two = second.getline();
        ASSERT_NE(one, nullptr);
        ASSERT_NE(two, nullptr);
        ASSERT_TRUE(first.Parse(one));
        ASSERT_TRUE(second.Parse(two));
        EXPECT_TRUE(second.Execute());
        EXPECT_TRUE(first.Execute());
    }
    EXPECT_EQ(first.getline(), nullptr);
    for (const char* name : {"a", "b", "c", "d"})
        EXPECT_NE(Node(name), nullptr) << name;
    EXPECT_DOUBLE_EQ(Node("d")->GetPoint().x(), 4.0);
}

class KorPlayerFileTest : public KorPlayerTest {
protected:
    std::string Write(const std::string& bytes) { return mDir.Write("script.vcr", bytes); }
    KorTempDir mDir;
};

TEST_F(KorPlayerFileTest, LineFeedFilePlaysEveryLine)
{
    const std::string path = Write("a=Node(0,0)\n\nb=Node(1,0)\n\n\nc=Segment(a,b)\n");
    ASSERT_TRUE(mModel.Load(path.c_str()));
    EXPECT_EQ(mModel.GetNumOfNodes(), 2);
    EXPECT_EQ(mModel.GetNumOfPrimitives(), 1);
}

// In a CR LF file an empty line must not end the playback silently.
TEST_F(KorPlayerFileTest, CrLfFileSkipsEmptyLines)
{
    const std::string path = Write("a=Node(0,0)\r\n\r\nb=Node(1,0)\r\n\r\nc=Segment(a,b)\r\n");
    ASSERT_TRUE(mModel.Load(path.c_str()));
    EXPECT_EQ(mModel.GetNumOfNodes(), 2);
    EXPECT_EQ(mModel.GetNumOfPrimitives(), 1);
}

TEST_F(KorPlayerFileTest, SemicolonHasNoMeaningInAFile)
{
    const std::string path = Write("a=Node(0,0);b=Node(1,0)\n");
    ASSERT_TRUE(mModel.playbackStart(path.c_str()));
    EXPECT_EQ(mModel.GetNumOfNodes(), 1);
    EXPECT_EQ(Handle("b"), 0u);
}

TEST_F(KorPlayerFileTest, InitFailsForAMissingFile)
{
    KorPlayer player(&mModel);
    EXPECT_FALSE(player.init(mDir.PathOf("missing").c_str()));
    EXPECT_EQ(player.getline(), nullptr);
    EXPECT_TRUE(player.close());
    EXPECT_FALSE(mModel.playbackStart(mDir.PathOf("missing").c_str()));
}

} // namespace
