// The shared record of the wall-object property sheets: the opener fills it,
// every page reads it when activated and writes it back when left, and the
// one apply builds or changes the model from it.
#pragma once

#include <cstdint>

#include "c_string.h"
#include "zup_opening.h"

class CRoomFloor;
class ZupEdge;
class ZupWallObject;

// The bits of ObjectSheetState::flags.
namespace SheetFlags {
constexpr std::uint32_t kExternal = 1;
constexpr std::uint32_t kUndimensioned = 2;
constexpr std::uint32_t kFullWall = 4;
constexpr std::uint32_t kWidth = 8;
constexpr std::uint32_t kLeft = 16;
constexpr std::uint32_t kRight = 32;
constexpr std::uint32_t kCloset = 64;
}  // namespace SheetFlags

// Catalog categories the sheets create.
namespace SheetCategory {
constexpr int kFireplace = 0;
constexpr int kWindow = 1;
constexpr int kBathObject = 2;
constexpr int kCountertop = 3;
constexpr int kCorner = 5;
constexpr int kUtility = 6;
constexpr int kStructural = 11;
}  // namespace SheetCategory

// Pointers are borrowed from the room model, except a stair not yet attached.
struct ObjectSheetState {
    CRoomFloor* floor = nullptr;
    int width = 0;
    ZupOpeningStair* stair = nullptr;
    CString savedCaption;
    float pointY = 0.0f;
    float pointX = 0.0f;
    float wallThickness = 0.0f;
    std::uint32_t flags = 0;
    int doorKind = -1;
    bool wallBound = false;
    int right = 0;
    int depth = 0;
    int subtype = 0;
    CString name;
    int objectKind = -1;
    ZupOpening* twin = nullptr;
    ZupWallObject* object = nullptr;
    int left = 0;
    float wallLength = -2.0f;
    ZupEdge* edge = nullptr;
    int applied = 0;
    ZupOpening::ACTION action = ZupOpening::ACTION(0);
    ZupOpening::POSITION position = ZupOpening::POSITION(0);
    float gapLength = 0.0f;
    int dimensionsChanged = 0;
    int corner = 0;
    int atNode = 0;
    int attachedPanes = 0;
    int attachedType = 0;

    bool Has(std::uint32_t bit) const { return (flags & bit) != 0; }
    void Set(std::uint32_t bit, bool on) { flags = on ? (flags | bit) : (flags & ~bit); }
};

extern ObjectSheetState g_objectSheet;
// -2 after a new room, -1 when the last apply made a door, else the last
// object category.
extern int lastObjectKind;
// 1 after a new room, else the last door kind applied.
extern int lastDoorKind;

// Forgets the kinds chosen last (every new room).
void ResetObjectSheetMemory();
// The record and the remembered kinds back to their start.
void ResetObjectSheetState();

// The closet mark of an opening, set on the Attributes page and taken by the
// document's closets; the opening keeps it, and its line in the room's text.
bool HasClosetMark(ZupOpening* opening);
void SetClosetMark(ZupOpening* opening, bool on);
