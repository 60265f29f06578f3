// The room model: construction, clearing, resolve, transforms, outline and
// area, resizing and the key-step cursors.
#include "room_floor.h"

#include <algorithm>
#include <cmath>

#include "edge_chain_spec.h"
#include "kor_dimension.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "kor_radial.h"
#include "kor_arc.h"
#include "kor_circle.h"
#include "zup_edge.h"
#include "zup_object.h"
#include "zup_opening.h"

namespace {

constexpr double kAngularPlayDegrees = 0.15;
constexpr double kSquareInchesPerSquareFoot = 0.006944444444444444;
constexpr double kSquareMetresPerSquareCentimetre = 0.0001;

point NodePoint(KorNode* node) { return node ? node->GetPoint() : point(); }

}  // namespace

CRoomFloor::CRoomFloor()
{
    AngularPlay() = angle(kAngularPlayDegrees);
    ZupFloor::SetIntersectControl(true);
    // Written directly: the setter would also rebuild the alignment trackers.
    mbSmartDragging = false;
    SetLayout(true);
    InputSnap() = GetNodeMarkerSize();
    SetScale(1.0f);
    SetPan(0, 0);
}

CRoomFloor::~CRoomFloor() { CRoomFloor::Clear(); }

float CRoomFloor::GetNodeMarkerSize() { return ZupObject::IsMetric() ? 20.0f : 10.0f; }

// ---- The model's operations ----

void CRoomFloor::Clear()
{
    RemoveSolution();
    if (!mChains.empty())
        mChains.front().DropChainDimensions();
    DropOrderingEntries();
    mReferenceDimensions.clear();
    mChainDisabledDimensions.clear();
    mHeldForPlan.clear();
    mDimensionMark = -1;
    mSolverDimensionCount = 0;
    ZupFloor::Clear();
    mPromotedDimensions.clear();
    SetScale(1.0f);
    SetPan(0, 0);
    mZoom = 1.0f;
    mbAutoFit = true;
    InvalidateArea();
}

// Entries behind the room's own solver dimensions are the solving order of
// its reference dimensions: they leave the list, the dimensions stay.
void CRoomFloor::DropOrderingEntries()
{
    if (static_cast<int>(mDimensions.size()) <= mSolverDimensionCount)
        return;
    auto isReference = [this](KorDimension* d) {
        return std::find(mReferenceDimensions.begin(), mReferenceDimensions.end(), d) !=
               mReferenceDimensions.end();
    };
    auto tail = mDimensions.begin() + mSolverDimensionCount;
    mDimensions.erase(std::remove_if(tail, mDimensions.end(), isReference), mDimensions.end());
}

bool CRoomFloor::Resolve()
{
    mbRequireIntersectionAttributes = false;
    if (!KorModel::Resolve())
        return false;
    if (!IsInDrag())
        CalculateExtents();
    InvalidateArea();
    return true;
}

void CRoomFloor::UpdateDimensions()
{
    for (KorDimension* dimension : mReferenceDimensions)
        dimension->Update(nullptr, nullptr);
    KorModel::UpdateDimensions();
}

void CRoomFloor::UpdateOrientations()
{
    ZupFloor::UpdateOrientations();
    for (KorDimension* dimension : mReferenceDimensions)
        dimension->CalculateOrientation();
}

void CRoomFloor::Move(double dx, double dy)
{
    KorModel::Move(dx, dy);
    mbChanged = true;
}

void CRoomFloor::Scale(double factor)
{
    KorModel::Scale(factor);
    InvalidateArea();
}

void CRoomFloor::Mirror(const line& axis)
{
    KorModel::Mirror(axis);
    UpdateEntranceAngles(false, false);
    mbChanged = true;
}

void CRoomFloor::SetModified(bool modified)
{
    ZupFloor::SetModified(modified);
    if (modified)
        mbChangedSinceSnapshot = true;
}

void CRoomFloor::RemoveEdge(ZupEdge* edge)
{
    for (CEdgeChain& chain : mChains)
        chain.RemoveWall(edge);
    mWallCursor = std::min(mWallCursor, std::max(0, GetNumOfPrimitives() - 1));
    ZupFloor::RemoveEdge(edge);
}

void CRoomFloor::UpdateObjects()
{
    ZupFloor::UpdateObjects();
    mbChanged = true;
}

bool CRoomFloor::SetIntersectControl(bool on)
{
    if (!mbBelow)
        ZupFloor::SetIntersectControl(on);
    return mbBelow;
}

polygon& CRoomFloor::GetContour()
{
    ComputeArea();
    return mContour;
}

polygon& CRoomFloor::GetOuterContour()
{
    ComputeArea();
    return mOutline;
}

// ---- Outline and area ----

void CRoomFloor::InvalidateArea()
{
    mbChanged = true;
    mArea = 0;
}

void CRoomFloor::ComputeArea()
{
    if (!mbChanged && mArea != 0)
        return;
    mOutline.clear();
    if (!IsSolved() && !IsResolved())
        Resolve();
    mbNoWallThickness = true;
    for (ZupEdge* wall = Get1stEdge(); wall; wall = GetNextEdge()) {
        mOutline + NodePoint(wall->GetStart());
        // An arc wall adds its middle point (the arc's, not the chord's).
        if (wall->GetCenter())
            if (auto* arc = dynamic_cast<KorArc*>(wall->GetPrimitive()))
                mOutline + arc->KorArc::GetGeoCenter();
        if (wall->WallThickness() > 0.0f)
            mbNoWallThickness = false;
    }
    mOutline.close();
    mContour = mOutline;
    mbChanged = false;
    if (mArea == 0) {
        const double area = mContour.area();
        mArea = std::isfinite(area) ? static_cast<int>(std::clamp(area, -2147483647.0, 2147483647.0))
                                    : 0;
    }
}

