// Photo positions: a camera stands in a room, faces a direction and keeps
// the time of every shot taken there. Cameras are named by a process-wide
// counter, numerically ("1", "2", ...) or by letters.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "zup_room_object.h"

class ZupCamera : public ZupRoomObject {
public:
    ZupCamera() = default;
    // Gives its number back when it held the highest one.
    ~ZupCamera() override;

    std::string GetVCRLine() override;
    const char* GetTypeName() override { return "Camera"; }
    std::string GetName() override { return mName; }
    float GetWidth() override { return 0.0f; }
    int GetObjectType() override { return ZUP_OBJ_CAMERA; }
    ZupRoomObject* Clone(ZupRoomObject* target) override;
    bool IsCamera() override { return true; }
    // Looks away from the corner of its two walls.
    void SetInitialDirection() override;

    // A taken name, or any name while indices are forced, is replaced by
    // the next generated one.
    bool Create(ZupFloor* floor, double x, double y, angle* direction, bool relate,
                const char* name);
    using ZupRoomObject::Create;

    void SetName(const char* name);
    void SetName(int index);
    int GetNameIndex() const { return mNameIndex; }
    static int GetNameIndex(const char* name);
    static std::string GetSymbolName(int index);
    static std::string GetNextName();
    static std::string GetNextName(const char* name);
    static std::string GetPrevName(const char* name);
    static void UpdateNamesCount(ZupCamera* camera);
    static void ResetNamesCount() { mNamesCount = 0; }
    static void DecrementNamesCount();

    // Shots: the clock's date and time packed into 32 bits.
    void Shot();
    int GetNumOfShots() const { return static_cast<int>(mShots.size()); }
    std::uint32_t GetShot(int i) const;
    static std::uint32_t PackTime(const std::tm& time);
    // The clock the shots read; tests fix it. Null restores the system clock.
    using Clock = std::time_t (*)();
    static void SetClock(Clock clock);

    void SetImage(const char* image) { mImage = image ? image : ""; }
    const std::string& GetImage() const { return mImage; }
    void SetClone(bool clone) { mbClone = clone; }

    // Process-wide naming state, back to its start values.
    static void ResetGlobals();

    static int mNamesCount;
    static bool mbUseNumericNames;
    static bool mbSetIndex;

private:
    std::string mName;
    int mNameIndex = 0;
    std::vector<std::uint32_t> mShots;
    std::string mImage;
    bool mbClone = false;
};
