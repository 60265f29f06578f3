// View Change on a saved level, as a person looks from the plan into a room
// and back with nothing unsaved: a row of rooms of 200 x 300 inches, each
// entered through a door in the far wall of the one before, the journal
// running. The switch decides whether the level still is its file by the
// file's text; the cost of building that text is measured beside it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "bench_documents.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "snapshot_journal.h"
#include "zup_edge.h"
#include "zup_opening.h"

namespace {

// Long enough that the journal's worker takes no turn during a run.
constexpr DWORD kQuietPeriodMs = 3600 * 1000;

// The room's wall farthest from its entrance.
ZupEdge* FarWall(CRoomFloor& room)
{
    ZupOpening* entrance = room.GetEntrance();
    const point from = entrance && entrance->GetEdge() ? entrance->GetEdge()->GetGeoCenter() : point(0, 0);
    ZupEdge* far = nullptr;
    double farthest = -1.0;
    for (ZupEdge* wall = room.Get1stEdge(); wall; wall = room.GetNextEdge()) {
        const point centre = wall->GetGeoCenter();
        const double distance = std::hypot(centre.x() - from.x(), centre.y() - from.y());
        if (wall->GetNumOfObjects() == 0 && distance > farthest) {
            far = wall;
            farthest = distance;
        }
    }
    return far;
}

// The current room drawn from the first shape with its entrance.
bool DrawRoom(CReplDoc& document)
{
    if (!document.InsertShape(0, 0))
        return false;
    document.PlaceEntrance(nullptr);
    return document.GetCurrentRoom()->GetEntrance() != nullptr;
}

// A door in the middle of the far wall, measured as the New Wall Object
// sheet measures it; the room closed and left through it.
bool LeaveThroughFarDoor(CReplDoc& document, int number)
{
    CRoomFloor* room = document.GetCurrentRoom();
    ZupEdge* wall = FarWall(*room);
    if (!wall)
        return false;
    const point centre = wall->GetGeoCenter();
    const std::string name = "Door" + std::to_string(number);
    ZupOpening* door = room->CreateOpening(name.c_str(), 1, centre.x(), centre.y());
    if (!door)
        return false;
    door->CreateWidthDimension();
    door->CreatePosDimension(nullptr, -1.0f);
    wall->ModifyLengthDim(-1.0f);
    if (!document.CloseRoom())
        return false;
    document.ExitThroughOpening(door);
    return document.GetCurrentRoom() != room;
}

// The level of `rooms` rooms shown as its plan and saved.
bool BuildSavedLevel(CReplDoc& document, int rooms)
{
    document.ResetLevel();
    document.m_journal.Stop();
    document.m_journal.SetPeriod(kQuietPeriodMs);
    if (!document.m_journal.Start())
        return false;
    for (int i = 0; i < rooms; ++i) {
        if (!DrawRoom(document))
            return false;
        if (i + 1 < rooms && !LeaveThroughFarDoor(document, i + 1))
            return false;
    }
    document.OnViewChange();
    return !document.m_roomView && document.GetNumOfRooms() == rooms &&
           document.SaveToFile(CString(L"My Documents\\Any1Mn1.fpl")) && !document.HasWorkToLose();
}

// The saved level of the benchmark's size; false (the run skipped) when it
// could not be built.
bool SetUpLevel(benchmark::State& state, const BenchDocuments& documents, CReplDoc& document)
{
    CSnapshotJournal::SetDirectory(CString(L"My Documents\\"));
    if (documents.Ready() && BuildSavedLevel(document, static_cast<int>(state.range(0))))
        return true;
    state.SkipWithError("the level could not be built");
    return false;
}

void BM_ViewChangeWithNothingUnsaved(benchmark::State& state)
{
    BenchDocuments documents("view-change");
    CReplDoc document;
    if (!SetUpLevel(state, documents, document))
        return;
    for (auto _ : state)
        document.OnViewChange();
    if (document.HasWorkToLose())
        state.SkipWithError("a switch left work to lose");
    std::string text;
    document.BuildFileText(text);
    state.counters["rooms"] = document.GetNumOfRooms();
    state.counters["text bytes"] = static_cast<double>(text.size());
}

void BM_BuildFileText(benchmark::State& state)
{
    BenchDocuments documents("file-text");
    CReplDoc document;
    if (!SetUpLevel(state, documents, document))
        return;
    for (auto _ : state) {
        std::string text;
        document.BuildFileText(text);
        benchmark::DoNotOptimize(text.data());
    }
}

BENCHMARK(BM_ViewChangeWithNothingUnsaved)->Arg(4)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildFileText)->Arg(4)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace
