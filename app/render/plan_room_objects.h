// The program's drawable free-standing objects: cameras, islands,
// free-standing fireplaces, columns and spiral stairs. A floor copy clones
// through the virtual Clone, so copies stay drawable.
#pragma once

#include <cstdint>

#include "zup_camera.h"
#include "zup_column.h"
#include "zup_island.h"

class CPlanCamera : public ZupCamera {
public:
    // The symbol's colour when none is chosen: red.
    static constexpr std::int32_t kDefaultColour = 0x0000FF;

    CPlanCamera() = default;
    ~CPlanCamera() override = default;

    // The target when it is a camera, else a new camera with this one's
    // display fields; then name, angles, type and count are carried over.
    ZupRoomObject* Clone(ZupRoomObject* target) override;
    void Draw(void* dc) override;
    // A camera keeps its object type apart from the model's type field.
    int GetType() override { return mCameraType; }
    void SetType(int type) override { mCameraType = type; }

    // The display fields besides the type.
    void CopyDisplayFields(const CPlanCamera& other);
    std::int32_t GetReserved() const { return mReserved; }
    void SetReserved(std::int32_t reserved) { mReserved = reserved; }
    std::int32_t GetCount() const { return mCount; }
    void SetCount(std::int32_t count) { mCount = count; }
    // -1 stands for the default colour.
    std::int32_t GetColour() const { return mColour; }
    void SetColour(std::int32_t colour) { mColour = colour; }
    std::int32_t GetPenColour() const { return mColour == -1 ? kDefaultColour : mColour; }

private:
    std::int32_t mReserved = 0;
    std::int32_t mCount = 3;
    std::int32_t mCameraType = 0;
    std::int32_t mColour = -1;
};

class CPlanIsland : public ZupIsland {
public:
    CPlanIsland() = default;
    ~CPlanIsland() override = default;

    ZupRoomObject* Clone(ZupRoomObject* target) override;
    void Draw(void* dc) override;
    // An island in a bathroom gets a round bowl.
    bool IsBath() override;
};

class CPlanFireplace : public ZupFireplace {
public:
    CPlanFireplace() = default;
    ~CPlanFireplace() override = default;

    ZupRoomObject* Clone(ZupRoomObject* target) override;
    void Draw(void* dc) override;
};

class CPlanColumn : public ZupColumn {
public:
    CPlanColumn() = default;
    ~CPlanColumn() override = default;

    ZupRoomObject* Clone(ZupRoomObject* target) override;
    void Draw(void* dc) override;
};

class CPlanSpiralStair : public ZupSpiralStair {
public:
    CPlanSpiralStair() = default;
    ~CPlanSpiralStair() override = default;

    ZupRoomObject* Clone(ZupRoomObject* target) override;
    void Draw(void* dc) override;
};
