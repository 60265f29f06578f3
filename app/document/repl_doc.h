// The program's one document: the open level of a house. It holds the
// level's plan (every closed room as one partition), the rooms drawn so far
// and the room being edited, the edit modes, the display and behaviour
// options, the header of the level, the history records, the map link and
// the lock that keeps the journal thread away from a room being changed.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "angle.h"
#include "c_document.h"
#include "c_string.h"
#include "gdi_objects.h"
#include "history_record.h"
#include "map_link.h"
#include "point.h"
#include "snapshot_journal.h"
#include "threads.h"
#include "zup_floor.h"

class CEditMode;
class CXMLElement;
class CRoomFloor;
class CView;
class KorNode;
class KorPrimitive;
class ZupEdge;
class ZupOpening;
class ZupPartition;
class ZupRoomObject;
class ZupWallObject;

// True while the application's main window exists and is visible: messages
// are shown only then, otherwise operations take their silent path.
bool IsMainWindowVisible();

// The picks of one pen action (null between pen actions) and what a
// wall-object drag released; ClearSelection forgets them.
extern KorPrimitive* g_pPickedPrimitive;
extern KorNode* g_pPickedNode;
extern ZupWallObject* g_pPickedWallObject;
extern std::uint32_t g_WallObjectDragFlags;
void ClearSelection();
// A node, wall or wall object is held by the pen.
bool IsPickActive();

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
    bool HasWorkToLose() const;
    // The level as it stands is in its file (just saved or opened).
    void MarkLevelInFile();
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
    // Every drawn room without a name takes one (under the lock).
    void NameUnnamedRooms();
    void PlaceEntrance(ZupOpening* opening);
    int GetStoreyPosition();
    bool SetEditMode(int index);
    bool StepEditMode(bool forward);
    void ModeArrowKey(bool up);
    ZupOpening* PlaceWallObject(double x, double y, ZupOpening* templateOpening);
    // The index of the current room's reference dimension at the point, -1 none.
    int MeasureAtPoint(double x, double y);
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
    // Each joined room's partition and text when it joined: a plan whose
    // rooms all stand as they joined is not built again.
    struct JoinedRoom {
        ZupPartition* partition = nullptr;
        std::string text;
    };
    std::map<CRoomFloor*, JoinedRoom> m_joinedRooms;
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
    // The journal's change count when the level was last saved or opened;
    // -1 before that.
    int m_changesInFile = -1;

    // ---- Interaction state ----
    int m_shapeRow = 0;
    KorPrimitive* m_tappedPrimitive = nullptr;
    bool m_lastResolveOk = false;
    float m_savedMinWallLength = 0.0f;
    // The wall objects' widths that no one gave, held while a wall or a
    // corner is dragged: a door keeps its width when its wall stretches.
    std::vector<KorDimension*> m_heldWidths;
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

    // ---- Floor-plan file (repl_doc_file.cpp) ----
    // The level's plain file text appended to out (under the lock); the
    // flag is passed on and has no effect.
    void BuildFileText(std::string& out, bool flag = false);
    // The root start tag, the HISTORY block and the MAP element.
    // The path list names the rooms given, by default every room.
    void WriteFileHeader(std::string& out, bool flag = false,
                         const std::vector<CRoomFloor*>* listed = nullptr);
    bool ParseFile(const char* text, int length);
    bool ReadFileContent(CXMLElement* root);
    // True when a room of the file's path list would load: its first element
    // plays and passes the shape check; first is the index of its name. The
    // invalid rooms ahead of it are discarded here, each with the question
    // whether to go on (No refuses the file). Neither the document nor any
    // process-wide setting keeps a trace of the trial.
    bool HasLoadableRoom(CXMLElement* root, const std::vector<std::string>& names,
                         std::size_t& first);
    // Plays a new room of that name apart from the level and checks its shape.
    bool CanLoadRoom(const std::string& name, const std::function<bool(CRoomFloor&)>& play);
    // Plays one room's script into the current room and checks its shape.
    bool ReadRoomElement(const char* script);
    bool CheckRoomShape(CRoomFloor* room);
    void AddLoadedRoom(CRoomFloor* room);
    bool FinishLoad();
    // The room shown for editing once a level is read: it lets go of the
    // lengths its close into the plan held, as a room entered does.
    void ReleaseEditedRoomAfterLoad();
    void SetAllModified(bool modified);
    // Set while the rooms of a file are read (the second load flag).
    bool m_readingRooms = false;

    // ---- Save, open and backup (repl_doc_save.cpp) ----
    static constexpr int kFileNameBuffer = 256;
    void OnFileSave();
    CString GetNextFileName() const;
    bool SaveAs(const CString& suggestion);
    // False (reported) when the file could not be replaced whole.
    bool SaveToFile(const CString& path);
    void OnFileOpen();
    // The Load command; true when a file was opened.
    bool LoadFromDialog();
    BOOL OnOpenDocument(LPCTSTR path) override;
    bool OpenFile(const CString& path);
    bool AskOpenFileName(wchar_t* buffer);
    static int GetCounterFromName(const CString& path);
    // The file name less its extension and the number that ends it.
    static CString GetBaseFromName(const CString& path);
    void OnChangeLevel(UINT command);
    void RebuildLevelsMenu();
    bool ReadRoomDirectory(const CString& path);
    // The folder's script of the room plays into a room apart and passes the
    // shape check.
    bool CanLoadRoomScript(const CString& folder, const std::string& name);
    bool ReadAddressFile(const CString& path, std::vector<std::string>& names);
    // Decrypts a file already read, trying the older passphrase second.
    bool DecryptFile(std::unique_ptr<char[]>& text, DWORD& error, int& length);
    // Save, Load and the Levels commands into the document's command map.
    void MapFileCommands();

    // ---- Snapshot journal, session and options (repl_doc_session.cpp) ----
    CSnapshotJournal m_journal;
    // The header from the confirmed New Session dialog, then a new level.
    void StartNewSession(const class CNewSessionDlg& dialog);
    void OnUndo();
    void OnRedo();
    // The Options dialog; what changed is applied.
    void OnOptions();
    // Rebuilds the level from the journal and starts it again.
    void RestoreFromJournal();

    // ---- Interactive editing (repl_doc_editing.cpp) ----
    bool OnPenDown(double x, double y, int tolerance);
    bool OnPenMove(double x, double y);
    void OnPenUp();
    bool OnTap(double x, double y);
    void OnDoubleTap(double x, double y);
    bool TapIcon(double x, double y);
    bool AcceptsPenDown();
    void BeginDrag();
    void EndDrag(bool ended);
    void ReleasePick(bool changed);
    bool StartKeyStep(int direction);
    void SetKeyStep(int step);
    bool KeyStep();
    void RotateSelection(const angle& turn, bool final);
    void GetExtents(double& x0, double& y0, double& x1, double& y1);

    // ---- Walls and wall objects (repl_doc_rooms.cpp) ----
    bool HitWall(double x, double y);
    void EditDoor(ZupOpening* opening);
    void EditWallObject(ZupWallObject* object);
    void NewWallObject(ZupEdge* wall, double x, double y);

    // ---- Commands on rooms (repl_doc_commands.cpp) ----
    void OnEditMode(UINT command);
    void OnModeNotify();
    void OnNoAction() {}
    void OnLockAnglesUpdate(CCmdUI* ui);
    void OnLockAngles();
    void OnResetDimensions();
    void OnRoomDialog();
    bool IsRoomDetachable(CRoomFloor* room);
    // Removes the room (none: the current one); the plan is rebuilt unless kept.
    void RemoveRoom(CRoomFloor* room, bool keepPlan);
    void DetachRooms(CRoomFloor* room);
    void OnMirror();
    void OnRebuildPlanUpdate(CCmdUI* ui);
    void OnRebuildPlan();

    // ---- Switching between room and plan (repl_doc_switching.cpp) ----
    void OnViewChange();
    void AlignRoomToPlan();
    point::TRANSFORM GetRoomToPlanTransform(CRoomFloor* room);
    bool ExitThroughOpening(ZupOpening* opening);
    void MoveEntrance(bool forward);
    void TurnRoom(bool negative);
    // The outline of the room that failed to join (node points, opening
    // centres), which the plan drawing shows.
    std::vector<POINT> m_failedNodePoints;
    std::vector<POINT> m_failedOpeningPoints;

    // ---- Plan drawing and dimensions (repl_doc_draw.cpp) ----
    void DrawPlan(class CScaledDC& dc);
    void DrawRooms(CScaledDC& dc);
    // fill: the room's display contour in the current brush.
    void DrawRoom(CScaledDC& dc, CRoomFloor* room, ZupPartition* partition, bool fill);
    // The rooms' names and areas as the options ask, each readable: the
    // text, the font it is drawn in when smaller, its box and its room's.
    struct RoomLabel {
        CString text;
        std::optional<LOGFONTW> font;
        CRect box;
        CRect room;
    };
    std::vector<RoomLabel> ArrangeRoomLabels(CScaledDC& dc);
    void DrawRoomLabels(CScaledDC& dc);
    CString RoomLabelText(CRoomFloor* room) const;
    void DrawWalls(CScaledDC& dc, ZupFloor& floor);
    void DrawWall(CScaledDC& dc, ZupEdge* edge);
    void DrawRoomObjects(CScaledDC& dc, ZupFloor& floor, bool markersOff);
    void DrawEditPlan(CScaledDC& dc);
    void DrawCurrentNode(CScaledDC& dc);
    void DrawWallObjects(CScaledDC& dc);
    // viewHeight: the view's client height in pixels.
    void DrawShapeOutline(CScaledDC& dc, int row, int column, const RECT& cell, int viewHeight);
    void DrawDimensions(CScaledDC& dc, int selected);
    void DrawDimension(CScaledDC& dc, class KorDimension* dimension, bool selected);
    // A shown dimension's label with the place its text got among the others.
    struct ShownDimension {
        KorDimension* dimension = nullptr;
        std::unique_ptr<class CDimLabel> label;
        CRect textBox;
        bool selected = false;
    };
    // The labels DrawDimensions draws (when not only the selected one),
    // their texts placed so that each reads on its own.
    std::vector<ShownDimension> ArrangeDimensionLabels(CScaledDC& dc, int selected);
    void DrawDimension(CScaledDC& dc, const ShownDimension& label, bool selected);
    bool PassesDimensionFilter(KorDimension* dimension) const;
    bool IsDimensionVisible(int index) const;

    // ---- View state and display commands (repl_doc_view_state.cpp) ----
    // Room view with a current mode asks the mode; otherwise the plan.
    float GetScale();
    void GetPan(int& x, int& y);
    void PanBy(int dx, int dy);
    void SetPan(int x, int y);
    void Zoom(bool in);
    void ResetZoom();
    void ZoomRoom(bool in);
    float GetRoomZoom() const;
    bool IsRoomAutoFit() const;
    bool IsEditingRoom();
    class KorDimension* GetSelectedDimension() const;
    void SetHalfInches(bool on);
    // The command pad's key: Options in plan view, the room dialog in room view.
    void OnDetachOrOptions();
    void OnDimensionTap();
    void RecheckDimensions();
    int CountEnabledDimensions() const;
    float GetTotalArea(float& nonGarage) const;

    // ---- Placed room objects and their dialogs (repl_doc_objects.cpp) ----
    // The pen point in the view's client pixels; each runs its dialog under
    // the lock, and the dialog creates the object.
    void PlaceCamera(int x, int y);
    void PlaceIsland(int x, int y);
    void PlaceColumn(int x, int y);
    void PlaceSpiralStair(int x, int y);
    void PlaceFireplace(int x, int y);
    // The object's dialog under the lock; "Delete" deletes it.
    void EditRoomObject(ZupRoomObject* object);
    // Deletes a room object and forgets every pick of it.
    void DeleteRoomObject(ZupRoomObject* object);

