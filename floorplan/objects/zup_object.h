// The interface every placed object shares: openings, stairs, windows,
// fixtures, corner objects and free-standing objects. Sizes and options
// travel in the command script as one packed unsigned attribute word.
#pragma once

#include <cstdint>
#include <string>

#include "angle.h"
#include "point.h"

class polygon;
class ZupEdge;
class ZupFloor;
class ZupPartition;
class ZupWallObject;

// Kind codes returned by GetObjectType().
enum ZupObjectKind : int {
    ZUP_OBJ_OPENING = -1,
    ZUP_OBJ_WALL_FIREPLACE = 0,
    ZUP_OBJ_WINDOW = 1,
    ZUP_OBJ_BATH = 2,
    ZUP_OBJ_COUNTERTOP = 3,
    ZUP_OBJ_STAIR = 4,
    ZUP_OBJ_CORNER = 5,
    ZUP_OBJ_UTILITY = 6,
    ZUP_OBJ_ISLAND = 7,
    ZUP_OBJ_COLUMN = 8,
    ZUP_OBJ_CAMERA = 9,
    ZUP_OBJ_FIREPLACE = 10,
    ZUP_OBJ_STRUCTURAL = 11,
};

class ZupObject {
public:
    ZupObject() = default;
    ZupObject(const ZupObject&) = default;
    ZupObject& operator=(const ZupObject&) = default;

    // ---- Virtual operations, in slot order ----
    virtual ~ZupObject() = default;
    virtual std::string GetVCRLine() = 0;
    virtual bool IsPortal() { return false; }
    virtual bool IsFireplace() { return false; }
    virtual bool IsWallObject() { return false; }
    virtual bool IsNode() { return false; }
    virtual bool IsWindow() { return false; }
    virtual angle GetInDir() = 0;
    virtual const char* GetTypeName() = 0;
    virtual std::string GetName() { return GetTypeName(); }
    virtual void ModifyExtents() {}
    virtual bool NeedOpening(ZupEdge*) { return mAttachedWindowPanes > 0; }
    virtual int GetDepth() { return mDepth; }
    virtual float GetWidth() { return static_cast<float>(mDepth); }
    virtual int GetObjectType() = 0;
    virtual int GetType() { return mType; }
    virtual void SetType(int type) { mType = type; }
    virtual void SetUODDepth(unsigned& word);
    virtual bool IsCorner() { return false; }
    virtual point GetGeoCenter() = 0;
    virtual point GetObjectCenter() { return GetGeoCenter(); }
    virtual polygon& GetContour();
    virtual void SetUndimensioned() {}
    virtual bool IsFullEdge() { return false; }
    virtual bool IsBath() { return false; }
    virtual ZupFloor* GetFloor() = 0;
    virtual bool GetShape(polygon&) { return false; }

    // ---- Plain state ----
    void SetDepth(int depth) { mDepth = depth; }
    int GetAttachedWindowPanes() const { return mAttachedWindowPanes; }
    void SetAttachedWindowPanes(int panes) { mAttachedWindowPanes = panes; }
    ZupPartition* GetPartition() const { return mpPartition; }
    void SetPartition(ZupPartition* room) { mpPartition = room; }
    ZupWallObject* GetAttached() const { return mpAttached; }
    void SetAttached(ZupWallObject* object) { mpAttached = object; }
    bool SameType(ZupObject* other);

    // The process-wide metric flag (one state with ZupMetric()).
    static void SetMetric(bool metric);
    static bool IsMetric();
    // The contour of an object without a room.
    static polygon& EmptyContour();

    // ---- Attribute word ----
    // The encoders add their field to the word; a value too large for its
    // bits is clamped to them (a negative one counts by its magnitude), so
    // no field spills into its neighbours.
    static std::uint32_t ClampField(long long value, int bits);
    static int GetUODType(std::uint32_t word) { return static_cast<int>(word & 0xF); }
    static int GetUODDepth(std::uint32_t word) { return static_cast<int>((word >> 12) & 0xFF); }
    static int GetUODWindowPanes(std::uint32_t word) { return static_cast<int>((word >> 20) & 0xF); }
    void SetUODType(unsigned& word) { word += ClampField(mType, 4); }
    void SetUODWindowPanes(unsigned& word) { word += ClampField(mAttachedWindowPanes, 4) << 20; }

protected:
    int mDepth = 0;
    int mType = 0;
    int mAttachedWindowPanes = 0;
    ZupPartition* mpPartition = nullptr;
    ZupWallObject* mpAttached = nullptr;
};
