// The document's operations on rooms: closing a room into the level's plan,
// rebuilding the plan, predefined shapes, entrances and the edit modes.
#include "repl_doc.h"
#include "room_floor.h"
#include "zup_opening.h"
#include "zup_partition.h"

bool CReplDoc::CloseRoom() { return false; }
ZupPartition* CReplDoc::JoinRoomToPlan(CRoomFloor*) { return nullptr; }
bool CReplDoc::AddRoomToPlan(CRoomFloor*) { return false; }
bool CReplDoc::RejoinRooms(CRoomFloor*) { return false; }
bool CReplDoc::CheckConnection(CRoomFloor*) { return true; }
bool CReplDoc::SmartWallsFallback() { return false; }
ZupOpening* CReplDoc::FindTwinOpening(ZupPartition*, ZupOpening*) { return nullptr; }
void CReplDoc::CreateClosets() {}
bool CReplDoc::InsertShape(int, int) { return false; }
void CReplDoc::PlaceEntrance(ZupOpening*) {}
int CReplDoc::GetStoreyPosition() { return 0; }
bool CReplDoc::SetEditMode(int) { return false; }
bool CReplDoc::StepEditMode(bool) { return false; }
void CReplDoc::EndRoomEdit() { m_roomView = false; }
void CReplDoc::EnableRules(bool on) { m_smartWalls = on; }
