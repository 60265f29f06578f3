// The transmit file for the outside solver: header, records and tags.
#include "kor_capture_xmt.h"
#include "kor_dimension.h"
#include "kor_globals.h"
#include "kor_model.h"
#include "kor_temp_dir.h"
#include "kor_test_model.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kHeader[] =
    "# DCM interface transmit file.\n"
    "# DCM version 370 res_linear   1.0000000000000000e-008 res_size   1.0000000000000000e+003 "
    "sub_version 370 \n"
    "#\n"
    "CLASS DISPLAY_LIST 0 \n"
    "DCM_VERSION 370 \n"
    "RES_LINEAR 1e-008 \n"
    "RES_SIZE 999.9999999999999 \n"
    "SUB_VERSION 370 \n"
    "# \n"
    "CLASS LINE 1 \n"
    "FBASE_POINT 0.0 0.0 \n"
    "FDIRECTION 0 1 \n"
    "# \n"
    "CLASS BOUNDED_LINE 2 \n"
    "POSITION 1 \n"
    "VISIBLE 0 \n"
    "PICKING_TAG 2 \n"
    "FIXED 1 \n"
    "FDEBUG_INT 2 \n"
    "FMY_LINE TAG 1 \n"
    "# \n"
    "CLASS LINE 3 \n"
    "FBASE_POINT 0.0 0.0\n"
    "FDIRECTION 1 0 \n"
    "# \n"
    "CLASS BOUNDED_LINE 4 \n"
    "POSITION 2 \n"
    "VISIBLE 0 \n"
    "PICKING_TAG 1 \n"
    "FIXED 1 \n"
    "FDEBUG_INT 1 \n"
    "FMY_LINE TAG 3 \n";

const char kNotImplemented[] = "# constraint is not implemented yet \n";

class KorCaptureXmtTest : public KorModelFixture {
protected:
    std::string PathOf(const std::string& name) const { return mDir.PathOf(name); }
    static std::string ReadFile(const std::string& path) { return KorTempDir::Read(path); }
    // Nodes a at (0,0) and b at (10,0), written after the header: vertices 6 and 8.
    void WriteTwoNodes()
    {
        mA = mModel.CreateNode(0, 0);
        mB = mModel.CreateNode(10, 0);
        mCapture.SetModel(&mModel);
        mCapture.getInitLine();
        mCapture.getNodeLine(mA, 0, 0);
        mCapture.getNodeLine(mB, 10, 0);
    }

    static std::size_t Count(const std::string& text, const std::string& piece)
    {
        std::size_t n = 0;
        for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
            ++n;
        return n;
    }

    KorTempDir mDir;
    KorModel mModel;
    KorCaptureXMT mCapture;
    KorHandle mA = 0;
    KorHandle mB = 0;
};

TEST_F(KorCaptureXmtTest, OneNodeGivesHeaderAndTagsFiveAndSix)
{
    KorModel model;
    model.CreateNode(1, 2);
    const std::string path = PathOf("m.xmt");
    ASSERT_TRUE(model.Save(path.c_str()));
    EXPECT_EQ(ReadFile(path), std::string(kHeader)
                                  + "#\n"
                                    "CLASS POINT 5\n"
                                    "FVALUE 1.000000 2.000000\n"
                                    "#\n"
                                    "CLASS VERTEX 6\n"
                                    "POSITION 5\n"
                                    "VISIBLE 2\n"
                                    "PICKING_TAG 5\n"
                                    "FIXED 0\n"
                                    "FDEBUG_INT 1\n"
                                    "FMY_POINT TAG 5\n"
                                    "\n");
}

TEST_F(KorCaptureXmtTest, OnlyLowerCaseXmtMakesATransmitFile)
{
    KorModel model;
    model.CreateNode(1, 2);
    const std::string upper = PathOf("A.XMT");
    ASSERT_TRUE(model.Save(upper.c_str()));
    EXPECT_EQ(ReadFile(upper), "Nod1=Node(1.0,2.0)\n\n");
    // ".xmt" anywhere in the path counts.
    const std::string inside = PathOf("b.xmt.txt");
    ASSERT_TRUE(model.Save(inside.c_str()));
    EXPECT_EQ(ReadFile(inside).rfind(kHeader, 0), 0u);
}

TEST_F(KorCaptureXmtTest, NodeOrdinalIsItsVertexTag)
{
    WriteTwoNodes();
    KorNamesManager& names = mModel.GetNamesManager();
    EXPECT_EQ(names.GetOrdinal(names.GetObjectAddress(mA)), 6);
    EXPECT_EQ(names.GetOrdinal(names.GetObjectAddress(mB)), 8);
    EXPECT_EQ(mCapture.GetTag(), 8);
    // The header forgets earlier ordinals.
    mCapture.getInitLine();
    EXPECT_EQ(names.GetOrdinal(names.GetObjectAddress(mA)), 0);
}

