// The camera's symbol.
#include "camera_symbol.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <utility>
#include <vector>

#include "c_string.h"
#include "gdi_selection.h"
#include "plan_room_objects.h"
#include "symbol_helpers.h"
#include "zup_object.h"

// Follows the unit flag as it stands: a level loaded in the other unit
// system gets symbols of its own size.
int GetSymbolUnit()
{
    return ZupObject::IsMetric() ? 4 : 2;
}

int CameraSymbolUnit(const CScaledDC& dc)
{
    const int unit = GetSymbolUnit();
    RECT box{0, 0, unit, unit};
    if (!dc.ToModelRect(box))
        return unit;
    const int width = std::abs(box.right - box.left);
    return width > unit ? width : unit;
}

namespace {

int Halves(int halves, int unit)
{
    const int size = std::abs(halves);
    const int length = (size / 2) * unit + (size % 2) * (unit / 2);
    return halves < 0 ? -length : length;
}

std::vector<POINT> FramePath(const point& p, const angle& dir, int unit,
                             std::initializer_list<std::pair<int, int>> halves)
{
    std::vector<POINT> path;
    for (const auto& [forward, left] : halves)
        path.push_back(CameraFramePoint(p, dir, unit, forward, left));
    return path;
}

}  // namespace

POINT CameraFramePoint(const point& p, const angle& dir, int unit, int forwardHalves, int leftHalves)
{
    const point ahead = StepAlong(p, Halves(forwardHalves, unit), dir);
    return WholePoint(StepAlong(ahead, Halves(leftHalves, unit), dir + 90.0));
}

void CPlanCamera::Draw(void* context)
{
    if (!context)
        return;
    CScaledDC& dc = *static_cast<CScaledDC*>(context);
    const int u = CameraSymbolUnit(dc);
    const point p = GetGeoCenter();
    const angle dir = GetInDir();
    {
        ScopedPen pen(dc, PS_SOLID, 0, static_cast<COLORREF>(GetPenColour()));
        if (!pen.Made())
            return;
        // Body, 2u deep and 6u wide, and the back window.
        DrawModelPolygon(dc, FramePath(p, dir, u, {{2, 6}, {-2, 6}, {-2, -6}, {2, -6}}));
        DrawModelPolyline(dc, FramePath(p, dir, u, {{-2, -2}, {0, -2}, {0, 2}, {-2, 2}}));
        ScopedBrush black(dc, BLACK_BRUSH);
        // The reels.
        for (int side : {4, -4}) {
            const POINT c = CameraFramePoint(p, dir, u, 0, side);
            const int r = u / 2;
            dc.Ellipse(c.x - r, c.y - r, c.x + r, c.y + r);
        }
        // The lens: a block on the front face with a narrower one before it.
        DrawModelPolygon(dc, FramePath(p, dir, u,
                                       {{2, 2}, {3, 2}, {3, 1}, {4, 1}, {4, -1}, {3, -1}, {3, -2}, {2, -2}}));
    }
    POINT label = WholePoint(StepAlong(p, 5.0 * u, dir));
    if (!dc.ToScreen(label))
        return;
    const std::string name = GetName();
    dc.TextOut(label.x, label.y, CString(std::string_view(name)));
}
