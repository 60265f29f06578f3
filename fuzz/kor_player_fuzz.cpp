// Feeds arbitrary bytes, and statements assembled from command-text pieces,
// to the command player in string mode and in file mode, and to the file
// buffer's line reader, and replays what such a model writes. Any crash or
// sanitizer report is a fault; so is a node with a non-finite coordinate.
#include "kor_filebuf.h"
#include "kor_globals.h"
#include "kor_model.h"
#include "kor_node.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

const char* const kPieces[] = {
    "a", "b", "c", "d", "Nod1", "Nod2", "Seg1", "D1", "x", "=", "(", ")", ",", ";", "\n", "\r\n",
    " ", "//", "/", "Node(", "Segment(", "Circle(", "Arc(", "Coincident(", "Colinear(",
    "Parallel(", "Perpendicular(", "Vertical(", "Horizontal(", "Unmovable(", "Tangent(",
    "Distance(", "NSDistance(", "SSDistance(", "VerticalDistance(", "HorizonatlDistance(",
    "Radius(", "Angle(", "Symmetry(", "Value(", "Weight(", "Resolve()", "Delete(", "0", "1",
    "10", "-5", "1.5", "120", "90", "1e999", "nan", "inf", "12x", "0x10", ".5", "+3", ">=",
    "&&", "<", "     5.00", "2147483648", "ERROR: Unknown type",
};

void Fail(const char* what)
{
    std::fprintf(stderr, "player fuzz: %s\n", what);
    std::abort();
}

std::string Assemble(const uint8_t* data, size_t size)
{
    std::string text;
    for (size_t i = 0; i < size; ++i)
        text += kPieces[data[i] % std::size(kPieces)];
    return text;
}

void RequireFiniteNodes(KorModel& model)
{
    for (KorNode* node : model.GetNodes())
        if (!std::isfinite(node->GetPoint().x()) || !std::isfinite(node->GetPoint().y()))
            Fail("non-finite node coordinate");
}

// What a model writes replays without harm (the equality of the texts is a
// property test of its own: creating constraints may move nodes).
void ReplayWritten(KorModel& model)
{
    std::string text;
    model.Save(text, false);
    KorModel replayed;
    replayed.playbackStartFromString(text);
    RequireFiniteNodes(replayed);
}

// One scratch file for the whole run, removed at exit.
char gScratch[] = "/tmp/kor_player_fuzz.XXXXXX";

const char* ScratchPath()
{
    static const bool made = [] {
        const int fd = mkstemp(gScratch);
        if (fd < 0)
            return false;
        close(fd);
        std::atexit([] { std::remove(gScratch); });
        return true;
    }();
    return made ? gScratch : nullptr;
}

bool WriteAll(const char* path, const std::string& bytes)
{
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

void PlayFile(const std::string& bytes)
{
    const char* path = ScratchPath();
    if (path == nullptr || !WriteAll(path, bytes))
        return;
    KorFilebuf file;
    if (file.open(path, KorFilebuf::kRead)) {
        std::string line;
        bool atEnd = false;
        size_t total = 0;
        while (!atEnd) {
            total += file.getline(line, &atEnd);
            if (line.size() != total)
                Fail("getline count differs from the characters appended");
        }
        file.close();
    }
    KorModel model;
    model.Load(path);
    RequireFiniteNodes(model);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    KorResetGlobals();
    const uint8_t mode = data[0];
    const std::string text = (mode & 1) != 0
                                 ? Assemble(data + 1, size - 1)
                                 : std::string(reinterpret_cast<const char*>(data + 1), size - 1);
    if ((mode & 6) == 0) {
        PlayFile(text);
        return 0;
    }
    KorModel model;
    model.playbackStartFromString(text);
    RequireFiniteNodes(model);
    if ((mode & 8) != 0)
        ReplayWritten(model);
    return 0;
}
