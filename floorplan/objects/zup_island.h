// Free-standing rectangles in a room: kitchen islands, and free-standing
// fireplaces, which share the island's shape and line.
#pragma once

#include <cstdint>

#include "zup_room_object.h"

class line;

class ZupIsland : public ZupRoomObject {
public:
    ZupIsland();
    // Lowers its floor's island count.
    ~ZupIsland() override;

    std::string GetVCRLine() override;
    const char* GetTypeName() override { return "Island"; }
    float GetWidth() override { return static_cast<float>(mWidth); }
    int GetObjectType() override { return ZUP_OBJ_ISLAND; }
    bool GetShape(polygon& out) override;
    ZupRoomObject* Clone(ZupRoomObject* target) override;
    void SetInitialDirection() override { mDirection = angle(90.0); }

    // Type, depth, width and direction from the attribute word; a side more
    // than twenty times the other is cut to five times it.
    void Setup(std::uint32_t word);
    void SetWidth(int width) { mWidth = width; }
    void GetShape(angle& along, angle& across, line& front, line& back, line& left, line& right);

    static int GetDefaultWidth();
    static int GetDefaultDepth();
    static int GetUODWidth(std::uint32_t word) { return static_cast<int>((word >> 20) & 0xFF); }
    void SetUODWidth(unsigned& word) { word += ClampField(mWidth, 8) << 20; }
    // Whole degrees in bits 4-11; past 180 bit 31 is set and 360 minus the
    // angle stored.
    static int GetUODDirection(std::uint32_t word);
    void SetUODDirection(unsigned& word);
    static int WholeDegrees(const angle& direction);
    unsigned GetAttributeWord();

protected:
    // Copies the island's fields into a new object of the caller's class.
    ZupRoomObject* CopyInto(ZupIsland* copy);

    int mWidth = 0;
    int mExtra = 0;
};

class ZupFireplace : public ZupIsland {
public:
    ZupFireplace();

    const char* GetTypeName() override { return "Fireplace"; }
    int GetObjectType() override { return ZUP_OBJ_FIREPLACE; }
    ZupRoomObject* Clone(ZupRoomObject* target) override;

    enum TYPE : int {};
    static int GetDefaultWidth();
    static int GetDefaultWidth(TYPE type);
    static int GetDefaultDepth();
};