TEST_F(KorCaptureXmtTest, ConstraintRecordShape)
{
    WriteTwoNodes();
    EXPECT_EQ(mCapture.getConstraintLine(KOR_COINCIDENT, 0, mA, mB, 0),
              "#\nCLASS DCM_IDIMENSION 9\nTYPE 6\nVALUE 0\n"
              "#\nCLASS DIMENSION_INFO 10\nFDCM_IDIM TAG 9\n"
              "#\nCLASS CONSTRAINT 11\nPOSITION 9\nVISIBLE 0 \nPICKING_TAG 9\n"
              "FEND_1 TAG 6\nFEND_2 TAG 8\nFDIMENSION TAG 9\nFDIMENSION_INFO TAG 10\n"
              "FDEBUG_INT 1 \nFDEBUG_H_INT1 1 \nFDEBUG_H_INT2 1 \n");
    EXPECT_NE(mCapture.getConstraintLine(KOR_VERTICAL, 0, mA, 0, 0).find("FEND_2 TAG 2\n"),
              std::string::npos);
    EXPECT_NE(mCapture.getConstraintLine(KOR_HORIZONTAL, 0, mA, 0, 0).find("FEND_2 TAG 4\n"),
              std::string::npos);
    // Colinear: a parallel record, then a distance record of value "0".
    const std::string colinear = mCapture.getConstraintLine(KOR_COLINEAR, 0, mA, mB, 0);
    const std::size_t parallel = colinear.find("TYPE 4\nVALUE 0\n");
    ASSERT_NE(parallel, std::string::npos);
    const std::size_t distance = colinear.find("TYPE 0\nVALUE0\n");
    ASSERT_NE(distance, std::string::npos);
    EXPECT_GT(distance, parallel);
    EXPECT_NE(colinear.find("FDIRECTION 0 0  \nFANTICLOCKWISE 0  \nFSECTOR 100  \n"
                            "RATIO 0.4897868165194895  \nDISTANCE 8.401703305779785  \n"),
              std::string::npos);
    EXPECT_NE(mCapture.getConstraintLine(KOR_TANGENT, 0, mA, mB, 0).find("TYPE 7\n"),
              std::string::npos);
    EXPECT_EQ(mCapture.getConstraintLine(KOR_CONCENTRIC, 0, mA, mB, 0), kNotImplemented);
    EXPECT_EQ(mCapture.getConstraintLine(KOR_NODE_COINCIDENT, 0, mA, mB, 0), kNotImplemented);
    EXPECT_EQ(mCapture.getConstraintLine(KOR_DISTANCE, 0, mA, mB, 0), kNotImplemented);
    const std::string fixed = mCapture.getConstraintLine(KOR_UNMOVABLE, 0, mA, 0, 0);
    EXPECT_NE(fixed.find("FIXED 1\n"), std::string::npos);
    EXPECT_NE(fixed.find("TYPE 6\n"), std::string::npos);
    EXPECT_EQ(mCapture.getResolveLine(), "");
    EXPECT_EQ(mCapture.getDeleteLine(mA), "");
    EXPECT_EQ(mCapture.getDimaintWeightLine(mA), "");
}

TEST_F(KorCaptureXmtTest, SegmentGivesLineBoundedLineAndTwoCoincidences)
{
    KorModel model;
    const KorHandle a = model.CreateNode(0, 0);
    const KorHandle b = model.CreateNode(10, 0);
    model.CreateSegment(a, b);
    std::string text;
    const std::string path = PathOf("s.xmt");
    ASSERT_TRUE(model.Save(path.c_str()));
    text = ReadFile(path);
    EXPECT_NE(text.find("CLASS LINE 9\n"), std::string::npos);
    EXPECT_NE(text.find("CLASS BOUNDED_LINE 10\n"), std::string::npos);
    EXPECT_NE(text.find("FSTART TAG 6\nFEND TAG 8\nFMY_LINE TAG 9\n"), std::string::npos);
    EXPECT_EQ(Count(text, "TYPE 6\n"), 2u);
}

TEST_F(KorCaptureXmtTest, DisabledDimensionWritesOnlyTheNotImplementedLine)
{
    KorModel model;
    const KorHandle a = model.CreateNode(0, 0);
    const KorHandle b = model.CreateNode(10, 0);
    const KorHandle d = model.CreateDistance(a, b, KOR_DISTANCE, 0);
    ASSERT_NE(d, 0u);
    ASSERT_TRUE(model.SetDimensionValue(d, "10"));
    auto* distance = dynamic_cast<KorDimension*>(model.GetNamesManager().GetObjectAddress(d));
    ASSERT_NE(distance, nullptr);

    const std::string enabledPath = PathOf("on.xmt");
    ASSERT_TRUE(model.Save(enabledPath.c_str()));
    const std::string enabled = ReadFile(enabledPath);
    EXPECT_EQ(Count(enabled, kNotImplemented), 1u);
    EXPECT_NE(enabled.find("TYPE 0\nVALUE10.000000\n"), std::string::npos);

    distance->SetEnabled(false);
    const std::string disabledPath = PathOf("off.xmt");
    ASSERT_TRUE(model.Save(disabledPath.c_str()));
    const std::string disabled = ReadFile(disabledPath);
    EXPECT_EQ(Count(disabled, kNotImplemented), 1u);
    EXPECT_EQ(disabled.find("CLASS DIMENSION "), std::string::npos);
}

} // namespace
