// A floor's command text: the model's statements, then one line for every
// wall object and corner object, the entrance, and the free-standing objects.
#include <set>

#include "kor_capture.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_node.h"
#include "zup_node_object.h"
#include "zup_opening.h"
#include "zup_room_object.h"
#include "zup_wall_object.h"

void ZupFloor::GetCommandString(KorCapture* capture, std::string* text,
                                bool nodesAndPrimitivesOnly)
{
    WriteModelStatements(capture, text, nodesAndPrimitivesOnly);
    if (!nodesAndPrimitivesOnly)
        GetObjectsString(text);
}

void ZupFloor::WriteModelStatements(KorCapture* capture, std::string* text,
                                    bool nodesAndPrimitivesOnly)
{
    // Wall objects make their end nodes when first asked; they must exist
    // before the node statements are written, or the object lines would
    // name nodes the text never creates.
    for (int i = 0; i < GetNumOfPrimitives(); ++i)
        if (ZupEdge* wall = CastToEdge(GetPrimitive(i)))
            for (int j = 0; j < wall->GetNumOfObjects(); ++j)
                if (ZupWallObject* object = wall->GetWallObject(j))
                    object->GetStart();
    KorModel::GetCommandString(capture, text, nodesAndPrimitivesOnly);
}

bool ZupFloor::WritesNodeStatement(const KorNode* node) const
{
    return !IsRoomObject(const_cast<KorNode*>(node));
}

void ZupFloor::GetObjectsString(std::string* text)
{
    if (!text)
        return;
    // A corner is written once, at the first wall that touches its node.
    std::set<ZupNodeObject*> cornersWritten;
    auto writeCorner = [&](KorNode* node) {
        auto* zupNode = dynamic_cast<ZupNode*>(node);
        ZupNodeObject* corner = zupNode ? zupNode->GetNodeObject(nullptr) : nullptr;
        if (corner && cornersWritten.insert(corner).second)
            *text += corner->GetVCRLine();
    };
    for (int i = 0; i < GetNumOfPrimitives(); ++i) {
        KorPrimitive* primitive = GetPrimitive(i);
        ZupEdge* wall = CastToEdge(primitive);
        if (!wall)
            continue;
        for (int j = 0; j < wall->GetNumOfObjects(); ++j)
            if (ZupWallObject* object = wall->GetWallObject(j))
                *text += object->GetVCRLine();
        writeCorner(primitive->GetStart());
        writeCorner(primitive->GetEnd());
    }
    if (mpEntrance)
        *text += "Entrance=" + mpEntrance->GetName() + "\n";
    for (ZupRoomObject* object : mRoomObjects)
        *text += object->GetVCRLine();
}
