// Opening a floor-plan file the way the program does: a room with a fan of
// walls from one corner (each wall on its own line, so the corner holds
// about 2T^2 degrees of freedom for T walls) and a level of many rooms of
// one name. Every open is to take well under a second.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_documents.h"
#include "repl_doc.h"

namespace {

std::string Header(const std::string& path)
{
    std::string text =
        "\n<QUENDAR_FPL version=\"1.0\" house=\"1\" street=\"Anystreet\" unit=\"\" "
        "level=\"Main\" zip=\"\" mls=\"\" jobid=\"\" orient=\"none\" codepage=\"0\"\n path=\"";
    text += path;
    text += "\">\n<HISTORY></HISTORY>\n";
    return text;
}

const char* const kRectangle =
    "N1=Node(0.0,0.0)\nN2=Node(200.0,0.0)\nN3=Node(200.0,300.0)\nN4=Node(0.0,300.0)\n"
    "Entrance=Node(100.0,0.0)\nS1=Segment(N1,N2)\nS2=Segment(N2,N3)\nS3=Segment(N3,N4)\n"
    "S4=Segment(N4,N1)\n";

// The 200 x 300 rectangle with `walls` walls from its corner (200, 0) to
// points 2 apart on the line x = 600.
std::string FanFile(int walls)
{
    std::string text = Header("Hall1,");
    text += "<Hall1 body=\"Name=Hall1\n";
    text += kRectangle;
    for (int k = 0; k < walls; ++k) {
        const std::string index = std::to_string(k);
        text += "M";
        text += index;
        text += "=Node(600.0,";
        text += std::to_string(-walls + 2 * k);
        text += ".0)\nT";
        text += index;
        text += "=Segment(M";
        text += index;
        text += ",N2)\n";
    }
    text += "Shape=Rectangle\n\"/>\n\n</QUENDAR_FPL>\n";
    return text;
}

std::string RoomsOfOneName(int rooms)
{
    std::string path;
    for (int i = 0; i < rooms; ++i)
        path += "Hall1,";
    std::string text = Header(path);
    for (int i = 0; i < rooms; ++i) {
        text += "<Hall1 body=\"Name=Hall1\n";
        text += kRectangle;
        text += "Shape=Rectangle\n\"/>\n\n";
    }
    text += "</QUENDAR_FPL>\n";
    return text;
}

void Open(benchmark::State& state, const std::string& text)
{
    BenchDocuments documents("open");
    if (!documents.Ready()) {
        state.SkipWithError("no exchange file");
        return;
    }
    int rooms = 0;
    for (auto _ : state) {
        CReplDoc document;
        if (!document.ParseFile(text.c_str(), static_cast<int>(text.size()))) {
            state.SkipWithError("the file did not open");
            return;
        }
        rooms = document.GetNumOfRooms();
    }
    state.counters["rooms"] = rooms;
}

void BM_OpenFan(benchmark::State& state) { Open(state, FanFile(static_cast<int>(state.range(0)))); }

void BM_OpenRoomsOfOneName(benchmark::State& state)
{
    Open(state, RoomsOfOneName(static_cast<int>(state.range(0))));
}

BENCHMARK(BM_OpenFan)->Arg(100)->Arg(400)->Arg(800)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OpenRoomsOfOneName)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
