// The room's command text: writing it with the room's own statements and
// replaying it from a text or a script file.
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "kor_capture.h"
#include "kor_dimension.h"
#include "kor_entity.h"
#include "kor_filebuf.h"
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
        // A labelled room keeps its own name (so its type) in a line of its own.
        const std::string name = GetName() ? GetName() : "";
        const bool labelled = !mLabel.empty() && mLabel != name;
        *text += StatementLine("Name", EncodeNameText(labelled ? mLabel : name));
        if (labelled && !name.empty())
            *text += StatementLine("RoomName", EncodeNameText(name));
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
        if (dimension->IsEnabled() && !IsHeldForPlan(dimension))
            *text += capture->getDimValueLine(handle, dimension->GetValueString());
    }
}

namespace {

constexpr const char* kNameTargets[] = {"Name=", "RoomName="};

// The target of a name line ("Name=" or "RoomName="), or null.
const char* NameTargetOf(const std::string& line)
{
    for (const char* target : kNameTargets)
        if (line.rfind(target, 0) == 0)
            return target;
    return nullptr;
}

// Calls visit(line, hasLineFeed) for each line of the text.
template <typename Visit>
void ForEachLine(const std::string& text, Visit visit)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            visit(text.substr(start), false);
            return;
        }
        visit(text.substr(start, end - start), true);
        start = end + 1;
    }
}

}  // namespace

std::string CRoomFloor::TakeNameStatements(const std::string& text, NameStatements& names)
{
    std::string statements;
    ForEachLine(text, [&](std::string line, bool lineFeed) {
        const char* target = NameTargetOf(line);
        if (!target) {
            statements += line;
            if (lineFeed)
                statements += '\n';
            return;
        }
        // A text written with CR LF line ends keeps no CR in the name.
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string value = DecodeNameText(line.substr(std::strlen(target)));
        (target == kNameTargets[0] ? names.name : names.roomName) = std::move(value);
    });
    return statements;
}

void CRoomFloor::ApplyNameStatements(const NameStatements& names)
{
    if (!names.name && !names.roomName)
        return;
    // The text says what the label is: none unless its Name line gives one.
    mLabel.clear();
    if (names.name && !names.name->empty())
        SetName(names.name->c_str());
    if (names.roomName && !names.roomName->empty()) {
        ZupFloor::SetName(names.roomName->c_str());
        if (mLabel == *names.roomName)
            mLabel.clear();
    } else {
        TakeTypedName();
    }
}

bool CRoomFloor::Replay(CRoomFloorPlayer& player, bool hasText, const NameStatements& names)
{
    Clear();
    ApplyNameStatements(names);
    KorScopedValue<angle> play(AngularPlay(), AngularInputSnap());
    if (hasText)
        player.play();
    player.close();
    return GetNumOfNodes() > 0;
}

bool CRoomFloor::PlayString(const char* text)
{
    NameStatements names;
    const std::string statements = TakeNameStatements(text ? text : "", names);
    CRoomFloorPlayer player(this);
    const bool hasText = !statements.empty() && player.init_string(statements);
    return Replay(player, hasText, names);
}

bool CRoomFloor::PlaySavedText(const std::string& text)
{
    // Only the name lines are escaped in the room's text; the file's reader
    // decodes them with the body, this does it outside the file.
    std::string readable;
    ForEachLine(text, [&readable](const std::string& line, bool lineFeed) {
        readable += NameTargetOf(line) ? XmlDecodeEntities(line) : line;
        if (lineFeed)
            readable += '\n';
    });
    return PlayString(readable.c_str());
}

bool CRoomFloor::PlayFile(const CString& path)
{
    // A script file holds the room's text as Save wrote it.
    const std::optional<std::string> host = PlatformPaths::ToHost(path);
    std::unique_ptr<char[]> buffer;
    const std::size_t length = host ? KorFilebuf::getall(buffer, host->c_str()) : 0;
    if (!buffer)
        return false;
    return PlaySavedText(std::string(buffer.get(), length));
}
