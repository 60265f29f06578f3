// Argument and result lists: ordering, keywords, sharing and copying of
// bodies, stored values and the helpers over them.
#include <gtest/gtest.h>

#include "geolist.h"
#include "geolist_fixtures.h"
#include "line.h"
#include "point.h"
#include "polygon.h"
#include "poly_member.h"
#include "settings.h"

namespace {

// Restores the error code after each test.
class GeolistTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = GeoError(); GeoError() = 0; }
    void TearDown() override { GeoError() = saved_; }
    char saved_ = 0;
};

const list_item& Item(const geolist& l, short i) { return l.body()->items[i]; }

TEST_F(GeolistTest, TwoPointsKeepArgumentOrder)
{
    point a(1, 2), b(3, 4);
    geolist l = a & b;
    ASSERT_EQ(l.count(), 2);
    EXPECT_EQ(Item(l, 0).object, &a);
    EXPECT_EQ(Item(l, 1).object, &b);
    EXPECT_EQ(l.type(0), 4);
    EXPECT_EQ(l.type(1), 4);
}

TEST_F(GeolistTest, LineComesBeforePointInEitherOrder)
{
    point p(1, 1);
    line ln(LINE{1.0, 0.0});
    geolist l1 = p & ln;
    geolist l2 = ln & p;
    for (const geolist* l : {&l1, &l2}) {
        ASSERT_EQ(l->count(), 2);
        EXPECT_EQ(l->type(0), 8);
        EXPECT_EQ(l->type(1), 4);
    }
}

TEST_F(GeolistTest, ObjectsThenNumbersThenKeywordsThenControls)
{
    point p(0, 0);
    line ln(LINE{0.0, 1.0});
    geolist l = p & control(7) & ln & 2.5 & "LEFT" & 3.0;
    ASSERT_EQ(l.count(), 6);
    const int codes[] = {8, 4, 2, 2, 1, 0};
    for (short i = 0; i < 6; ++i)
        EXPECT_EQ(Item(l, i).code, codes[i]) << i;
    EXPECT_EQ(Item(l, 2).number, 2.5);
    EXPECT_EQ(Item(l, 3).number, 3.0);
    EXPECT_EQ(Item(l, 4).keyword, 9);
    EXPECT_EQ(Item(l, 5).keyword, 7);
}

TEST_F(GeolistTest, ChainOnTemporariesBuildsOneList)
{
    point a(0, 0), b(1, 0);
    geolist l = a & b & 3.0 & "TANGENT";
    ASSERT_EQ(l.count(), 4);
    EXPECT_EQ(l.body()->refCount, 1);
    EXPECT_EQ(Item(l, 3).keyword, 2);
}

