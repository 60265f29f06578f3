#include "dim_label.h"

#include <cmath>

#include "distances.h"
#include "kor_dimension.h"
#include "kor_node.h"
#include "length_text.h"
#include "scaled_dc.h"

namespace {

// Below this a sine or cosine counts as zero, so right angles stay exact.
constexpr float kExactTurn = 0.001f;
constexpr float kDegreesPerRadian = 57.29578f;
constexpr float kRadiansPerDegree = 0.017453292f;
constexpr float kQuarterTurn = 1.5707964f;
constexpr float kHalfTurn = 3.1415927f;

// Label geometry in device pixels.
constexpr float kExtensionLength = 10.0f;
constexpr float kDimensionLineOffset = 5.0f;

struct Stroke {
    int x1, y1, x2, y2;
};

struct Glyph {
    const Stroke* strokes;
    int count;
    CDimPoint attach;
};

// Arrowheads with the tip at the origin, barbs 2 aside and 5 back, and a
// stub of 8 behind the tip whose end is the attach point.
constexpr Stroke kArrowUpStrokes[] = {{-2, -5, 0, 0}, {0, 0, 2, -5}, {0, 0, 0, -8}};
constexpr Stroke kArrowDownStrokes[] = {{-2, 5, 0, 0}, {0, 0, 2, 5}, {0, 0, 0, 8}};

// Only the two arrowheads are drawn by the program; the other places of
// the table stay empty.
const Glyph* FindGlyph(int index)
{
    static const Glyph kArrowUp{kArrowUpStrokes, 3, {0.0, -8.0}};
    static const Glyph kArrowDown{kArrowDownStrokes, 3, {0.0, 8.0}};
    if (index == CDimSymbol::kArrowUp)
        return &kArrowUp;
    if (index == CDimSymbol::kArrowDown)
        return &kArrowDown;
    return nullptr;
}

int Sign(float value) { return value < 0.0f ? -1 : 1; }

CDimPoint ToDimPoint(POINT p) { return {static_cast<double>(p.x), static_cast<double>(p.y)}; }

CDimPoint Midpoint(CDimPoint a, CDimPoint b) { return {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0}; }

// The text extends from its anchor in the direction of the normal: the
// flags put the box on that side of the anchor.
int AnchorFlagsToward(CDimPoint from, CDimPoint toward)
{
    int flags = 0;
    if (toward.x < from.x)
        flags |= kDimAnchorLeftOf;
    else if (toward.x == from.x)
        flags |= kDimAnchorCentreAcross;
    if (toward.y < from.y)
        flags |= kDimAnchorAbove;
    else if (toward.y == from.y)
        flags |= kDimAnchorCentreUpDown;
    return flags;
}

bool IsNode(KorEntity* entity) { return entity && entity->GetType() == KOR_NODE; }

}  // namespace

// ---- CDimText ----

CDimText::CDimText(double x, double y, const CString& text, int anchorFlags)
    : m_text(text), m_anchorFlags(anchorFlags)
{
    SetPosition(x, y);
}

void CDimText::SetPosition(double x, double y)
{
    m_x = static_cast<int>(x);
    m_y = static_cast<int>(y);
}

CPoint CDimText::PlaceBox(POINT anchor, int width, int height) const
{
    int across = 0;
    if ((m_anchorFlags & kDimAnchorCentreAcross) == kDimAnchorCentreAcross)
        across = width / 2;
    else if (m_anchorFlags & kDimAnchorLeftOf)
        across = width;
    int upDown = 0;
    if ((m_anchorFlags & kDimAnchorCentreUpDown) == kDimAnchorCentreUpDown)
        upDown = height / 2;
    else if (m_anchorFlags & kDimAnchorAbove)
        upDown = height;
    return CPoint(anchor.x - across, anchor.y - upDown);
}

CSize CDimText::Measure(CDC& dc) const
{
    CRect box(0, 0, 0, 0);
    dc.DrawText(m_text, &box, DT_CALCRECT | DT_NOCLIP);
    return box.Size();
}

void CDimText::DrawInBox(CDC& dc, const CRect& box) const
{
    CRect target = box;
    dc.DrawText(m_text, &target, DT_CENTER | DT_NOCLIP);
}

void CDimText::Draw(CScaledDC& dc, bool anchorIsDevice) const
{
    CRect box(0, 0, 0, 0);
    dc.DrawText(m_text, &box, DT_CALCRECT | DT_NOCLIP);
    if (box.Height() == 0)
        return;
    POINT anchor{m_x, m_y};
    if (!anchorIsDevice && !dc.ToScreen(anchor))
        return;
    const CPoint corner = PlaceBox(anchor, box.Width(), box.Height());
    box.OffsetRect(corner.x - box.left, corner.y - box.top);
    dc.DrawText(m_text, &box, DT_CENTER | DT_NOCLIP);
}

