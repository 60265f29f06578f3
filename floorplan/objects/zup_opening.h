// Openings (named doors and passages, the portals between rooms) and the
// stairs drawn in them; a stair shares its opening's end nodes and the two
// point to each other.
#pragma once

#include <string>

#include "zup_wall_object.h"

class ZupOpeningStair;

class ZupOpening : public ZupWallObject {
public:
    // How the leaf swings (0-15; 1 and 2 are the two swing directions).
    enum ACTION : int {};
    // Which jamb holds the hinge (0-15; 1 and 2 are the two sides).
    enum POSITION : int {};

    ZupOpening(ZupFloor* floor, const char* name, int type);
    // Leaves the floor's opening set and takes its stair along.
    ~ZupOpening() override;

    // ---- Overrides ----
    std::string GetVCRLine() override;
    bool IsPortal() override { return true; }
    const char* GetTypeName() override { return "Opening"; }
    std::string GetName() override { return mName; }
    bool NeedOpening(ZupEdge*) override { return true; }
    int GetDepth() override;
    int GetObjectType() override { return ZUP_OBJ_OPENING; }
    point GetObjectCenter() override { return GetGeoCenter(); }
    // Refused without a name, for a taken name, or off every wall; an
    // opening never snaps to a wall's end nodes.
    bool Create(ZupFloor* floor, point& p, line* hint, bool snapToEnd) override;
    using ZupWallObject::Create;
    bool Create(ZupNode* first, ZupNode* second);
    bool Create(ZupFloor* floor, point& a, point& b);
    ZupWallObject* Clone(ZupFloor* floor) override;

    // ---- Name and options ----
    std::string& Name() { return mName; }
    const char* GetNameChars() const { return mName.c_str(); }
    int GetNameIndex() const;
    void SetAction(ACTION action) { mAction = action; }
    ACTION GetAction() const { return mAction; }
    void SetPosition(POSITION position) { mPosition = position; }
    POSITION GetPosition() const { return mPosition; }
    using ZupWallObject::SetPosition;
    void SetConnectable(bool connectable) { mbConnectable = connectable; }
    bool IsConnectable(ZupPartition* room);
    bool IsExit() const { return mbExit; }
    void SetExit(bool exit) { mbExit = exit; }
    // Marked on the Attributes page for a closet (a bay behind an empty
    // opening) that the room's closing builds behind it.
    bool IsCloset() const { return mbCloset; }
    void SetCloset(bool closet) { mbCloset = closet; }
    void Replicate(ZupOpening* other);
    using ZupWallObject::Replicate;
    // The counterpart of other seen from the other side of the wall.
    void Update(ZupOpening* other, ZupPartition* room);
    int GetHeight();
    // Door geometry for drawing: hinge, other jamb, leaf, into-room direction
    // and swing.
    void CalculatePositions(point& hinge, point& jamb, point& leaf, angle& inDir, angle& swing,
                            float length);

    // ---- Defaults and the attribute word ----
    static POSITION GetReversed(POSITION position);
    static ACTION GetReversed(ACTION action);
    static int GetDefaultWidth(int type, bool doubled);
    static ACTION GetDefaultAction(int type);
    static POSITION GetDefaultPosition(int type);
    static ACTION GetUODAction(std::uint32_t word) { return ACTION((word >> 4) & 0xF); }
    static POSITION GetUODPosition(std::uint32_t word) { return POSITION((word >> 8) & 0xF); }
    // Bits no object's field uses, so that words written before them read
    // as a connectable opening without a closet mark.
    static constexpr std::uint32_t kExternalBit = 1u << 28;
    static constexpr std::uint32_t kClosetBit = 1u << 29;
    // External (not connectable) and the closet mark, from the word.
    void SetupOptions(std::uint32_t word);
    // type + action x 16 + position x 256, each clamped to its bits, with the
    // External bit for an opening that is not connectable and the closet bit.
    unsigned GetAttributeWord() override;

    // The name may be written into the command text: no "=", "(", ")", ",",
    // ";", "/", blank or newline, and not empty.
    static bool IsWritableName(const char* name);

private:
    std::string mName;
    ACTION mAction = ACTION(0);
    POSITION mPosition = POSITION(0);
    bool mbConnectable = true;
    bool mbExit = false;
    bool mbCloset = false;
};

class ZupOpeningStair : public ZupWallObject {
public:
    enum ACTION : int {};
    enum POSITION : int {};

    explicit ZupOpeningStair(ZupFloor* floor);
    // Clears the opening's back pointer.
    ~ZupOpeningStair() override;

    std::string GetVCRLine() override;
    const char* GetTypeName() override { return "Stair"; }
    bool NeedOpening(ZupEdge*) override { return false; }
    int GetDepth() override { return GetThread() * mSteps; }
    int GetObjectType() override { return ZUP_OBJ_STAIR; }
    ZupWallObject* Clone(ZupFloor* floor) override;

    // Shares the opening's end nodes and lies on its wall.
    bool Create(ZupOpening* opening);
    bool Create(ZupFloor* floor, point& p);
    bool Create(ZupNode* first, ZupNode* second);
    bool Create(ZupFloor* floor, point& a, point& b);
    using ZupWallObject::Create;

    static int GetThread();  // tread depth: 25 metric, 10 imperial
    static POSITION GetReversed(POSITION position);
    static ACTION GetReversed(ACTION action);
    void SetAction(ACTION action) { mAction = action; }
    ACTION GetAction() const { return mAction; }
    void SetPosition(POSITION position) { mPosition = position; }
    POSITION GetPosition() const { return mPosition; }
    using ZupWallObject::SetPosition;
    void SetSteps(int steps) { mSteps = steps; }
    int GetSteps() const { return mSteps; }
    void Replicate(ZupOpeningStair* other);
    using ZupWallObject::Replicate;

    static ACTION GetUODAction(std::uint32_t word) { return ACTION((word >> 4) & 0xF); }
    static POSITION GetUODPosition(std::uint32_t word) { return POSITION((word >> 8) & 0xF); }
    static int GetUODSteps(std::uint32_t word) { return static_cast<int>((word >> 12) & 0xFF); }
    // type + action x 16 + position x 256 + steps x 4096, each clamped.
    unsigned GetAttributeWord() override;

private:
    ACTION mAction = ACTION(0);
    POSITION mPosition = POSITION(1);
    int mSteps = 3;
};
