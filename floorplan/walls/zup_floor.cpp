#include "zup_floor.h"

#include <algorithm>
#include <cmath>

#include "kor_alignment.h"
#include "kor_scoped_value.h"
#include "zup_globals.h"
#include "zup_partition.h"

float ZupFloor::mDefaultOpeningWidth = 32.0f;
float ZupFloor::mDefaultWindowWidth = 35.0f;
G_POINT ZupFloor::mCurDiscrepancy{};
point::TRANSFORM ZupFloor::mCurTransformation;
polygon ZupFloor::mDefaultContour;
ZupFloor* ZupFloor::mpCurAddition = nullptr;
ZupPartition* ZupFloor::mpCurPartition = nullptr;

namespace {

// The depth a window shows in its wall (the window class's default depth).
int DefaultWindowDepth()
{
    return ZupMetric() ? 14 : 6;
}

void ResetDefaultWidths(float& opening, float& window)
{
    opening = ZupMetric() ? 80.0f : 32.0f;
    window = ZupMetric() ? 84.0f : 35.0f;
}

}  // namespace

ZupFloor::ZupFloor()
{
    mPartitions.reserve(5);
    SetRulesFlag(true);
    KorAlignment::mbSetImplicitColinear = false;
    mDefaultWallThickness = 0.0f;
    mAngularInputSnap = GetDefaultAngularInputSnap();
    LinearPlay() = static_cast<double>(GetDefaultLinearSnap());
    InputSnap() = GetDefaultLinearInputSnap();
    mMinWallLength = 4.0 * LinearPlay();
    ResetExtents();
    mScale = 1.0f;
    mPanX = mPanY = 0;
    mbResolvable = true;
    mWindowDepth = DefaultWindowDepth();
    ResetDefaultWidths(mDefaultOpeningWidth, mDefaultWindowWidth);
}

ZupFloor::~ZupFloor()
{
    ZupFloor::Clear();
    // The model's own destructor finds nothing left to delete that could
    // reach back into this floor.
}

void ZupFloor::Clear()
{
    mPartitionSearch.Reset();
    RemovePartitions();
    mScale = 1.0f;
    mbResolvable = true;
    mCurEdge = kNoCursor;
    mSavedCurEdge = kNoCursor;
    mCurPartition = kNoCursor;
    mCurNodeSerial = 0;
    mbOpeningCursor = false;
    mPanX = mPanY = 0;
    mpCurRoom = nullptr;
    mbChangedCursor = false;
    ResetExtents();
    mChangedNodes.clear();
    mChangedPrimitives.clear();
    {
        KorScopedValue<bool> clearing(mbClearing, true);
        KorModel::Clear();
    }
    mPartitionSearchWalls.clear();
}

void ZupFloor::ResetGlobals()
{
    ResetDefaultWidths(mDefaultOpeningWidth, mDefaultWindowWidth);
    mCurDiscrepancy = G_POINT{};
    mCurTransformation = point::TRANSFORM();
    mDefaultContour = polygon();
    mpCurAddition = nullptr;
    mpCurPartition = nullptr;
}

float ZupFloor::GetDefaultLinearInputSnap()
{
    return ZupMetric() ? 14.95f : 5.95f;
}

float ZupFloor::GetDefaultLinearSnap()
{
    return 0.99f;
}

angle ZupFloor::GetDefaultAngularInputSnap()
{
    return angle(5.1);
}

ZupPartition* ZupFloor::GetPartition(int i) const
{
    if (i < 0 || i >= static_cast<int>(mPartitions.size()))
        return nullptr;
    return mPartitions[i];
}

bool ZupFloor::NeedVertErrorDissipation()
{
    return std::abs(mCurDiscrepancy.y) > InputSnap();
}

bool ZupFloor::NeedHorErrorDissipation()
{
    return std::abs(mCurDiscrepancy.x) > InputSnap();
}

bool ZupFloor::IsAlignmentTypeOK(KOREntityType type) const
{
    return mAlignmentMode == ZUP_DETECT_ALL ||
           (mAlignmentMode == ZUP_DETECT_VERTICAL && type == KOR_VERTICAL) ||
           (mAlignmentMode == ZUP_DETECT_HORIZONTAL && type == KOR_HORIZONTAL);
}

// ---- Room objects ----

void ZupFloor::AddObject(ZupRoomObject* object)
{
    mRoomObjects.push_back(object);
    SetModified(true);
}

void ZupFloor::RemoveObject(ZupRoomObject* object)
{
    auto it = std::find(mRoomObjects.begin(), mRoomObjects.end(), object);
    if (it == mRoomObjects.end())
        return;
    mRoomObjects.erase(it);
    SetModified(true);
}

ZupRoomObject* ZupFloor::GetRoomObject(int i) const
{
    if (i < 0 || i >= static_cast<int>(mRoomObjects.size()))
        return nullptr;
    return mRoomObjects[i];
}

// ---- Openings ----

bool ZupFloor::AddOpening(ZupOpening* opening)
{
    bool inserted = opening && mOpenings.insert(opening).second;
    SetModified(true);
    return inserted;
}

ZupOpening* ZupFloor::Get1stOpening()
{
    mbOpeningCursor = false;
    if (mOpenings.empty())
        return nullptr;
    mOpeningCursor = mOpenings.begin();
    mbOpeningCursor = true;
    return *mOpeningCursor;
}

ZupOpening* ZupFloor::GetNextOpening()
{
    if (!mbOpeningCursor)
        return nullptr;
    if (mOpeningCursor != mOpenings.end())
        ++mOpeningCursor;
    if (mOpeningCursor == mOpenings.end()) {
        mbOpeningCursor = false;
        return nullptr;
    }
    return *mOpeningCursor;
}

// ---- Extents ----

void ZupFloor::ResetExtents()
{
    mMaxX = 100.0;
    mMaxY = 100.0;
    mMinX = 0.0;
    mMinY = 0.0;
}

void ZupFloor::ResetExtents(double x, double y)
{
    mMinX = mMaxX = x;
    mMinY = mMaxY = y;
}

void ZupFloor::ModifyExtents(double x, double y)
{
    if (GetNumOfNodes() < 2) {
        mMinX = mMaxX = x;
        mMinY = mMaxY = y;
        return;
    }
    if (x > mMaxX)
        mMaxX = x;
    if (x < mMinX)
        mMinX = x;
    if (y > mMaxY)
        mMaxY = y;
    if (y < mMinY)
        mMinY = y;
}

void ZupFloor::CalculateExtents()
{
    KorModel::CalculateExtents(&mMinX, &mMinY, &mMaxX, &mMaxY);
}

void ZupFloor::GetExtents(double* minX, double* minY, double* maxX, double* maxY) const
{
    if (minX)
        *minX = mMinX;
    if (minY)
        *minY = mMinY;
    if (maxX)
        *maxX = mMaxX;
    if (maxY)
        *maxY = mMaxY;
}
