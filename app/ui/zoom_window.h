// The zoom window: a rubber-band rectangle dragged over the view while the
// command pad is shown, and the mapping that makes it fill the view.
#pragma once

#include "c_rect.h"

class CReplView;
class CScaledDC;

class CViewZoom {
public:
    // Starts the first rectangle at p.
    CViewZoom(CReplView* view, CPoint p);
    virtual ~CViewZoom() = default;
    CViewZoom(const CViewZoom&) = delete;
    CViewZoom& operator=(const CViewZoom&) = delete;

    // A new rectangle at p; the zoom so far is kept, so it zooms further.
    void Reset(CPoint p);
    void SetEnd(CPoint p);
    // The rectangle with left <= right and top <= bottom.
    CRect GetNormalRect() const;
    // Makes the rectangle fill the view; dc carries the present mapping.
    void ZoomTo(const CScaledDC& dc);
    double GetScale() const;
    void GetMapping(CPoint& offset, double& scale) const;
    void Pan(int dx, int dy);

    bool IsDragged() const { return m_dragged; }
    void SetDragged(bool dragged) { m_dragged = dragged; }
    double GetScaleX() const { return m_scaleX; }
    double GetScaleY() const { return m_scaleY; }

    // The accumulated scale never grows beyond this.
    static constexpr double kMaxScale = 100.0;

private:
    int m_left = 0;
    int m_top = 0;
    int m_right = 0;
    int m_bottom = 0;
    double m_scaleX = 1.0;
    double m_scaleY = 1.0;
    int m_originX = 0;
    int m_originY = 0;
    double m_accumulatedScale = 1.0;
    int m_offsetX = 0;
    int m_offsetY = 0;
    CReplView* m_view;
    bool m_dragged = true;
    bool m_firstZoom = true;
};
