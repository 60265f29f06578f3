#include "label_arrangement.h"

#include <algorithm>
#include <cmath>

namespace {

// Free pixels between a text and its line.
constexpr int kClearance = 2;
// Free pixels between two texts: a space wide, so that two numbers side by
// side read as two.
constexpr int kTextGap = 4;
// Steps of a search along the line.
constexpr int kSlideStep = 2;
// Rings outwards a text may move when its line leaves it no place.
constexpr int kOutwardTiers = 3;

struct Direction {
    double x, y;
};

Direction Along(const CLabelSlot& slot)
{
    const double dx = slot.x2 - slot.x1, dy = slot.y2 - slot.y1;
    const double length = std::hypot(dx, dy);
    if (length > 0.0)
        return {dx / length, dy / length};
    // A point: slide across, as the text runs.
    return {1.0, 0.0};
}

// Half the box's extent along a direction.
double HalfExtent(const CLabelSlot& slot, Direction d)
{
    return (std::fabs(d.x) * slot.width + std::fabs(d.y) * slot.height) / 2.0;
}

CRect BoxAt(const CLabelSlot& slot, double cx, double cy)
{
    const int left = static_cast<int>(std::lround(cx - slot.width / 2.0));
    const int top = static_cast<int>(std::lround(cy - slot.height / 2.0));
    return CRect(left, top, left + slot.width, top + slot.height);
}

bool Crosses(const CLabelSlot& line, const CRect& box)
{
    return SegmentCrossesRect(line.x1, line.y1, line.x2, line.y2, box);
}

class Arranger {
public:
    Arranger(const std::vector<CLabelSlot>& slots, const CRect& bounds) : m_slots(slots), m_bounds(bounds) {}

    std::vector<CRect> Run()
    {
        for (std::size_t i = 0; i < m_slots.size(); ++i)
            m_placed.push_back(Place(i));
        return m_placed;
    }

private:
    CRect Place(std::size_t i) const
    {
        const CLabelSlot& slot = m_slots[i];
        const Direction along = Along(slot);
        const Direction out{slot.outX, slot.outY};
        // A text of a point stands on it; one of a line beyond the line.
        const bool point = slot.x1 == slot.x2 && slot.y1 == slot.y2;
        const double standOff = point ? 0.0 : kClearance + HalfExtent(slot, out);
        const double mx = (slot.x1 + slot.x2) / 2.0, my = (slot.y1 + slot.y2) / 2.0;
        const double halfLine = std::hypot(slot.x2 - slot.x1, slot.y2 - slot.y1) / 2.0;
        const int slides = static_cast<int>((halfLine + slot.reach) / kSlideStep);
        const double tier = 2.0 * HalfExtent(slot, out) + kClearance;
        const CRect first = BoxAt(slot, mx + out.x * standOff, my + out.y * standOff);
        // Inside the view first, then anywhere free; else the first place.
        for (const bool inside : {true, false})
            for (int t = 0; t <= kOutwardTiers; ++t)
                for (int s = 0; s <= 2 * slides; ++s) {
                    const int step = (s + 1) / 2 * (s % 2 == 1 ? 1 : -1);
                    const double shift = step * kSlideStep;
                    const double reach = standOff + t * tier;
                    const CRect box =
                        BoxAt(slot, mx + out.x * reach + along.x * shift, my + out.y * reach + along.y * shift);
                    if (inside && (box & m_bounds) != box)
                        continue;
                    if (IsFree(i, box))
                        return box;
                }
        return first;
    }

    bool IsFree(std::size_t i, const CRect& box) const
    {
        CRect spaced = box;
        spaced.InflateRect(kTextGap, kTextGap);
        for (const CRect& other : m_placed)
            if (!(spaced & other).IsRectEmpty())
                return false;
        // A pixel of paper to every line: the stand-off keeps twice that to
        // the text's own line, and so to the lines that continue it.
        CRect lined = box;
        lined.InflateRect(1, 1);
        for (std::size_t k = 0; k < m_slots.size(); ++k) {
            const CLabelSlot& line = m_slots[k];
            if (line.x1 == line.x2 && line.y1 == line.y2)
                continue;
            if (Crosses(line, k == i ? box : lined))
                return false;
        }
        return true;
    }

    const std::vector<CLabelSlot>& m_slots;
    CRect m_bounds;
    std::vector<CRect> m_placed;
};

}  // namespace

bool SegmentCrossesRect(double x1, double y1, double x2, double y2, const CRect& box)
{
    // Clipped against each side in turn (Liang-Barsky).
    double t0 = 0.0, t1 = 1.0;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {x1 - box.left, box.right - 1 - x1, y1 - box.top, box.bottom - 1 - y1};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0)
                return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

std::vector<CRect> ArrangeLabels(const std::vector<CLabelSlot>& slots, const CRect& bounds)
{
    return Arranger(slots, bounds).Run();
}