float CRoomFloor::GetArea()
{
    if (mArea == 0)
        ComputeArea();
    const double factor =
        ZupObject::IsMetric() ? kSquareMetresPerSquareCentimetre : kSquareInchesPerSquareFoot;
    return static_cast<float>(mArea * factor);
}

// ---- Shapes and size ----

bool CRoomFloor::LoadShape(const char* body, const std::vector<CEdgeChainSpec>* chains,
                           bool intersect, bool withNodeCursor)
{
    if (!PlayString(body))
        return false;
    if (ZupObject::IsMetric())
        Scale(2.54);
    AddShapeDimensions();
    SetIntersectControl(intersect);
    mSolverDimensionCount = static_cast<int>(mDimensions.size());
    mNodeCursor = withNodeCursor ? 0 : -1;
    ApplyChains(chains ? *chains : std::vector<CEdgeChainSpec>());
    CountEnabledAngles();
    return true;
}

// Every wall of a shape gets its length (or radius) as a dimension.
void CRoomFloor::AddShapeDimensions()
{
    const std::vector<KorPrimitive*> primitives = GetPrimitives();
    for (KorPrimitive* primitive : primitives) {
        if (auto* circle = dynamic_cast<KorCircle*>(primitive)) {
            auto* radius = new KorRadial();
            if (!radius->Create(this, circle, true))
                delete radius;
            continue;
        }
        auto* length = new KorNNDistance();
        if (!length->Create(this, primitive->GetStart(), primitive->GetEnd(), true))
            delete length;
    }
}

void CRoomFloor::ResizeTo(int width, int depth)
{
    if (GetNumOfNodes() == 0)
        return;
    const double spanX = GetMaxX() - GetMinX();
    const double spanY = GetMaxY() - GetMinY();
    // A room without width or depth keeps that direction as it is.
    const double fx = spanX > 0.0 ? width / spanX : 1.0;
    const double fy = spanY > 0.0 ? depth / spanY : 1.0;
    if (!std::isfinite(fx) || !std::isfinite(fy))
        return;
    const std::vector<KorNode*> nodes = GetNodes();
    bool first = true;
    for (KorNode* node : nodes) {
        const double x = node->GetPoint().x() * fx;
        const double y = node->GetPoint().y() * fy;
        node->x() = x;
        node->y() = y;
        if (first) {
            ResetExtents(x, y);
            first = false;
        }
        ModifyExtents(x, y);
    }
    UpdateTrackers();
    InvalidateArea();
}

void CRoomFloor::SetSize(int width, int depth)
{
    mWidth = width;
    mDepth = depth;
}

// ---- View ----

float CRoomFloor::MultiplyZoom(float factor)
{
    mZoom *= factor;
    return mZoom;
}

// ---- Cursors ----

KorNode* CRoomFloor::GetCurrentNode() const
{
    const std::vector<KorNode*>& nodes = GetNodes();
    if (mNodeCursor < 0 || mNodeCursor >= static_cast<int>(nodes.size()))
        return nullptr;
    return nodes[mNodeCursor];
}

int CRoomFloor::StepCurrentNode(bool forward)
{
    const std::vector<KorNode*>& nodes = GetNodes();
    const int count = static_cast<int>(nodes.size());
    if (count == 0)
        return 0;
    // One full pass at most: a room whose nodes hold no wall has no answer.
    for (int step = 0; step < count; ++step) {
        if (forward)
            mNodeCursor = mNodeCursor + 1 >= count ? 0 : mNodeCursor + 1;
        else
            mNodeCursor = mNodeCursor - 1 < 0 ? count - 1 : mNodeCursor - 1;
        const int walls = nodes[mNodeCursor]->GetNumOfPrimitives();
        if (walls > 0)
            return walls;
    }
    return 0;
}

void CRoomFloor::GetOutlinePoints(std::vector<POINT>& nodePoints,
                                  std::vector<POINT>& openingPoints)
{
    nodePoints.clear();
    openingPoints.clear();
    // A node far off (a damaged file) is pinned to the edge of the pixel range.
    auto toPoint = [](const point& p) {
        auto pixel = [](double v) {
            constexpr double kLimit = 2147483647.0;
            return static_cast<LONG>(std::isfinite(v) ? std::clamp(v, -kLimit, kLimit) : 0.0);
        };
        return POINT{pixel(p.x()), pixel(p.y())};
    };
    bool first = true;
    for (KorPrimitive* primitive : GetPrimitives()) {
        if (first) {
            nodePoints.push_back(toPoint(NodePoint(primitive->GetStart())));
            first = false;
        }
        nodePoints.push_back(toPoint(NodePoint(primitive->GetEnd())));
    }
    for (ZupOpening* opening = Get1stOpening(); opening; opening = GetNextOpening())
        openingPoints.push_back(toPoint(opening->GetGeoCenter()));
}
