// The room's command text: writing it with the room's own statements and
// replaying it from a text or a script file.
#include <cstdio>
#include <string>

#include "kor_capture.h"
#include "kor_dimension.h"
#include "kor_entity.h"
#include "kor_scoped_value.h"
#include "paths.h"
#include "room_floor.h"
#include "room_floor_player.h"
#include "text_utilities.h"
#include "xml_element.h"

namespace {

// "Target=value\n"; grows with the value (names are never shortened).
std::string StatementLine(const char* target, const std::string& value)
{
    return std::string(target) + "=" + value + "\n";
}

}  // namespace

void CRoomFloor::GetCommandString(KorCapture* capture, std::string* text,
                                  bool nodesAndPrimitivesOnly)
{
    if (!text)
        return;
    std::vector<KorDimension*> fullList;
    if (!nodesAndPrimitivesOnly) {
        std::string name = !mLabel.empty() ? mLabel : (GetName() ? GetName() : "");
        XmlEscape(name);
        *text += StatementLine("Name", name);
        // Only the room's own solver dimensions are written, never the
        // ordering entries behind them.
        fullList = mDimensions;
        if (static_cast<int>(mDimensions.size()) > mSolverDimensionCount)
            DropOrderingEntries();
    }
    WriteModelStatements(capture, text, nodesAndPrimitivesOnly);
    if (nodesAndPrimitivesOnly)
        return;
    AppendReferenceDimensionLines(capture, text);
    GetObjectsString(text);
    mDimensions = fullList;
    *text += StatementLine("Shape", mShapeName);
    if (mbBelow)
        *text += "Level=below\n";
    if (mWidth != 0 && mDepth != 0) {
        char line[64];
        std::snprintf(line, sizeof line, "Size=Size(%d,%d)\n", mWidth, mDepth);
        *text += line;
    }
}

// The reference dimensions are kept out of the model's list: their lines
// follow the model's own.
void CRoomFloor::AppendReferenceDimensionLines(KorCapture* capture, std::string* text)
{
    if (!capture)
        return;
    for (KorDimension* dimension : mReferenceDimensions) {
        if (dimension->GetLayer() == 5)
            continue;
        KorEntity *start = nullptr, *end = nullptr, *third = nullptr;
        dimension->GetEntities(start, end, third);
        const KorHandle handle = GetHandle(dimension);
        *text += capture->getConstraintLine(dimension->GetType(), handle, GetHandle(start),
                                            GetHandle(end), 0);
        if (dimension->IsEnabled())
            *text += capture->getDimValueLine(handle, dimension->GetValueString());
    }
}

bool CRoomFloor::Replay(CRoomFloorPlayer& player, bool hasText)
{
    Clear();
    KorScopedValue<angle> play(AngularPlay(), AngularInputSnap());
    if (hasText)
        player.play();
    player.close();
    return GetNumOfNodes() > 0;
}

bool CRoomFloor::PlayString(const char* text)
{
    CRoomFloorPlayer player(this);
    const bool hasText = text && *text && player.init_string(text);
    return Replay(player, hasText);
}

bool CRoomFloor::PlaySavedText(const std::string& text)
{
    // Only the name line is escaped in the room's text.
    std::string readable;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        const std::string line = text.substr(start, end - start);
        readable += line.rfind("Name=", 0) == 0 ? XmlDecodeEntities(line) : line;
        start = end;
    }
    return PlayString(readable.c_str());
}

bool CRoomFloor::PlayFile(const CString& path)
{
    const std::optional<std::string> host = PlatformPaths::ToHost(path);
    CRoomFloorPlayer player(this);
    if (!host || !player.init(host->c_str()))
        return false;
    return Replay(player, true);
}