private:
    void DeleteRooms();
    bool PickRoomObject(ZupFloor& floor, const point& p, double tolerance);
    void PickUnderPen(CRoomFloor& room, const point& p, double tolerance);
    void BeginWallObjectDrag();
    void PinWallObject(ZupWallObject* object, bool movable);
    void HoldObjectWidths();
    void ReleaseObjectWidths();
    void UndoPenStep(const point& old);
    void CopyCameraToItsRoom();
    void ReleaseWallObject(bool changed);
    bool OnPlanTap(const point& p);
    void SwitchToRoom();
    void SwitchToPlan();
    void ShowLoadedPlan();
    bool EnterPlanView();
    void ApplyRoomDialog(CRoomFloor* room, const class CNewRoomDlg& dialog);
    void ApplyRoomDialogFields(CRoomFloor* room, const class CNewRoomDlg& dialog);
    void RebuildAfterRemoval();
    void MapCommands();
    // Drags that BeginDrag opened and EndDrag has not closed yet.
    int m_dragDepth = 0;
    bool CloseNewRoom(CRoomFloor* room);
    bool StartPlanFromFirstRoom();
    void RejoinLastRoom();
    void RecordPartition(CRoomFloor* room, ZupPartition* partition);
    bool PlanIsCurrent();
    void MarkExits(CRoomFloor* room, ZupPartition* partition);
    void TakeTwinWidth(CRoomFloor* room, ZupOpening* opening, ZupOpening* twin);
    bool AskSaveBeforeNew();
    BOOL m_frameworkModified = FALSE;
};
