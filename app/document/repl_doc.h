// The program's one document: the open level of a house. It holds the
// level's plan (every closed room as one partition), the rooms drawn so far
// and the room being edited, the edit modes, the display and behaviour
// options, the header of the level, the history records, the map link and
// the lock that keeps the journal thread away from a room being changed.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "angle.h"
#include "c_document.h"
#include "c_string.h"
#include "gdi_objects.h"
#include "history_record.h"
#include "map_link.h"
#include "point.h"
#include "threads.h"
#include "zup_floor.h"

class CEditMode;
class CRoomFloor;
class CView;
class KorPrimitive;
class ZupOpening;
class ZupPartition;
class ZupRoomObject;
class ZupWallObject;

// True while the application's main window exists and is visible: messages
// are shown only then, otherwise operations take their silent path.
bool IsMainWindowVisible();

class CReplDoc : public CDocument {
public:
    CReplDoc();
    ~CReplDoc() override;
    CReplDoc(const CReplDoc&) = delete;
    CReplDoc& operator=(const CReplDoc&) = delete;

    // ---- Framework ----
    BOOL IsModified() const override;
    void SetModifiedFlag(BOOL modified = TRUE) override;
    BOOL OnNewDocument() override;
    // Asked before the frame closes; true when nothing is lost or the user agrees.
    bool SaveModified();
    // False when nothing would be lost; else true unless the user says Yes.
    bool ConfirmLoss();
    void OnExit();
    void OnNew();
    void ResetLevel();
    void ClearLevel();
    void MakeFileBase();
    // The session's unit field: a text longer than 5 characters is an MLS
    // number, anything shorter the unit.
    void SetUnitField(const CString& unit);
    void NextFileNumber();
    bool LoadExchangeFile(const CString& path);
    bool ParseExchangeData(const char* text, int length);

    // ---- Rooms ----
    CRoomFloor* GetRoom(int i) const;
    int GetNumOfRooms() const { return static_cast<int>(m_rooms.size()); }
    CRoomFloor* GetRoomOfPartition(ZupPartition* partition) const;
    ZupPartition* GetPartitionOfRoom(CRoomFloor* room) const;
    void SetCurrentRoom(CRoomFloor* room);
    CRoomFloor* GetCurrentRoom() const { return m_currentRoom; }
    // Starts a new room (named after the current room's type) and makes it current.
    void NewRoom();
    CEditMode* GetEditMode() const;
    CView* GetView() const;

    // ---- Room operations (repl_doc_rooms.cpp) ----
    bool CloseRoom();
    ZupPartition* JoinRoomToPlan(CRoomFloor* room);
    bool AddRoomToPlan(CRoomFloor* room);
    bool RejoinRooms(CRoomFloor* room);
    bool CheckConnection(CRoomFloor* room);
    bool SmartWallsFallback();
    ZupOpening* FindTwinOpening(ZupPartition* partition, ZupOpening* opening);
    void CreateClosets();
    bool InsertShape(int row, int column);
    void PlaceEntrance(ZupOpening* opening);
    int GetStoreyPosition();
    bool SetEditMode(int index);
    bool StepEditMode(bool forward);
    // Leaves room editing: the plan is shown again.
    void EndRoomEdit();
    // Smart Walls for the plan and every room.
    void EnableRules(bool on);

    // ---- Plan and rooms ----
    ZupFloor m_plan;
    std::vector<CRoomFloor*> m_rooms;
    CRoomFloor* m_currentRoom = nullptr;
    CRoomFloor* m_failedRoom = nullptr;
    // Lookups only: never walked, so their order cannot leak into results.
    std::map<ZupPartition*, CRoomFloor*> m_partitionToRoom;
    std::map<CRoomFloor*, ZupPartition*> m_roomToPartition;
    bool m_roomView = true;
    ZupOpening* m_entrance = nullptr;
    std::unique_ptr<ZupOpening> m_defaultEntrance;

    // ---- Edit modes ----
    std::vector<CEditMode*> m_editModes;
    int m_currentMode = -1;

    // ---- Options ----
    bool m_smartWalls = true;
    bool m_extentsDirty = false;
    bool m_showRooms = false;
    bool m_showAreas = false;
    bool m_showObjects = false;
    bool m_showNames = false;
    bool m_dimsAll = true;
    bool m_dimsActive = false;
    bool m_halfInches = false;
    bool m_dimsUnlocked = false;
    bool m_hideZeroDimensions = false;
    bool m_planDirty = true;
    bool m_alignRooms = true;
    bool m_loading = false;

    // ---- Drawing resources: yellow, grey, cyan, green, purple, teal ----
    static constexpr int kPlanBrushCount = 6;
    CBrush m_planBrushes[kPlanBrushCount];

    // ---- Header of the level ----
    CString m_street, m_level, m_house, m_zip, m_orientation, m_mls, m_unit, m_jobId,
        m_fileBase;
    int m_fileNumber = 0;

    // ---- Interaction state ----
    int m_shapeRow = 0;
    KorPrimitive* m_tappedPrimitive = nullptr;
    bool m_lastResolveOk = false;
    float m_savedMinWallLength = 0.0f;
    ZupRoomObject* m_selectedRoomObject = nullptr;
    ZupWallObject* m_hitWallObject = nullptr;
    angle m_stepAngle;
    angle m_planAngle;
    bool m_bottomEntrance = false;
    point::TRANSFORM m_planTransform;

    // ---- Owned members ----
    CMapLink m_mapLink;
    CCriticalSection m_lock;
    CHistoryList m_history;

private:
    void DeleteRooms();
    bool AskSaveBeforeNew();
    BOOL m_frameworkModified = FALSE;
};
