// The plan's drawing surface: a device context over a window that maps
// model coordinates (whole inches or centimetres, y up) to device pixels
// (y down), and draws paths clipped at the device's top edge.
#pragma once

#include <vector>

#include "window_dc.h"

class CScaledDC : public CClientDC {
public:
    // Scale 1 and origin (0, 0) until the set-up operations run.
    explicit CScaledDC(CWnd* window);
    ~CScaledDC() override;

    // ---- Set-up ----
    void SetWorldSize(int width, int height);
    BOOL SetDeviceSize(int width, int height);
    // The scale at which the world fits the device; 1 when the width
    // decided it. A world without extent leaves the fit scale as it is.
    BOOL ComputeFitScale();
    // Multiplies the fit scale; the other axis gets it times axisFactor.
    float Zoom(float factor, float axisFactor);
    void SetScale(float scale);
    void SetOrigin(int x, int y);
    void SetOriginBottomUp(int x, int y);
    void Pan(int dx, int dy);

    // ---- Mapping (in place) ----
    // False, with the point unchanged, when the mapping would leave the
    // integer plane (a scale that is not a finite number, or far too large).
    bool ToScreen(POINT& point) const;
    bool ToScreenAll(std::vector<POINT>& points) const;
    bool ToModel(POINT& point) const;
    bool ToModelRect(RECT& rect) const;

    // ---- Drawing in model coordinates; a shape that cannot be mapped is
    // not drawn ----
    CPoint MoveTo(POINT point);
    CPoint MoveTo(int x, int y);
    BOOL LineTo(POINT point);
    BOOL LineTo(int x, int y);
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Rectangle(int left, int top, int right, int bottom);

    // ---- Drawing in device coordinates, clipped at the top edge ----
    int Polyline(const std::vector<POINT>& points);
    int Polygon(const std::vector<POINT>& points);
    int PolylineFromArray(const POINT* points, int count);
    int PolygonFromArray(const POINT* points, int count);
    static POINT TopEdgeCrossing(POINT a, POINT b);
    void DrawBitmap(UINT resourceId);

    float GetScaleX() const { return m_scaleX; }
    float GetScaleY() const { return m_scaleY; }
    float GetFitScale() const { return m_fitScale; }
    CPoint GetOrigin() const { return CPoint(m_originX, m_originY); }
    BOOL IsFitOnWidth() const { return m_fitOnWidth; }
    int GetDeviceWidth() const { return m_deviceWidth; }
    int GetDeviceHeight() const { return m_deviceHeight; }

private:
    float m_scaleX = 1.0f;
    float m_scaleY = 1.0f;
    float m_fitScale = 1.0f;
    int m_originX = 0;
    int m_originY = 0;
    int m_deviceWidth = 0;
    int m_deviceHeight = 0;
    int m_worldWidth = 0;
    int m_worldHeight = 0;
    BYTE m_fitOnWidth = 0;
};
