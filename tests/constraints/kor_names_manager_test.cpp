#include "kor_names_manager.h"

#include <gtest/gtest.h>

#include <string>

#include "kor_test_model.h"

namespace {

using KorNamesManagerTest = KorModelFixture;

TEST_F(KorNamesManagerTest, TypeWordsKeepTheirSpellings)
{
    EXPECT_STREQ(KorNamesManager::GetName(KOR_EMPTY), "Empty");
    EXPECT_STREQ(KorNamesManager::GetName(KOR_HORIZONTAL_DISTANCE), "HorizonatlDistance");
    EXPECT_STREQ(KorNamesManager::GetName(KOR_COINCIDENT), "Coincident");
    EXPECT_STREQ(KorNamesManager::GetName(KOR_NODE_COINCIDENT), "Coincident");
    EXPECT_STREQ(KorNamesManager::GetName(KOR_LINEAR_TRACKER), "LinearTracker");
    EXPECT_STREQ(KorNamesManager::GetName(KOR_WEIGHT), "Weight");
    EXPECT_EQ(KorNamesManager::GetName(KOREntityType(29)), nullptr);
}

TEST_F(KorNamesManagerTest, GeneratedNamePrefixes)
{
    struct Case {
        KOREntityType type;
        const char* first;
    };
    const Case cases[] = {
        {KOR_DISTANCE, "D1"},           {KOR_NSDISTANCE, "N1"},  {KOR_SSDISTANCE, "S1"},
        {KOR_VERTICAL_DISTANCE, "V1"},  {KOR_HORIZONTAL_DISTANCE, "H1"},
        {KOR_RADIUS, "R1"},             {KOR_ANGLE, "A1"},       {KOR_NODE, "Nod1"},
        {KOR_SEGMENT, "Seg1"},          {KOR_CIRCLE, "Cir1"},    {KOR_ARC, "Arc1"},
        {KOR_PARALLEL, "Par1"},         {KOR_VERTICAL, "Ver1"},  {KOR_HORIZONTAL, "Hor1"},
        {KOR_UNMOVABLE, "Unm1"},        {KOR_COINCIDENT, "Coi1"}, {KOR_NODE_COINCIDENT, "Coi1"},
        {KOR_PERPENDICULAR, "Per1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KorNamesManager::newName(c.type), c.first) << c.type;
    EXPECT_EQ(KorNamesManager::newName(KOR_DISTANCE), "D2");
    EXPECT_EQ(KorNamesManager::newName(KOR_NODE), "Nod2");
}

TEST_F(KorNamesManagerTest, InitResetsTheSharedCounters)
{
    KorNamesManager a;
    KorNamesManager::newName(KOR_SEGMENT);
    KorNamesManager::newName(KOR_SEGMENT);
    a.init();
    EXPECT_EQ(KorNamesManager::newName(KOR_SEGMENT), "Seg1");
    EXPECT_EQ(a.GetNextHandle(), 1u);
}

TEST_F(KorNamesManagerTest, DrawSkipsNamesBoundInThisManager)
{
    KorNamesManager names;
    ASSERT_EQ(names.GetObjectHandle(std::string("D1"), 7), 7u);
    ASSERT_EQ(names.GetObjectHandle(std::string("D2"), 8), 8u);
    EXPECT_STREQ(names.GetName(9, KOR_DISTANCE), "D3");
    EXPECT_STREQ(names.GetName(9, KOR_DISTANCE), "D3");  // bound now
    EXPECT_EQ(KorNamesManager::m_counters[KOR_DISTANCE], 3);
}

TEST_F(KorNamesManagerTest, FirstNameMustBeFree)
{
    KorNamesManager names;
    EXPECT_EQ(names.GetObjectHandle(std::string("a"), 1), 1u);
    EXPECT_EQ(names.GetObjectHandle(std::string("a"), 2), 0u);
    EXPECT_EQ(names.GetName(2), nullptr);
    EXPECT_EQ(names.GetObjectHandle(std::string("a"), 0), 1u);
    EXPECT_EQ(names.GetObjectHandle("a"), 1u);
    EXPECT_EQ(names.GetObjectHandle("zz"), 0u);
}

TEST_F(KorNamesManagerTest, RenamingReleasesTheOldName)
{
    KorNamesManager names;
    names.GetObjectHandle(std::string("old"), 1);
    EXPECT_EQ(names.GetObjectHandle(std::string("new"), 1), 1u);
    EXPECT_STREQ(names.GetName(1), "new");
    EXPECT_EQ(names.GetObjectHandle("old"), 0u);
    EXPECT_EQ(names.GetObjectHandle("new"), 1u);
}

TEST_F(KorNamesManagerTest, RenamingOntoATakenNameMovesTheLookUp)
{
    // Replaying x=... twice binds x to the later object.
    KorNamesManager names;
    names.GetObjectHandle(std::string("x"), 1);
    names.GetObjectHandle(std::string("Coi2"), 2);
    EXPECT_EQ(names.GetObjectHandle(std::string("x"), 2), 2u);
    EXPECT_EQ(names.GetObjectHandle("x"), 2u);
    EXPECT_STREQ(names.GetName(2), "x");
    EXPECT_STREQ(names.GetName(1), "x");
}

TEST_F(KorNamesManagerTest, OrdinalsRefuseDuplicates)
{
    KorNamesManager names;
    int a = 0, b = 0;
    auto* first = reinterpret_cast<const KorObject*>(&a);
    auto* second = reinterpret_cast<const KorObject*>(&b);
    EXPECT_TRUE(names.CreateOrdinal(first, 4));
    EXPECT_FALSE(names.CreateOrdinal(first, 5));
    EXPECT_EQ(names.GetOrdinal(first), 4);
    EXPECT_EQ(names.GetOrdinal(second), 0);
    EXPECT_TRUE(names.CreateSeg2LineEntry(second, 2));
    EXPECT_EQ(names.GetLineOrdinal(second), 2);
    names.CleanOrdinals();
    EXPECT_EQ(names.GetOrdinal(first), 0);
    EXPECT_EQ(names.GetLineOrdinal(second), 0);
}

}  // namespace
