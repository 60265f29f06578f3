// The Exit mode: the room is left through one of its doors, which closes it
// into the plan and starts (or opens) the room behind the door.
#pragma once

#include "edit_mode.h"

class CExitMode : public CEditMode {
public:
    explicit CExitMode(CReplDoc* document) : CEditMode(document, "Exit", 2141) {}

    void Activate() override;
    void Draw(CScaledDC& dc) override;
    bool Leave(bool forward) override;
    bool OnTap(double x, double y) override;
    void Refresh() override;
    bool AcceptsPenDown() override { return false; }
    ZupRoomObject* OnIconTap(double x, double y) override;
};