TEST_F(GeolistTest, KeywordTable)
{
    struct Case {
        const char* text;
        char code;
    };
    const Case cases[] = {
        {"INTERNAL", 11}, {"EXTERNAL", 10}, {"RIGHT", 8},       {"LEFT", 9},      {"BIG", 1},
        {"SMALL", 0},     {"RADIUS", 7},    {"CHORD", 6},       {"INSIDE", 11},   {"FIT", 11},
        {"OUTSIDE", 10},  {"END", 4},       {"START", 5},       {"MIDPOINT", 3},  {"MIDDLE", 3},
        {"TANGENT", 2},   {"DISTANCE", 15}, {"CENTER", 16},     {"UNDEFINED", 0}, {"ENVELOPS", 18},
        {"CENTER_1ST", 19}, {"tangent", 2}, {"Center_1st", 19}, {"CENTRE", 0},    {"TANGENTS", 0},
        {"TAN", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeywordCode(c.text), c.code) << c.text;
}

TEST_F(GeolistTest, LowerCaseKeywordIsMatchedAndLeftUnchanged)
{
    point p(0, 0);
    char text[] = "tangent";
    geolist l = p & 2.0 & text;
    ASSERT_EQ(l.count(), 3);
    EXPECT_EQ(Item(l, 2).code, 1);
    EXPECT_EQ(Item(l, 2).keyword, 2);
    EXPECT_STREQ(text, "tangent");
}

TEST_F(GeolistTest, EmptyKeywordInsertsNothingAndSetsError3)
{
    point p(0, 0), q(1, 1);
    geolist l = p & q;
    l & "";
    EXPECT_EQ(l.count(), 2);
    EXPECT_EQ(GeoError(), GEO_BAD_ARGUMENTS);
    GeoError() = 0;
    l & static_cast<const char*>(nullptr);
    EXPECT_EQ(l.count(), 2);
    EXPECT_EQ(GeoError(), GEO_BAD_ARGUMENTS);
}

TEST_F(GeolistTest, TwoItemConstructorWithEmptyKeywordLeavesEmptyList)
{
    point p(0, 0);
    geolist l = p & "";
    EXPECT_EQ(l.count(), 0);
    EXPECT_EQ(GeoError(), GEO_NO_MEMORY);
}

TEST_F(GeolistTest, CopyConstructionSharesAssignmentCopies)
{
    point a(0, 0), b(1, 1), c(2, 2);
    geolist first = a & b;
    geolist shared(first);
    geolist copied;
    copied = first;
    first & c;
    EXPECT_EQ(first.count(), 3);
    EXPECT_EQ(shared.count(), 3);
    EXPECT_EQ(copied.count(), 2);
    EXPECT_EQ(first.body(), shared.body());
    EXPECT_NE(first.body(), copied.body());
}

TEST_F(GeolistTest, AssignmentFromSharedBodyLeavesItToOthers)
{
    point a(0, 0), b(1, 1);
    geolist source = a & b;
    geolist target;
    geolist sharer(target);
    geolist_pr* old = target.body();
    EXPECT_EQ(old->refCount, 2);
    target = source;
    EXPECT_NE(target.body(), old);
    EXPECT_EQ(old->refCount, 1);
    EXPECT_EQ(sharer.count(), 0);
    EXPECT_EQ(target.count(), 2);
}

TEST_F(GeolistTest, AssignmentCopiesStoredValuesIntoOwnStore)
{
    geolist source = StoredPoints({{1, 2}, {3, 4}});
    geolist copy;
    EXPECT_EQ(copy = source, 2);
    ASSERT_EQ(copy.count(), 2);
    EXPECT_NE(Item(copy, 1).stored, Item(source, 1).stored);
    EXPECT_EQ(Item(copy, 1).stored->x, 3);
    EXPECT_EQ(Item(copy, 1).stored, copy.body()->store + 1);
    geolist self = StoredPoints({{5, 6}});
    self = self;
    EXPECT_EQ(self.count(), 1);
}

TEST_F(GeolistTest, AssignmentFromReference)
{
    geolist result = StoredPoints({{1, 2}});
    geolist_ref ref(result.body());
    geolist l;
    EXPECT_EQ(l = ref, 1);
    EXPECT_EQ(l.body(), result.body());
    EXPECT_EQ(result.body()->refCount, 3);

    point a(0, 0), b(1, 1);
    geolist kept = a & b;
    geolist_ref empty;
    EXPECT_EQ(kept = empty, 0);
    EXPECT_EQ(kept.count(), 2);
}

TEST_F(GeolistTest, TypeAndIndexOutside)
{
    geolist l = StoredPoints({{1, 2}});
    EXPECT_EQ(l.type(0), 4);
    EXPECT_EQ(l.type(l.count()), 0);
    EXPECT_EQ(l.type(-1), 0);
    EXPECT_EQ(l[5].item(), nullptr);
    EXPECT_EQ(l[0].type(), -4);
}

TEST_F(GeolistTest, ExcludeRemovesFirstExactCode)
{
    point a(0, 0), b(1, 1);
    geolist l = a & b;
    l & StoredPoints({{5, 5}, {6, 6}});
    ASSERT_EQ(l.count(), 4);
    l.exclude(4);
    ASSERT_EQ(l.count(), 3);
    EXPECT_EQ(Item(l, 0).object, &b);
    l.exclude(-4);
    ASSERT_EQ(l.count(), 2);
    EXPECT_EQ(Item(l, 1).stored->x, 6);
    l.exclude(9);
    EXPECT_EQ(l.count(), 2);
}

TEST_F(GeolistTest, AppendCopiesStoredValuesPieceFirst)
{
    geolist l = StoredList({{GEO_STORED_PIECE, {{0, 0}, {1, 1}}}});
    geolist points = StoredPoints({{5, 5}, {6, 6}});
    l & points;
    ASSERT_EQ(l.count(), 3);
    EXPECT_EQ(l.body()->storeCount, 4);
    const int codes[] = {-10, -4, -4};
    for (short i = 0; i < 3; ++i)
        EXPECT_EQ(Item(l, i).code, codes[i]);
    EXPECT_EQ(Item(l, 0).stored, l.body()->store);
    EXPECT_EQ(Item(l, 1).stored, l.body()->store + 2);
    EXPECT_EQ(l.body()->store[3].x, 6);
    EXPECT_EQ(l.body()->capacity, 3);
    // The source keeps its own store.
    EXPECT_EQ(Item(points, 0).stored, points.body()->store);
}

TEST_F(GeolistTest, AppendToItselfDoublesTheItems)
{
    geolist l = StoredPoints({{1, 1}, {2, 2}});
    l & l;
    ASSERT_EQ(l.count(), 4);
    EXPECT_EQ(Item(l, 3).stored->x, 2);
    EXPECT_EQ(l.body()->storeCount, 4);
}

TEST_F(GeolistTest, ClearOfSharedBodyLeavesOtherHolder)
{
    point a(0, 0), b(1, 1);
    geolist l = a & b;
    geolist other(l);
    l.clear();
    EXPECT_EQ(l.count(), 0);
    EXPECT_EQ(other.count(), 2);
    other.clear();
    EXPECT_EQ(other.count(), 0);
    EXPECT_EQ(other.body()->items, nullptr);
}

TEST_F(GeolistTest, StoreResultPointsAndItemPoint)
{
    geolist l = StoredPoints({{1, 2}, {3, 4}, {5, 6}});
    const geolist_pr* body = l.body();
    EXPECT_EQ(body->capacity, 3);
    EXPECT_EQ(body->storeCount, 3);
    for (short i = 0; i < 3; ++i) {
        EXPECT_EQ(Item(l, i).code, -4);
        EXPECT_EQ(ItemPoint(&Item(l, i)), body->store + i);
    }
    point p(7, 8);
    geolist withPoint = p & 1.0;
    EXPECT_EQ(ItemPoint(withPoint[0])->x, 7);
    EXPECT_EQ(GeoError(), 0);
    EXPECT_EQ(ItemPoint(withPoint[1]), nullptr);
    EXPECT_EQ(GeoError(), GEO_BAD_ARGUMENTS);
}

TEST_F(GeolistTest, GrowListAndCopyStoredValue)
{
    geolist l = StoredPoints({{1, 1}});
    ASSERT_TRUE(GrowList(l.body(), 2));
    EXPECT_EQ(l.body()->capacity, 3);

    G_POINT run[4] = {{3, 0}, {1, 1}, {2, 2}, {3, 3}};
    list_item item{};
    item.code = GEO_STORED_RUN;
    item.stored = run;
    G_POINT target[5] = {};
    G_POINT* cursor = target;
    EXPECT_EQ(CopyStoredValue(item, cursor), 4);
    EXPECT_EQ(cursor, target + 4);
    EXPECT_EQ(target[3].y, 3);
    item.code = GEO_STORED_ARC;
    cursor = target;
    EXPECT_EQ(CopyStoredValue(item, cursor), 3);
}

// A reference joined into a list is kept by the body: the item stays valid
// after the reference argument is gone.
TEST_F(GeolistTest, JoinedReferenceOutlivesItsArgument)
{
    point p(1, 1);
    geolist result = StoredPoints({{4, 4}});
    geolist l = p & geolist_ref(result.body());
    EXPECT_EQ(result.body()->refCount, 2);
    ASSERT_EQ(l.count(), 2);
    EXPECT_EQ(l.type(0), 17);
    const auto* held = static_cast<const geolist_ref*>(Item(l, 0).object);
    EXPECT_EQ(held->count(), 1);
    EXPECT_EQ(held->body(), result.body());
    geolist copy;
    copy = l;
    l.clear();
    EXPECT_EQ(static_cast<const geolist_ref*>(Item(copy, 0).object)->count(), 1);
}

TEST_F(GeolistTest, ReferenceAssignmentReleasesOldBody)
{
    geolist a = StoredPoints({{1, 1}});
    geolist b = StoredPoints({{2, 2}});
    geolist_ref ref(a.body());
    EXPECT_EQ(a.body()->refCount, 2);
    ref = geolist_ref(b.body());
    EXPECT_EQ(a.body()->refCount, 1);
    EXPECT_EQ(b.body()->refCount, 2);
    ref = ref;
    EXPECT_EQ(b.body()->refCount, 2);
    ref = geolist_ref();
    EXPECT_EQ(b.body()->refCount, 1);
    EXPECT_EQ(ref.count(), 0);
}

// Views of stored values joined into a new list are kept by its body too.
TEST_F(GeolistTest, JoinedViewsOfStoredValuesStayValid)
{
    geolist result = StoredPoints({{1, 1}, {2, 2}});
    geolist l = result[0] & result[1];
    ASSERT_EQ(l.count(), 2);
    EXPECT_EQ(Item(l, 0).code, 16);
    const auto* view = static_cast<const geoitem*>(Item(l, 1).object);
    EXPECT_EQ(view->item()->stored->x, 2);
}

TEST_F(GeolistTest, JoinedViewOfObjectTakesTheObject)
{
    point a(0, 0), b(1, 1);
    geolist src = a & b;
    geolist l = src[1] & a;
    ASSERT_EQ(l.count(), 2);
    EXPECT_EQ(Item(l, 0).object, &b);
    geolist one(src[0]);
    ASSERT_EQ(one.count(), 1);
    EXPECT_EQ(Item(one, 0).object, &a);

    geolist result = StoredPoints({{3, 3}});
    geolist grown = a & 2.0;
    grown + result[0];
    ASSERT_EQ(grown.count(), 3);
    EXPECT_EQ(Item(grown, 2).code, -4);
    EXPECT_EQ(Item(grown, 2).stored, result.body()->store);
}

TEST_F(GeolistTest, PolyMemberEntersAsItsVertexPoint)
{
    polygon square(1.0);
    poly_member vertex = square[1];
    geolist l;
    l + vertex;
    ASSERT_EQ(l.count(), 1);
    EXPECT_EQ(Item(l, 0).code, 4);
    EXPECT_EQ(Item(l, 0).object, &vertex.get_point());
}

TEST_F(GeolistTest, ListOverAnArray)
{
    point points[3] = {point(1, 1), point(2, 2), point(3, 3)};
    geolist l = points[0](3);
    ASSERT_EQ(l.count(), 3);
    for (short i = 0; i < 3; ++i) {
        EXPECT_EQ(Item(l, i).code, 4);
        EXPECT_EQ(Item(l, i).object, &points[i]);
    }
    EXPECT_EQ(l.body()->capacity, 3);
}

// An object adopted by a result body lives as long as any list holding its item.
TEST_F(GeolistTest, AdoptedObjectIsSharedByCopiesAndAppends)
{
    geolist appended;
    geolist copied;
    {
        geolist result;
        auto* owned = new point(2, 3);
        ASSERT_TRUE(AdoptObject(result.body(), owned));
        result + *owned;
        appended & result;
        copied = result;
    }
    ASSERT_EQ(appended.count(), 1);
    ASSERT_EQ(copied.count(), 1);
    EXPECT_EQ(ItemPoint(appended[0])->y, 3);
    EXPECT_EQ(ItemPoint(copied[0])->x, 2);
    EXPECT_FALSE(AdoptObject(appended.body(), nullptr));
}

TEST_F(GeolistTest, ReferenceJoinedIsAnItemAddedIsAppended)
{
    point a(0, 0), b(1, 1);
    geolist result = StoredPoints({{4, 4}, {5, 5}});
    geolist joined = a & b & geolist_ref(result.body());
    ASSERT_EQ(joined.count(), 3);
    EXPECT_EQ(joined.type(0), 17);
    geolist added = a & b;
    added + geolist_ref(result.body());
    ASSERT_EQ(added.count(), 4);
    EXPECT_EQ(added[3].type(), -4);
    EXPECT_NE(added.body()->items[3].stored, result.body()->items[1].stored);
}

TEST_F(GeolistTest, ListOnTheLeftThroughTheBaseInsertsIntoIt)
{
    point a(0, 0), b(1, 1), c(2, 2);
    geolist l = a & b;
    const geobject& base = l;
    geolist more = base & 2.0;
    EXPECT_EQ(more.body(), l.body());
    EXPECT_EQ(l.count(), 3);
    geolist pair = base & c;
    ASSERT_EQ(pair.count(), 2);
    EXPECT_EQ(pair.type(0), 14);
    EXPECT_EQ(pair.type(1), 4);
}

TEST_F(GeolistTest, ArrayListOfUnsupportedClassIsEmpty)
{
    geolist list;
    geolist none = list(3);
    EXPECT_EQ(none.count(), 0);
    EXPECT_EQ(GeoError(), GEO_BAD_ARGUMENTS);
}

// Bodies start with room for the items they are made with and grow by two.
TEST_F(GeolistTest, CapacitiesOfNewBodiesAndGrowthByTwo)
{
    point a(0, 0), b(1, 1), c(2, 2), d(3, 3);
    geolist one(a);
    EXPECT_EQ(one.body()->capacity, 2);
    geolist withNumber = a & 1.0;
    EXPECT_EQ(withNumber.body()->capacity, 3);
    geolist l = a & b;
    EXPECT_EQ(l.body()->capacity, 3);
    l & c;
    EXPECT_EQ(l.body()->capacity, 3);
    l & d;
    EXPECT_EQ(l.count(), 4);
    EXPECT_EQ(l.body()->capacity, 5);
}

TEST_F(GeolistTest, EmptyListAppendedChangesNothing)
{
    point a(0, 0);
    geolist l(a);
    geolist_pr* body = l.body();
    const list_item* items = body->items;
    l & geolist();
    EXPECT_EQ(l.body(), body);
    EXPECT_EQ(body->items, items);
    EXPECT_EQ(body->capacity, 2);
    EXPECT_EQ(l.count(), 1);
}

}  // namespace
