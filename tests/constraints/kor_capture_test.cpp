// Command text written from a model: statement forms, numbers, the journal,
// saving to a file.
#include "kor_capture.h"
#include "kor_dimension.h"
#include "kor_globals.h"
#include "kor_model.h"
#include "kor_node.h"
#include "kor_temp_dir.h"
#include "kor_test_model.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace {

const char kSevenLines[] = "Nod1=Node(0.0,0.0)\n"
                           "Nod2=Node(120.0,0.0)\n"
                           "Seg1=Segment(Nod1,Nod2)\n"
                           "Hor1=Horizontal(Seg1)\n"
                           "D1=Distance(Nod1,Nod2)\n"
                           "D1=Value(120.00)\n"
                           "D1=Weight(2)\n";

class KorCaptureTest : public KorModelFixture {
protected:
    std::string PathOf(const std::string& name) const { return mDir.PathOf(name); }
    static std::string ReadFile(const std::string& path) { return KorTempDir::Read(path); }
    static std::string Text(KorModel& model, bool nodesAndPrimitivesOnly = false)
    {
        std::string text;
        model.Save(text, nodesAndPrimitivesOnly);
        return text;
    }

    // Nod1 (0,0), Nod2 (120,0), Seg1 between them, D1 the distance of the nodes.
    void BuildLine(KorModel& model)
    {
        mNode1 = model.CreateNode(0, 0);
        mNode2 = model.CreateNode(120, 0);
        mSegment = model.CreateSegment(mNode1, mNode2);
        mDistance = model.CreateDistance(mNode1, mNode2, KOR_DISTANCE, 0);
        ASSERT_NE(mNode1, 0u);
        ASSERT_NE(mNode2, 0u);
        ASSERT_NE(mSegment, 0u);
        ASSERT_NE(mDistance, 0u);
    }

    KorTempDir mDir;
    KorHandle mNode1 = 0, mNode2 = 0, mSegment = 0, mDistance = 0;
};

TEST_F(KorCaptureTest, EmptyModelGivesEmptyText)
{
    KorModel model;
    EXPECT_EQ(Text(model), "");
}

TEST_F(KorCaptureTest, SevenLineExampleReplaysByteIdentical)
{
    KorModel model;
    ASSERT_TRUE(model.playbackStartFromString(kSevenLines));
    EXPECT_EQ(model.GetNumOfNodes(), 2);
    EXPECT_EQ(model.GetNumOfPrimitives(), 1);
    EXPECT_EQ(Text(model), kSevenLines);

    // Again into a fresh model, after the counters moved on.
    KorModel second;
    ASSERT_TRUE(second.playbackStartFromString(Text(model)));
    EXPECT_EQ(Text(second), kSevenLines);
}

TEST_F(KorCaptureTest, NodeCoordinatesRoundToOneDecimalOfTheFloat)
{
    KorModel model;
    model.CreateNode(12.34, -0.06);
    EXPECT_EQ(Text(model), "Nod1=Node(12.3,-0.1)\n");
}

TEST_F(KorCaptureTest, NodesAndPrimitivesOnlyLeavesTheRestOut)
{
    KorModel model;
    BuildLine(model);
    model.CreateNode(5, 5); // no primitive
    model.CreateConstraint(KOR_HORIZONTAL, mSegment, 0, 0, 0);
    model.SetDimensionValue(mDistance, "120");
    EXPECT_EQ(Text(model, true),
              "Nod1=Node(0.0,0.0)\nNod2=Node(120.0,0.0)\nSeg1=Segment(Nod1,Nod2)\n");
    EXPECT_NE(Text(model).find("Nod3=Node(5.0,5.0)\n"), std::string::npos);
}

TEST_F(KorCaptureTest, LineMakersWriteThePartsForms)
{
    KorModel model;
    BuildLine(model);
    KorCaptureVCR capture;
    capture.SetModel(&model);
    EXPECT_EQ(capture.getInitLine(), "");
    EXPECT_EQ(capture.getResolveLine(), "Resolve()\n");
    EXPECT_EQ(capture.getDeleteLine(mNode2), "Delete(Nod2)\n");
    EXPECT_EQ(capture.getDeleteLine(999), "");
    EXPECT_EQ(capture.getDimValueLine(mDistance, 5.0f), "D1=Value(     5.00)\n");
    EXPECT_EQ(capture.getDimValueLine(mDistance, std::string(">=5.00")), "D1=Value(>=5.00)\n");
    EXPECT_EQ(capture.getConstraintLine(KOR_DISTANCE, mDistance, mSegment, 0, 0),
              "D1=Distance(Seg1)\n");
    EXPECT_EQ(capture.getConstraintLine(KOR_CONCENTRIC, mDistance, mNode1, mNode2, 0),
              "ERROR: Unknown type\n");
    EXPECT_EQ(capture.getConstraintLine(KOR_NODE, mDistance, mNode1, 0, 0),
              "ERROR: Unknown type\n");
}

