// Minimal bodies of floor operations whose full versions come with the object
// classes, the command lines and the loader; each one fails or does nothing
// so that the library links meanwhile. Each is removed here when its real body
// is written.
#include "zup_floor.h"

#include "zup_edge.h"
#include "zup_node.h"
#include "zup_partition.h"

bool ZupFloor::Load(const char*)
{
    return false;
}

void ZupFloor::GetCommandString(KorCapture* capture, std::string* text,
                                bool nodesAndPrimitivesOnly)
{
    KorModel::GetCommandString(capture, text, nodesAndPrimitivesOnly);
}

void ZupFloor::UpdateOrientations()
{
    KorModel::UpdateOrientations();
}

polygon& ZupFloor::GetContour()
{
    return mpOuterShell ? mpOuterShell->GetContour() : mDefaultContour;
}

polygon& ZupFloor::GetOuterContour()
{
    return mpOuterShell ? mpOuterShell->GetContour() : mDefaultContour;
}

void ZupFloor::SetupObjects() {}

void ZupFloor::UpdateObjects() {}

ZupCamera* ZupFloor::CreateCamera(const char*, double, double, int) { return nullptr; }
ZupCamera* ZupFloor::CreateCamera(double, double) { return nullptr; }
ZupIsland* ZupFloor::CreateIsland(double, double) { return nullptr; }
ZupColumn* ZupFloor::CreateColumn(double, double) { return nullptr; }
ZupSpiralStair* ZupFloor::CreateSpiralStair(double, double) { return nullptr; }
ZupWallFireplace* ZupFloor::CreateFireplace(double, double, int) { return nullptr; }
ZupWallFireplace* ZupFloor::CreateFireplace(int, ZupNode*, ZupNode*, int) { return nullptr; }
ZupFireplace* ZupFloor::CreateFireplace(double, double) { return nullptr; }
ZupWindow* ZupFloor::CreateWallWindow(int, ZupNode*, ZupNode*, int) { return nullptr; }
ZupWindow* ZupFloor::CreateWallWindow(double, double) { return nullptr; }
ZupBathObject* ZupFloor::CreateBathObject(int, ZupNode*, ZupNode*, int, int, int)
{
    return nullptr;
}
ZupBathObject* ZupFloor::CreateBathObject(double, double) { return nullptr; }
ZupCountertop* ZupFloor::CreateCountertop(int, ZupNode*, ZupNode*, int, int, int)
{
    return nullptr;
}
ZupCountertop* ZupFloor::CreateCountertop(double, double) { return nullptr; }
ZupNodeObject* ZupFloor::CreateNodeObject(int, ZupNode*, int, int) { return nullptr; }
ZupUtilityObject* ZupFloor::CreateUtilityObject(double, double) { return nullptr; }
ZupUtilityObject* ZupFloor::CreateUtilityObject(int, ZupNode*, ZupNode*, int, int, int)
{
    return nullptr;
}
ZupStructural* ZupFloor::CreateStructural(double, double) { return nullptr; }
ZupStructural* ZupFloor::CreateStructural(int, ZupNode*, ZupNode*, int) { return nullptr; }
