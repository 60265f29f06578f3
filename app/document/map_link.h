// A level's place on a map: position, marker, zoom step and an optional map
// image, kept, read and written with the floor-plan file (its MAP element).
#pragma once

#include "c_string.h"

class CXMLElement;

class CMapLink {
public:
    CMapLink() = default;

    // Both latitude and longitude away from 0 (and numbers).
    bool IsValid() const;
    // Position, marker and image go; zoom, version and the map kind stay.
    void Reset();
    // Appends the MAP element.
    void Write(CString& text) const;
    // From the root's MAP child; false (nothing changed) without one.
    bool Read(CXMLElement* root);

    bool m_marker = false;
    double m_longitude = 0.0;
    double m_latitude = 0.0;
    int m_zoom = 15;
    int m_version = 2;
    CString m_imageFile;
    bool m_google = true;
};
