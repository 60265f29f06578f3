// Columns and spiral stairs: free-standing objects known by one size.
#pragma once

#include <cstdint>

#include "zup_room_object.h"

class ZupColumn : public ZupRoomObject {
public:
    ZupColumn();

    std::string GetVCRLine() override;
    const char* GetTypeName() override { return "Column"; }
    int GetObjectType() override { return ZUP_OBJ_COLUMN; }
    ZupRoomObject* Clone(ZupRoomObject* target) override;

    void Setup(std::uint32_t word);
    static int GetDefaultDepth();
};

class ZupSpiralStair : public ZupRoomObject {
public:
    ZupSpiralStair();

    std::string GetVCRLine() override;
    const char* GetTypeName() override { return "SpiralStair"; }
    int GetObjectType() override { return ZUP_OBJ_STAIR; }
    ZupRoomObject* Clone(ZupRoomObject* target) override;

    void Setup(std::uint32_t word);
    static int GetDefaultSize();
};