// ---- CDimLines ----

void CDimLines::SetPoint(int index, double x, double y)
{
    if (index < 0 || index >= m_count)
        return;
    m_points[index] = POINT{static_cast<LONG>(x), static_cast<LONG>(y)};
}

void CDimLines::SetCount(int count)
{
    m_count = count < 0 ? 0 : (count > kMaxPoints ? kMaxPoints : count);
}

void CDimLines::Draw(CDC& dc) const
{
    if (m_mode == kPolylineMode) {
        if (m_count == 0)
            return;
        dc.MoveTo(m_points[0]);
        for (int i = 1; i < m_count; ++i)
            dc.LineTo(m_points[i]);
        return;
    }
    for (int i = 0; i + 1 < m_count; i += 2) {
        dc.MoveTo(m_points[i]);
        dc.LineTo(m_points[i + 1]);
    }
}

// ---- CDimRotation ----

CDimRotation CDimRotation::FromPoints(POINT a, POINT b)
{
    CDimRotation r;
    const float dx = static_cast<float>(b.x) - static_cast<float>(a.x);
    const float dy = static_cast<float>(b.y) - static_cast<float>(a.y);
    r.radians = std::atan2(dy, dx);
    r.degrees = r.radians * kDegreesPerRadian;
    r.sine = std::sin(r.radians);
    r.cosine = std::cos(r.radians);
    if (a.x == b.x) {
        const bool up = a.y < b.y;
        r = {up ? 1.0f : -1.0f, 0.0f, up ? kQuarterTurn : -kQuarterTurn, up ? 90.0f : -90.0f};
    }
    // Two equal points end here as a half turn.
    if (a.y == b.y) {
        const bool right = a.x < b.x;
        r = {0.0f, right ? 1.0f : -1.0f, right ? 0.0f : kHalfTurn, right ? 0.0f : 180.0f};
    }
    return r;
}

CDimRotation CDimRotation::FromAngle(float degrees)
{
    CDimRotation r;
    r.degrees = degrees;
    r.radians = degrees * kRadiansPerDegree;
    r.sine = std::sin(r.radians);
    r.cosine = std::cos(r.radians);
    if (std::fabs(r.cosine) < kExactTurn) {
        r.cosine = 0.0f;
        r.sine = static_cast<float>(Sign(r.sine));
    } else if (std::fabs(r.sine) < kExactTurn) {
        r.sine = 0.0f;
        r.cosine = static_cast<float>(Sign(r.cosine));
    }
    return r;
}

CDimRotation CDimRotation::Combine(const CDimRotation& r, const CDimRotation& s)
{
    return FromAngle(r.degrees + s.degrees);
}

void CDimRotation::Apply(double& x, double& y) const
{
    if (std::fabs(sine) < kExactTurn) {
        if (cosine < 0.0f) {
            x = -x;
            y = -y;
        }
        return;
    }
    if (std::fabs(cosine) < kExactTurn) {
        const double oldX = x;
        if (sine >= 0.0f) {
            x = -y;
            y = oldX;
        } else {
            x = y;
            y = -oldX;
        }
        return;
    }
    const double oldX = x;
    x = cosine * oldX - sine * y;
    y = sine * oldX + cosine * y;
}

CDimPoint CDimRotation::Offset(CDimPoint from, float distance) const
{
    return {from.x + static_cast<double>(distance * cosine),
            from.y + static_cast<double>(distance * sine)};
}

// ---- CDimSymbol ----

void CDimSymbol::Set(CDimPoint position, int glyph, const CDimRotation& rotation)
{
    m_position = position;
    m_glyph = glyph;
    m_rotation = rotation;
}

CDimPoint CDimSymbol::GetAttachPoint() const
{
    const Glyph* glyph = FindGlyph(m_glyph);
    if (!glyph)
        return m_position;
    CDimPoint attach = glyph->attach;
    m_rotation.Apply(attach.x, attach.y);
    return {m_position.x + attach.x, m_position.y + attach.y};
}

void CDimSymbol::Draw(CDC& dc) const
{
    const Glyph* glyph = FindGlyph(m_glyph);
    if (!glyph)
        return;
    for (int i = 0; i < glyph->count; ++i) {
        const Stroke& s = glyph->strokes[i];
        double x1 = s.x1, y1 = s.y1, x2 = s.x2, y2 = s.y2;
        if (!m_rotation.IsIdentity()) {
            m_rotation.Apply(x1, y1);
            m_rotation.Apply(x2, y2);
        }
        dc.MoveTo(static_cast<int>(m_position.x + x1), static_cast<int>(m_position.y + y1));
        dc.LineTo(static_cast<int>(m_position.x + x2), static_cast<int>(m_position.y + y2));
    }
}

