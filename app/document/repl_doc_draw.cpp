// The drawing of the level's plan and of the room being edited: room fills
// and labels, walls broken at their holes, object symbols and markers, the
// room that failed to join, the shape thumbnails and the room's dimensions.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "dim_label.h"
#include "edit_mode.h"
#include "exchange_file.h"
#include "gdi_selection.h"
#include "kor_dimension.h"
#include "label_arrangement.h"
#include "kor_node.h"
#include "opening_symbols.h"
#include "plan_geometry.h"
#include "plan_wall_objects.h"
#include "repl_doc.h"
#include "mode_controls.h"
#include "room_floor.h"
#include "scaled_dc.h"
#include "xml_element.h"
#include "zup_edge.h"
#include "zup_node.h"
#include "zup_node_object.h"
#include "zup_object.h"
#include "zup_opening.h"
#include "zup_partition.h"
#include "zup_room_object.h"
#include "zup_wall_object.h"

namespace {

// Pens of the plan (colours 0x00BBGGRR).
constexpr COLORREF kObjectColour = 0x4B4B4B;
constexpr COLORREF kSelectionColour = 0x0000FF;
constexpr COLORREF kWallColour = 0x000000;
constexpr COLORREF kGuideColour = 0xC0C0C0;
constexpr COLORREF kDimensionColour = 0xFF0000;
constexpr COLORREF kEnabledDimensionColour = 0x00FF00;
constexpr int kEditWallWidth = 2;
// The status icons' row at the top of the view, kept free of labels.
constexpr int kStatusIconsHeight = 18;

// Dimension layers that the display filter knows.
constexpr int kLayerPlanOpeningWidth = 3;
constexpr int kLayerNearZero = 4;
constexpr int kLayerChain = 5;

constexpr float kCameraFontScale = 0.7f;
constexpr int kFailedPointRadius = 2;
constexpr int kExternalOpeningHalf = 3;
constexpr int kMarkerPixels = 3;
// The sizes a room's label may shrink to, in turn, to fit its room.
constexpr double kRoomLabelScales[] = {0.85, 0.7};

CRect BoundingBox(const std::vector<POINT>& points)
{
    CRect box(points.front().x, points.front().y, points.front().x, points.front().y);
    for (const POINT& p : points) {
        box.left = std::min<LONG>(box.left, p.x), box.right = std::max<LONG>(box.right, p.x);
        box.top = std::min<LONG>(box.top, p.y), box.bottom = std::max<LONG>(box.bottom, p.y);
    }
    box.NormalizeRect();
    return box;
}

// The size of a text of one or more lines in the current font.
CSize TextBlockSize(CDC& dc, const CString& text)
{
    CRect box(0, 0, 0, 0);
    dc.DrawText(text, &box, DT_CALCRECT | DT_NOCLIP);
    return box.Size();
}

void Line(CScaledDC& dc, POINT from, POINT to)
{
    dc.MoveTo(from);
    dc.LineTo(to);
}

// The model points mapped to the device and drawn as one polygon clipped
// at the top edge, in the current pen and brush.
void DrawModelPolygon(CScaledDC& dc, std::vector<POINT> points)
{
    if (dc.ToScreenAll(points))
        dc.Polygon(points);
}

std::vector<POINT> WholePoints(const polygon& contour)
{
    std::vector<POINT> points;
    for (short i = 0; i < contour.count(); ++i) {
        const point vertex(*contour.get_vertex(i));
        points.push_back(POINT{vertex.ix(), vertex.iy()});
    }
    return points;
}

void DrawCornerWindow(ZupNodeObject* corner, CScaledDC& dc)
{
    if (auto* drawable = dynamic_cast<CPlanNodeObject*>(corner))
        drawable->DrawCornerWindow(&dc);
}

ZupNode* WallNode(KorNode* node) { return dynamic_cast<ZupNode*>(node); }

// The corner object standing on the node, if any.
ZupNodeObject* CornerAt(KorNode* node)
{
    ZupNode* wallNode = WallNode(node);
    return wallNode ? wallNode->GetNodeObject(nullptr) : nullptr;
}

// The small ellipse around a free-standing object's position.
void DrawObjectMarker(CScaledDC& dc, ZupRoomObject& object)
{
    const point& p = object.GetPoint();
    dc.Ellipse(static_cast<int>(p.x() - 1), static_cast<int>(p.y() + 1),
               static_cast<int>(p.x() + 1), static_cast<int>(p.y() - 1));
}

bool AnyDragPickHeld()
{
    return g_pPickedPrimitive || g_pPickedNode || g_pPickedWallObject;
}

// The integer read as C's atoi does, from a bounded piece of text.
int ReadInteger(const char* from, const char* to)
{
    return std::atoi(std::string(from, to).c_str());
}

// Every "Node(x,y)" of a shape's command text.
std::vector<POINT> ShapeNodes(const char* body)
{
    std::vector<POINT> nodes;
    const char* cursor = body;
    while ((cursor = std::strstr(cursor, "Node(")) != nullptr) {
        cursor += 5;
        const char* comma = std::strchr(cursor, ',');
        if (!comma)
            break;
        const char* close = std::strchr(comma + 1, ')');
        if (!close)
            break;
        nodes.push_back(POINT{ReadInteger(cursor, comma), ReadInteger(comma + 1, close)});
        cursor = close + 1;
    }
    return nodes;
}

// A shape larger than its palette cell is shrunk into it, keeping its
// proportions and its bottom-left corner's place.
void FitIntoCell(std::vector<POINT>& points, const RECT& cell)
{
    LONG left = points.front().x, right = left, top = points.front().y, bottom = top;
    for (const POINT& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    // The outline's own pixels stay inside too: the last column and row of
    // the cell are its bounds.
    const LONG anchorX = std::max(left, cell.left);
    const LONG anchorY = std::min<LONG>(bottom, cell.bottom - 1);
    const double fx = static_cast<double>(cell.right - 1 - anchorX) / std::max<LONG>(1, right - left);
    const double fy = static_cast<double>(anchorY - cell.top) / std::max<LONG>(1, bottom - top);
    const double f = std::max(0.0, std::min({fx, fy, 1.0}));
    for (POINT& p : points) {
        p.x = anchorX + static_cast<LONG>(std::floor((p.x - left) * f));
        p.y = anchorY - static_cast<LONG>(std::floor((bottom - p.y) * f));
    }
}

CXMLElement* ShapeElement(int row, int column)
{
    const ExchangeTables& tables = GetExchangeTables();
    if (row < 0 || column < 0 || row >= static_cast<int>(tables.shapes.size()))
        return nullptr;
    const std::vector<CXMLElement*>& shapes = tables.shapes[static_cast<std::size_t>(row)];
    if (column >= static_cast<int>(shapes.size()))
        return nullptr;
    return shapes[static_cast<std::size_t>(column)];
}

}  // namespace

// ---- The plan ----

void CReplDoc::DrawPlan(CScaledDC& dc)
{
    if (m_roomView) {
        if (CEditMode* mode = GetEditMode())
            mode->Draw(dc);
        return;
    }
    dc.SelectStockObject(HOLLOW_BRUSH);
    DrawRooms(dc);
    if (!m_showRooms && m_currentRoom && m_currentRoom->mbClosed) {
        if (ZupPartition* partition = GetPartitionOfRoom(m_currentRoom)) {
            ScopedPen noOutline(dc, PS_NULL, 0, 0);
            ScopedBrush fill(dc, &m_planBrushes[0]);
            DrawRoom(dc, m_currentRoom, partition, true);
        }
    }
    // Over every fill, placed among each other.
    DrawRoomLabels(dc);
    DrawWalls(dc, m_plan);
    if (m_showObjects)
        DrawRoomObjects(dc, m_plan, false);
    if (!m_failedRoom)
        return;
    {
        ScopedPen red(dc, PS_SOLID, 0, kSelectionColour);
        DrawModelPolygon(dc, m_failedNodePoints);
        for (const POINT& p : m_failedOpeningPoints)
            dc.Ellipse(p.x - kFailedPointRadius, p.y - kFailedPointRadius, p.x + kFailedPointRadius,
                       p.y + kFailedPointRadius);
    }
    for (ZupOpening* opening = m_plan.Get1stOpening(); opening; opening = m_plan.GetNextOpening()) {
        if (!opening->IsExternal())
            continue;
        const point centre = opening->GetGeoCenter();
        const int x = static_cast<int>(centre.x());
        const int y = static_cast<int>(centre.y());
        dc.Rectangle(x - kExternalOpeningHalf, y - kExternalOpeningHalf, x + kExternalOpeningHalf,
                     y + kExternalOpeningHalf);
    }
}

void CReplDoc::DrawRooms(CScaledDC& dc)
{
    if (!m_showRooms)
        return;
    ScopedPen noOutline(dc, PS_NULL, 0, 0);
    // The plan's own order of rooms, so that the colours stay put.
    int filled = 0;
    for (int i = 0; i < m_plan.GetNumOfPartitions(); ++i) {
        ZupPartition* partition = m_plan.GetPartition(i);
        const auto found = m_partitionToRoom.find(partition);
        if (!partition || found == m_partitionToRoom.end() || partition->GetNumOfWalls() == 0)
            continue;
        std::optional<ScopedBrush> brush;
        if (m_showRooms)
            brush.emplace(dc, &m_planBrushes[filled % kPlanBrushCount]);
        ++filled;
        DrawRoom(dc, found->second, partition, m_showRooms);
    }
}

void CReplDoc::DrawRoom(CScaledDC& dc, CRoomFloor* room, ZupPartition* partition, bool fill)
{
    if (!room || !partition || !fill)
        return;
    std::vector<POINT> contour = WholePoints(partition->GetDisplayContour());
    if (dc.ToScreenAll(contour))
        dc.PolygonFromArray(contour.data(), static_cast<int>(contour.size()));
}

// Each room's name over its area, as one block at the room's centre; blocks
// that would cover each other move apart, and a name wider than its room is
// drawn smaller, down to a size still read.
std::vector<CReplDoc::RoomLabel> CReplDoc::ArrangeRoomLabels(CScaledDC& dc)
{
    std::vector<RoomLabel> labels;
    if (!m_showAreas && !m_showNames)
        return labels;
    std::vector<CLabelSlot> slots;
    LOGFONTW base{};
    CFont* current = dc.GetCurrentFont();
    const bool canShrink = current && current->GetLogFont(&base);
    for (int i = 0; i < m_plan.GetNumOfPartitions(); ++i) {
        ZupPartition* partition = m_plan.GetPartition(i);
        const auto found = m_partitionToRoom.find(partition);
        if (!partition || found == m_partitionToRoom.end() || partition->GetNumOfWalls() == 0)
            continue;
        RoomLabel label;
        label.text = RoomLabelText(found->second);
        std::vector<POINT> contour = WholePoints(partition->GetDisplayContour());
        POINT centre{static_cast<LONG>(partition->GetCenter().x()), static_cast<LONG>(partition->GetCenter().y())};
        if (label.text.IsEmpty() || contour.empty() || !dc.ToScreenAll(contour) || !dc.ToScreen(centre))
            continue;
        label.room = BoundingBox(contour);
        CSize size = TextBlockSize(dc, label.text);
        for (const double scale : kRoomLabelScales) {
            if (size.cx <= label.room.Width() - 2 || !canShrink)
                break;
            LOGFONTW smaller = base;
            smaller.lfHeight = static_cast<LONG>(std::lround(base.lfHeight * scale));
            label.font = smaller;
            ScopedFont font(dc, smaller);
            size = TextBlockSize(dc, label.text);
        }
        CLabelSlot slot;
        slot.x1 = slot.x2 = centre.x;
        slot.y1 = slot.y2 = centre.y;
        slot.outY = 1.0;
        slot.width = size.cx;
        slot.height = size.cy;
        slot.reach = size.cx;
        slots.push_back(slot);
        labels.push_back(std::move(label));
    }
    CRect bounds(0, 0, 0, 0);
    dc.GetClipBox(&bounds);
    const std::vector<CRect> boxes = ArrangeLabels(slots, bounds);
    for (std::size_t k = 0; k < labels.size(); ++k)
        labels[k].box = boxes[k];
    return labels;
}

void CReplDoc::DrawRoomLabels(CScaledDC& dc)
{
    for (RoomLabel& label : ArrangeRoomLabels(dc)) {
        std::optional<ScopedFont> font;
        if (label.font)
            font.emplace(dc, *label.font);
        dc.DrawText(label.text, &label.box, DT_CENTER | DT_NOCLIP);
    }
}

CString CReplDoc::RoomLabelText(CRoomFloor* room) const
{
    CString text;
    if (m_showNames && room->GetName())
        text = CString(room->GetName());
    if (m_showAreas) {
        if (const int area = static_cast<int>(room->GetArea()); area != 0) {
            CString number;
            number.Format(L"%d", area);
            text = text.IsEmpty() ? number : text + CString(L"\n") + number;
        }
    }
    return text;
}

void CReplDoc::DrawWalls(CScaledDC& dc, ZupFloor& floor)
{
    std::vector<ZupEdge*> edges;
    for (ZupEdge* edge = floor.Get1stEdge(); edge; edge = floor.GetNextEdge())
        edges.push_back(edge);
    for (ZupEdge* edge : edges)
        DrawWall(dc, edge);
}

void CReplDoc::DrawWall(CScaledDC& dc, ZupEdge* edge)
{
    if (!edge)
        return;
    for (const CWallRun& run : CollectWallRuns(*edge))
        Line(dc, run.from, run.to);
    // A corner shared by two chained walls is drawn once, as the start of
    // the second.
    ZupNodeObject* startCorner = CornerAt(edge->GetStart());
    ZupNodeObject* endCorner = edge->Unchained() ? CornerAt(edge->GetEnd()) : nullptr;
    for (ZupNodeObject* corner : {startCorner, endCorner}) {
        if (!corner)
            continue;
        corner->Draw(&dc);
        if (m_showObjects)
            DrawCornerWindow(corner, dc);
    }
    if (!m_showObjects)
        return;
    for (int i = 0; i < edge->GetNumOfObjects(); ++i)
        if (ZupWallObject* object = edge->GetWallObject(i))
            object->Draw(&dc);
}

void CReplDoc::DrawRoomObjects(CScaledDC& dc, ZupFloor& floor, bool markersOff)
{
    if (floor.GetNumOfObjects() == 0)
        return;
    ScopedPen objectPen(dc, PS_SOLID, 1, kObjectColour);
    // One reduced font for every camera name, made at the first camera.
    std::optional<ScopedFont> cameraFont;
    for (int i = 0; i < floor.GetNumOfObjects(); ++i) {
        ZupRoomObject* object = floor.GetRoomObject(i);
        if (!object)
            continue;
        if (object->IsCamera() && !cameraFont) {
            LOGFONTW font;
            CFont* current = dc.GetCurrentFont();
            if (current && current->GetLogFont(&font)) {
                font.lfHeight = static_cast<LONG>(font.lfHeight * kCameraFontScale);
                cameraFont.emplace(dc, font);
            }
        }
        object->Draw(&dc);
        if (markersOff)
            continue;
        if (object == m_selectedRoomObject) {
            ScopedPen red(dc, PS_SOLID, 0, kSelectionColour);
            DrawObjectMarker(dc, *object);
        } else {
            DrawObjectMarker(dc, *object);
        }
    }
}

// ---- The room being edited ----

void CReplDoc::DrawEditPlan(CScaledDC& dc)
{
    CBrush* brushBefore = dc.GetCurrentBrush();
    ScopedBrush hollow(dc, HOLLOW_BRUSH);
    if (m_alignRooms) {
        DrawRooms(dc);
        DrawWalls(dc, m_plan);
    }
    if (!m_currentRoom)
        return;
    CEditOutline outline;
    {
        ScopedPen wallPen(dc, PS_SOLID, kEditWallWidth, kWallColour);
        outline = CollectEditOutline(*m_currentRoom);
        for (ZupNodeObject* corner : outline.corners)
            corner->Draw(&dc);
        DrawModelPolygon(dc, outline.outline);
    }
    {
        ScopedPen guidePen(dc, PS_SOLID, kEditWallWidth, kGuideColour);
        for (std::size_t i = 0; i + 1 < outline.guides.size(); i += 2) {
            POINT pair[2] = {outline.guides[i], outline.guides[i + 1]};
            if (dc.ToScreen(pair[0]) && dc.ToScreen(pair[1]))
                dc.PolylineFromArray(pair, 2);
        }
    }
    if (ZupOpening* entrance = m_currentRoom->GetEntrance())
        DrawEntranceArrow(*entrance, dc);

    // The markers go in the pen and brush that were current at the start.
    ScopedBrush original(dc, brushBefore);
    RECT pixels{-kMarkerPixels, -kMarkerPixels, kMarkerPixels, kMarkerPixels};
    if (!dc.ToModelRect(pixels))
        return;
    const RECT box = CenteredMarkerBox(pixels);
    auto marker = [&](POINT at) {
        dc.Ellipse(box.left + at.x, box.top + at.y, box.right + at.x, box.bottom + at.y);
    };
    for (const POINT& at : outline.markers)
        marker(at);
    if (m_hitWallObject) {
        ScopedPen red(dc, PS_SOLID, 0, kSelectionColour);
        const point centre = m_hitWallObject->GetGeoCenter();
        marker(POINT{centre.ix(), centre.iy()});
    }
}

void CReplDoc::DrawCurrentNode(CScaledDC& dc)
{
    KorNode* node = m_currentRoom ? m_currentRoom->GetCurrentNode() : nullptr;
    if (!node)
        return;
    const double r = ZupObject::IsMetric() ? 20.0 : 10.0;
    const point& p = node->GetPoint();
    ScopedPen red(dc, PS_SOLID, 0, kSelectionColour);
    dc.Ellipse(static_cast<int>(p.x() - r), static_cast<int>(p.y() + r),
               static_cast<int>(p.x() + r), static_cast<int>(p.y() - r));
}

void CReplDoc::DrawWallObjects(CScaledDC& dc)
{
    if (AnyDragPickHeld()) {
        if (m_selectedRoomObject)
            m_selectedRoomObject->Draw(&dc);
        return;
    }
    if (!m_currentRoom)
        return;
    std::vector<ZupEdge*> edges;
    for (ZupEdge* edge = m_currentRoom->Get1stEdge(); edge; edge = m_currentRoom->GetNextEdge())
        edges.push_back(edge);
    for (ZupEdge* edge : edges) {
        DrawCornerWindow(CornerAt(edge->GetStart()), dc);
        for (int i = 0; i < edge->GetNumOfObjects(); ++i)
            if (ZupWallObject* object = edge->GetWallObject(i))
                object->Draw(&dc);
        DrawCornerWindow(CornerAt(edge->GetEnd()), dc);
    }
    DrawRoomObjects(dc, *m_currentRoom, false);
}

void CReplDoc::DrawShapeOutline(CScaledDC& dc, int row, int column, const RECT& cell,
                                int viewHeight)
{
    CXMLElement* shape = ShapeElement(row, column);
    const char* body = shape ? shape->GetAttribute("body") : nullptr;
    if (!body)
        return;
    std::vector<POINT> points = ShapeNodes(body);
    if (points.empty())
        return;
    if (!dc.ToScreenAll(points))
        return;
    for (POINT& p : points) {
        p.x += cell.left;
        p.y += cell.bottom - viewHeight;
    }
    // The last node repeats the first corner of a closed shape.
    points.back() = points.front();
    FitIntoCell(points, cell);
    dc.Polygon(points);
}

// ---- Dimensions ----

void CReplDoc::DrawDimensions(CScaledDC& dc, int selected)
{
    if (!m_currentRoom || mode_controls::ViewIsPanning(this))
        return;
    if (m_dimsActive && selected >= 0) {
        if (KorDimension* dimension = m_currentRoom->GetDimension(selected, nullptr))
            DrawDimension(dc, dimension, true);
        return;
    }
    ScopedPen blue(dc, PS_SOLID, 0, kDimensionColour);
    const std::vector<ShownDimension> shown = ArrangeDimensionLabels(dc, selected);
    // The selected one last, so that no other label covers its value.
    for (const bool last : {false, true})
        for (const ShownDimension& label : shown)
            if (label.selected == last)
                DrawDimension(dc, label, last);
}

std::vector<CReplDoc::ShownDimension> CReplDoc::ArrangeDimensionLabels(CScaledDC& dc, int selected)
{
    std::vector<ShownDimension> shown;
    if (!m_currentRoom)
        return shown;
    const int count = m_currentRoom->GetNumOfDimensions();
    // The selected label is placed first: it keeps its own place.
    std::vector<int> order;
    if (selected >= 0 && selected < count)
        order.push_back(selected);
    for (int i = 0; i < count; ++i)
        if (i != selected)
            order.push_back(i);
    std::vector<CLabelSlot> slots;
    for (const int i : order) {
        KorDimension* dimension = m_currentRoom->GetDimension(i, nullptr);
        if (!dimension || !PassesDimensionFilter(dimension))
            continue;
        auto label = std::make_unique<CDimLabel>(dimension, dc, m_halfInches);
        if (!label->IsLaidOut())
            continue;
        slots.push_back(label->GetTextSlot(dc));
        shown.push_back({dimension, std::move(label), CRect(), i == selected});
    }
    // Inside the view and below the status icons where there is room.
    CRect bounds(0, 0, 0, 0);
    dc.GetClipBox(&bounds);
    bounds.top += kStatusIconsHeight;
    const std::vector<CRect> boxes = ArrangeLabels(slots, bounds);
    for (std::size_t k = 0; k < shown.size(); ++k)
        shown[k].textBox = boxes[k];
    return shown;
}

void CReplDoc::DrawDimension(CScaledDC& dc, const ShownDimension& label, bool selected)
{
    std::optional<ScopedPen> pen;
    if (selected)
        pen.emplace(dc, PS_SOLID, 0, kSelectionColour);
    else if (label.dimension->IsEnabled())
        pen.emplace(dc, PS_SOLID, 0, kEnabledDimensionColour);
    label.label->Draw(dc, label.textBox);
}

void CReplDoc::DrawDimension(CScaledDC& dc, KorDimension* dimension, bool selected)
{
    if (!dimension)
        return;
    std::optional<ScopedPen> pen;
    if (selected)
        pen.emplace(dc, PS_SOLID, 0, kSelectionColour);
    else if (dimension->IsEnabled())
        pen.emplace(dc, PS_SOLID, 0, kEnabledDimensionColour);
    const CDimLabel label(dimension, dc, m_halfInches);
    label.Draw(dc);
}

bool CReplDoc::PassesDimensionFilter(KorDimension* dimension) const
{
    if (!dimension)
        return false;
    if (m_dimsUnlocked && dimension->IsEnabled())
        return false;
    const int layer = dimension->GetLayer();
    if (layer == kLayerPlanOpeningWidth)
        return false;
    if (m_hideZeroDimensions && layer == kLayerNearZero)
        return false;
    return layer != kLayerChain;
}

bool CReplDoc::IsDimensionVisible(int index) const
{
    if (!m_currentRoom)
        return false;
    return PassesDimensionFilter(m_currentRoom->GetDimension(index, nullptr));
}