// A node coincidence is written in the form the player reads back as one.
TEST_F(KorCaptureTest, NodeCoincidenceIsWrittenAsCoincident)
{
    KorModel model;
    BuildLine(model);
    KorCaptureVCR capture;
    capture.SetModel(&model);
    EXPECT_EQ(capture.getConstraintLine(KOR_NODE_COINCIDENT, 77, mNode1, mNode2, 0),
              "Coi1=Coincident(Nod1,Nod2)\n");
}

// An argument without a name (a tracker) is written empty, as Unmovable does.
TEST_F(KorCaptureTest, NamelessArgumentIsWrittenEmpty)
{
    KorModel model;
    BuildLine(model);
    KorCaptureVCR capture;
    capture.SetModel(&model);
    EXPECT_EQ(capture.getConstraintLine(KOR_PARALLEL, 50, mSegment, 0, 0), "Par1=Parallel(Seg1,)\n");
    EXPECT_EQ(capture.getConstraintLine(KOR_UNMOVABLE, 51, 0, 0, 0), "Unm1=Unmovable()\n");
    EXPECT_EQ(capture.getSegmentLine(52, 0, mNode1), "Seg2=Segment(,Nod1)\n");
}

TEST_F(KorCaptureTest, WeightLineOnlyForNonZeroWeight)
{
    KorModel model;
    BuildLine(model);
    KorCaptureVCR capture;
    capture.SetModel(&model);
    EXPECT_EQ(capture.getDimaintWeightLine(mDistance), "");
    ASSERT_TRUE(model.SetWeight(mDistance, 3));
    EXPECT_EQ(capture.getDimaintWeightLine(mDistance), "D1=Weight(3)\n");
    EXPECT_EQ(capture.getDimaintWeightLine(mNode1), "");
}

TEST_F(KorCaptureTest, ValueLinesOnlyForDimensionsWithAValue)
{
    KorModel model;
    BuildLine(model);
    EXPECT_EQ(Text(model).find("Value("), std::string::npos); // "//": no value
    ASSERT_TRUE(model.SetDimensionValue(mDistance, "120"));
    EXPECT_NE(Text(model).find("D1=Value(120.00)\n"), std::string::npos);
}

// A resolve that gives up on a weighted "=" dimension disables it; the value
// the user typed must still be saved.
TEST_F(KorCaptureTest, DisabledExactValueIsStillWritten)
{
    KorModel model;
    BuildLine(model);
    ASSERT_TRUE(model.SetDimensionValue(mDistance, "120"));
    auto* distance = dynamic_cast<KorDimension*>(model.GetNamesManager().GetObjectAddress(mDistance));
    ASSERT_NE(distance, nullptr);
    distance->SetEnabled(false);
    const std::string text = Text(model);
    EXPECT_NE(text.find("D1=Value(120.00)\n"), std::string::npos) << text;

    KorModel replayed;
    ASSERT_TRUE(replayed.playbackStartFromString(text));
    double value = 0;
    ASSERT_TRUE(replayed.GetDimensionValue(replayed.GetNamesManager().GetObjectHandle("D1"), value));
    EXPECT_DOUBLE_EQ(value, 120.0);
}

