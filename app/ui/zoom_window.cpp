#include "zoom_window.h"

#include <algorithm>
#include <cstdlib>

#include "repl_doc.h"
#include "repl_view.h"
#include "scaled_dc.h"

CViewZoom::CViewZoom(CReplView* view, CPoint p) : m_view(view) { Reset(p); }

void CViewZoom::Reset(CPoint p)
{
    m_left = m_right = p.x;
    m_top = m_bottom = p.y;
    m_scaleX = m_scaleY = 1.0;
    m_originX = m_originY = 0;
    m_dragged = true;
}

void CViewZoom::SetEnd(CPoint p)
{
    m_right = p.x;
    m_bottom = p.y;
}

CRect CViewZoom::GetNormalRect() const
{
    return CRect(std::min(m_left, m_right), std::min(m_top, m_bottom), std::max(m_left, m_right),
                 std::max(m_top, m_bottom));
}

void CViewZoom::ZoomTo(const CScaledDC& dc)
{
    if (m_left == m_right)
        return;
    const double width = std::abs(static_cast<double>(m_left) - m_right);
    const double height = std::abs(static_cast<double>(m_top) - m_bottom);
    m_scaleX = m_view->GetClientWidth() / width;
    // A flat rectangle leaves the height to the width's scale.
    m_scaleY = height > 0.0 ? m_view->GetClientHeight() / height : m_scaleX;
    CReplDoc* document = m_view->GetReplDoc();
    if (!document || document->IsRoomAutoFit())
        m_scaleX = m_scaleY = std::min(m_scaleX, m_scaleY);
    m_originX = std::min(m_left, m_right);
    m_originY = std::min(m_top, m_bottom);
    m_dragged = false;
    if (m_firstZoom) {
        // Start from what the view shows now: the model origin's place and
        // the scale in use.
        POINT origin{0, 0};
        dc.ToScreen(origin);
        m_offsetX = origin.x;
        m_offsetY = origin.y;
        m_accumulatedScale = dc.GetFitScale();
        m_firstZoom = false;
    }
    // At the cap the offset grows only as much as the scale still does, so
    // the rectangle's corner stays at the view's corner.
    const double previous = m_accumulatedScale;
    m_accumulatedScale = std::min(previous * GetScale(), kMaxScale);
    const double s = previous > 0.0 ? m_accumulatedScale / previous : GetScale();
    m_offsetX = static_cast<int>((m_offsetX - m_originX) * s);
    m_offsetY = static_cast<int>((m_offsetY - m_originY) * s);
}

double CViewZoom::GetScale() const { return std::min(m_scaleX, m_scaleY); }

void CViewZoom::GetMapping(CPoint& offset, double& scale) const
{
    offset = CPoint(m_offsetX, m_offsetY);
    scale = m_accumulatedScale;
}

void CViewZoom::Pan(int dx, int dy)
{
    m_offsetX += dx;
    m_offsetY += dy;
}