// ---- CDimLabel ----

CDimLabel::CDimLabel(KorDimension* dimension, CScaledDC& dc, bool imperial)
{
    if (!dimension)
        return;
    KorEntity* first = nullptr;
    KorEntity* second = nullptr;
    KorEntity* third = nullptr;
    dimension->GetEntities(first, second, third);
    m_type = dimension->GetType();
    if (!IsNode(first) || !IsNode(second))
        return;
    auto* a = static_cast<KorNode*>(first);
    auto* b = static_cast<KorNode*>(second);
    POINT p1{a->ix(), a->iy()};
    POINT p2{b->ix(), b->iy()};
    if (!dc.ToScreen(p1) || !dc.ToScreen(p2))
        return;
    Layout(p1, p2);
    SetValue(GeoDistance(a->GetPoint(), b->GetPoint()), imperial);
}

void CDimLabel::Layout(POINT p1, POINT p2)
{
    const CDimRotation along = CDimRotation::FromPoints(p1, p2);
    const CDimRotation normal = CDimRotation::Combine(along, CDimRotation::FromAngle(90.0f));
    const CDimPoint start = ToDimPoint(p1);
    const CDimPoint end = ToDimPoint(p2);

    m_lines.SetCount(CDimLines::kMaxPoints);
    m_lines.SetPoint(0, start.x, start.y);
    const CDimPoint startExtension = normal.Offset(start, kExtensionLength);
    m_lines.SetPoint(1, startExtension.x, startExtension.y);
    const CDimPoint endExtension = normal.Offset(end, kExtensionLength);
    m_lines.SetPoint(4, endExtension.x, endExtension.y);
    m_lines.SetPoint(5, end.x, end.y);

    const CDimPoint tipA = normal.Offset(start, kDimensionLineOffset);
    const CDimPoint tipB = normal.Offset(end, kDimensionLineOffset);
    m_symbols[0].Set(tipA, CDimSymbol::kArrowUp, normal);
    m_symbols[1].Set(tipB, CDimSymbol::kArrowDown, normal);
    const CDimPoint attachA = m_symbols[0].GetAttachPoint();
    const CDimPoint attachB = m_symbols[1].GetAttachPoint();
    m_lines.SetPoint(2, attachA.x, attachA.y);
    m_lines.SetPoint(3, attachB.x, attachB.y);
    m_lines.SetMode(0);

    m_normal = normal;
    m_laidOut = true;
    const CDimPoint middle = Midpoint(tipA, tipB);
    m_text.SetAnchorFlags(AnchorFlagsToward(middle, normal.Offset(middle, 1.0f)));
    const CDimPoint anchor = normal.Offset(middle, -kDimensionLineOffset);
    m_text.SetPosition(anchor.x, anchor.y);
}

void CDimLabel::SetValue(double length, bool imperial)
{
    m_length = length;
    m_text.SetText(DimLabelText(length, imperial));
}

CLabelSlot CDimLabel::GetTextSlot(CDC& dc) const
{
    CLabelSlot slot;
    const CDimPoint a = m_symbols[0].GetPosition();
    const CDimPoint b = m_symbols[1].GetPosition();
    slot.x1 = a.x, slot.y1 = a.y, slot.x2 = b.x, slot.y2 = b.y;
    slot.outX = m_normal.cosine;
    slot.outY = m_normal.sine;
    const CSize size = m_text.Measure(dc);
    slot.width = size.cx;
    slot.height = size.cy;
    // Past either end of a short line by about its own text.
    slot.reach = size.cx + size.cy;
    return slot;
}

void CDimLabel::Draw(CScaledDC& dc, const CRect& textBox) const
{
    for (const CDimSymbol& symbol : m_symbols)
        symbol.Draw(dc);
    m_lines.Draw(dc);
    m_text.DrawInBox(dc, textBox);
}

void CDimLabel::Draw(CScaledDC& dc) const
{
    if (m_laidOut) {
        Draw(dc, ArrangeLabels({GetTextSlot(dc)}, CRect(0, 0, 0, 0)).front());
        return;
    }
    for (const CDimSymbol& symbol : m_symbols)
        symbol.Draw(dc);
    m_lines.Draw(dc);
    m_text.Draw(dc, true);
}