// A node coincidence written and replayed is a node coincidence again.
TEST_F(KorCaptureTest, NodeCoincidenceSurvivesReplay)
{
    KorModel model;
    const KorHandle a = model.CreateNode(5, 5);
    const KorHandle b = model.CreateNode(5, 5);
    const KorHandle c = model.CreateConstraint(KOR_COINCIDENT, a, b, 0, 0);
    ASSERT_NE(c, 0u);
    ASSERT_EQ(model.GetNamesManager().GetObjectAddress(c)->GetType(), KOR_NODE_COINCIDENT);
    const std::string text = Text(model);
    EXPECT_NE(text.find("Coi1=Coincident(Nod1,Nod2)\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("ERROR"), std::string::npos) << text;

    KorModel replayed;
    ASSERT_TRUE(replayed.playbackStartFromString(text));
    KorObject* again = replayed.GetKorObject("Coi1");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetType(), KOR_NODE_COINCIDENT);
    EXPECT_EQ(Text(replayed), text);
}

// A dimension made equal to another keeps that link through save and replay.
TEST_F(KorCaptureTest, EqualDimensionSurvivesReplay)
{
    KorModel model;
    BuildLine(model);
    const KorHandle third = model.CreateNode(0, 50);
    const KorHandle other = model.CreateDistance(mNode1, third, KOR_DISTANCE, 0);
    ASSERT_NE(other, 0u);
    ASSERT_TRUE(model.SetDimensionValue(mDistance, "120"));
    ASSERT_TRUE(model.SetDimensionValue(other, std::string("D1")));
    const std::string text = Text(model);
    EXPECT_NE(text.find("D2=Value(D1)\n"), std::string::npos) << text;

    KorModel replayed;
    ASSERT_TRUE(replayed.playbackStartFromString(text));
    auto* d2 = dynamic_cast<KorDimension*>(replayed.GetKorObject("D2"));
    ASSERT_NE(d2, nullptr);
    EXPECT_EQ(d2->GetEqualDim(), replayed.GetKorObject("D1"));
    EXPECT_EQ(Text(replayed), text);
}

// Bounds and ranges are written with their operators and read back.
TEST_F(KorCaptureTest, BoundsAndRangesSurviveReplay)
{
    for (const char* value : {">=5", ">5&&<10", "<=3&&>=1"}) {
        KorResetGlobals();
        KorModel model;
        BuildLine(model);
        ASSERT_TRUE(model.SetDimensionValue(mDistance, value)) << value;
        std::string written;
        ASSERT_TRUE(model.GetDimensionValue(mDistance, written));
        const std::string text = Text(model);
        EXPECT_NE(text.find("D1=Value(" + written + ")\n"), std::string::npos) << text;

        KorModel replayed;
        ASSERT_TRUE(replayed.playbackStartFromString(text));
        std::string again;
        ASSERT_TRUE(replayed.GetDimensionValue(replayed.GetNamesManager().GetObjectHandle("D1"),
                                               again));
        EXPECT_EQ(again, written) << value;
        EXPECT_EQ(Text(replayed), text) << value;
    }
}

TEST_F(KorCaptureTest, JournalWritesEachStatementFollowedByAnEmptyLine)
{
    KorModel model;
    const std::string path = PathOf("journal.vcr");
    ASSERT_TRUE(model.captureInit(path));
    EXPECT_TRUE(model.GetCapture()->isActive());
    BuildLine(model);
    ASSERT_TRUE(model.SetDimensionValue(mDistance, 5.0, KOR_DIM_EQUAL));
    model.Resolve();
    EXPECT_TRUE(model.captureClose());
    EXPECT_FALSE(model.GetCapture()->isActive());
    EXPECT_EQ(ReadFile(path), "Nod1=Node(0.0,0.0)\n\n"
                              "Nod2=Node(120.0,0.0)\n\n"
                              "Seg1=Segment(Nod1,Nod2)\n\n"
                              "D1=Distance(Nod1,Nod2)\n\n"
                              "D1=Value(     5.00)\n\n"
                              "Resolve()\n\n");

    // The journal replays (its empty lines are skipped).
    KorModel replayed;
    ASSERT_TRUE(replayed.Load(path.c_str()));
    EXPECT_EQ(replayed.GetNumOfNodes(), 2);
    EXPECT_EQ(replayed.GetNumOfPrimitives(), 1);
}

TEST_F(KorCaptureTest, JournalInactiveAfterAFailedInit)
{
    KorModel model;
    EXPECT_FALSE(model.captureInit(PathOf("no/such/folder/j.vcr")));
    EXPECT_FALSE(model.GetCapture()->isActive());
    EXPECT_FALSE(model.captureInit(""));
    EXPECT_FALSE(model.GetCapture()->isActive());
}

// An existing journal is played into the model; it cannot be reopened for
// writing (new files only), so init fails and journaling stays off.
TEST_F(KorCaptureTest, InitPlaysAnExistingJournal)
{
    const std::string path = PathOf("old.vcr");
    std::ofstream(path) << "a=Node(1,2)\n\nb=Node(3,4)\n";
    KorModel model;
    EXPECT_FALSE(model.captureInit(path));
    EXPECT_FALSE(model.GetCapture()->isActive());
    EXPECT_EQ(model.GetNumOfNodes(), 2);
    EXPECT_EQ(ReadFile(path), "a=Node(1,2)\n\nb=Node(3,4)\n");
}

// A statement cut short by the file system ends the journal: nothing may be
// glued onto the broken line.
TEST_F(KorCaptureTest, PartialWriteMakesTheJournalInactive)
{
    KorModel model;
    const std::string path = PathOf("short.vcr");
    ASSERT_TRUE(model.captureInit(path));
    rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 10;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const bool written = model.GetCapture()->writeln("Nod1=Node(100.0,200.0)\n");
    const bool active = model.GetCapture()->isActive();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_FALSE(active);
    model.CreateNode(1, 1); // not journaled any more
    model.captureClose();
    EXPECT_EQ(ReadFile(path), "Nod1=Node(");
}

TEST_F(KorCaptureTest, SaveToFileWritesTextAndOneMoreLineFeed)
{
    KorModel model;
    ASSERT_TRUE(model.playbackStartFromString(kSevenLines));
    const std::string path = PathOf("room.vcr");
    ASSERT_TRUE(model.Save(path.c_str()));
    EXPECT_EQ(ReadFile(path), std::string(kSevenLines) + "\n");

    // An existing file is never overwritten.
    EXPECT_FALSE(model.Save(path.c_str()));
    EXPECT_EQ(ReadFile(path), std::string(kSevenLines) + "\n");
    EXPECT_FALSE(model.Save(PathOf("missing/room.vcr").c_str()));
}

TEST_F(KorCaptureTest, LoadClearsThenPlaysAndLeavesModelOnFailure)
{
    KorModel model;
    model.CreateNode(7, 7);
    EXPECT_FALSE(model.Load(PathOf("missing.vcr").c_str()));
    EXPECT_EQ(model.GetNumOfNodes(), 1);

    const std::string path = PathOf("room.vcr");
    std::ofstream(path) << kSevenLines;
    ASSERT_TRUE(model.Load(path.c_str()));
    EXPECT_EQ(Text(model), kSevenLines);
}

} // namespace
