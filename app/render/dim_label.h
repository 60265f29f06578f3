// Dimension labels: two extension lines, a dimension line between two
// arrowheads and the length text, built in device pixels for one dimension
// of the room being edited and drawn at once. The text part also serves the
// plan's room labels.
#pragma once

#include "c_string.h"
#include "c_rect.h"
#include "label_arrangement.h"

class CDC;
class CScaledDC;
class KorDimension;

// A position in device pixels kept in doubles while a label is laid out.
struct CDimPoint {
    double x = 0.0;
    double y = 0.0;
};

// Where the text box lies relative to its anchor.
enum DimAnchorFlags : int {
    kDimAnchorLeftOf = 2,            // right edge at the anchor
    kDimAnchorCentreAcross = 2 | 4,  // centred across the anchor
    kDimAnchorAbove = 8,             // bottom edge at the anchor
    kDimAnchorCentreUpDown = 8 | 16, // centred on the anchor
};

class CDimText {
public:
    CDimText() = default;
    CDimText(double x, double y, const CString& text, int anchorFlags);
    virtual ~CDimText() = default;

    void SetPosition(double x, double y);
    void SetText(const CString& text) { m_text = text; }
    void SetAnchorFlags(int flags) { m_anchorFlags = flags; }
    const CString& GetText() const { return m_text; }
    int GetX() const { return m_x; }
    int GetY() const { return m_y; }
    int GetAnchorFlags() const { return m_anchorFlags; }

    // The top-left corner of a box of the given size placed by the flags.
    CPoint PlaceBox(POINT anchor, int width, int height) const;
    // In the context's current font and text colour; the anchor is mapped
    // from model coordinates unless it is already in device pixels.
    void Draw(CScaledDC& dc, bool anchorIsDevice) const;
    // The text centred in a box of device pixels (as arranged among others).
    void DrawInBox(CDC& dc, const CRect& box) const;
    // The text's size in the context's current font.
    CSize Measure(CDC& dc) const;

private:
    int m_x = 0;
    int m_y = 0;
    CString m_text;
    int m_anchorFlags = 0;
};

class CDimLines {
public:
    static constexpr int kMaxPoints = 6;
    // One polyline through the points; any other mode draws the pairs 0-1,
    // 2-3 and 4-5 as separate segments.
    static constexpr int kPolylineMode = 1;

    CDimLines() = default;
    virtual ~CDimLines() = default;

    // Ignored for an index not below the count.
    void SetPoint(int index, double x, double y);
    void SetCount(int count);
    void SetMode(int mode) { m_mode = mode; }
    int GetCount() const { return m_count; }
    int GetMode() const { return m_mode; }
    POINT GetPoint(int index) const { return m_points[index]; }
    void Draw(CDC& dc) const;

private:
    POINT m_points[kMaxPoints] = {};
    int m_mode = kPolylineMode;
    int m_count = 0;
};

// A turn, with its sine and cosine made exact at the right angles so that
// labels of axis-parallel walls land on whole pixels.
struct CDimRotation {
    float sine = 0.0f;
    float cosine = 1.0f;
    float radians = 0.0f;
    float degrees = 0.0f;

    static CDimRotation FromPoints(POINT a, POINT b);
    static CDimRotation FromAngle(float degrees);
    static CDimRotation Combine(const CDimRotation& r, const CDimRotation& s);
    void Apply(double& x, double& y) const;
    CDimPoint Offset(CDimPoint from, float distance) const;
    float GetDegrees() const { return degrees; }
    bool IsIdentity() const { return degrees == 0.0f; }
};

class CDimSymbol {
public:
    // The arrowheads drawn at the two ends of a dimension line: tip at the
    // origin, the stub pointing up (2) or down (3) before turning.
    static constexpr int kArrowUp = 2;
    static constexpr int kArrowDown = 3;
    static constexpr int kNoGlyph = 12;

    CDimSymbol() = default;
    virtual ~CDimSymbol() = default;

    void Set(CDimPoint position, int glyph, const CDimRotation& rotation);
    CDimPoint GetPosition() const { return m_position; }
    int GetGlyph() const { return m_glyph; }
    // The end of the glyph's stub, where the dimension line attaches.
    CDimPoint GetAttachPoint() const;
    void Draw(CDC& dc) const;

private:
    CDimPoint m_position;
    int m_glyph = kNoGlyph;
    CDimRotation m_rotation;
};

class CDimLabel {
public:
    // Laid out only when the dimension runs between two nodes; any other
    // dimension gives an empty label that draws nothing visible.
    CDimLabel(KorDimension* dimension, CScaledDC& dc, bool imperial);
    CDimLabel(const CDimLabel&) = delete;
    CDimLabel& operator=(const CDimLabel&) = delete;
    ~CDimLabel() = default;

    // p1 and p2 are the measured ends in device pixels.
    void Layout(POINT p1, POINT p2);
    void SetValue(double length, bool imperial);
    void Draw(CScaledDC& dc) const;
    // Lines and arrowheads as laid out, the text in `textBox`.
    void Draw(CScaledDC& dc, const CRect& textBox) const;
    bool IsLaidOut() const { return m_laidOut; }
    // Where the text may stand: off the dimension line, on the side away
    // from the measured segment.
    CLabelSlot GetTextSlot(CDC& dc) const;

    const CDimText& GetText() const { return m_text; }
    const CDimLines& GetLines() const { return m_lines; }
    const CDimSymbol& GetSymbol(int i) const { return m_symbols[i]; }
    int GetDimensionType() const { return m_type; }
    double GetLength() const { return m_length; }

private:
    CDimText m_text;
    CDimLines m_lines;
    CDimSymbol m_symbols[3];
    CDimRotation m_normal;
    bool m_laidOut = false;
    int m_type = 0;
    double m_length = 0.0;
};
