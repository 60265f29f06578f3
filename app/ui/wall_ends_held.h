// The two ends of a wall held where they are for the time of a scope.
#pragma once

#include "kor_node.h"
#include "zup_edge.h"

// The wall's two ends stay where they are for the time of the scope; each
// gets back its own movability.
class WallEndsHeld {
public:
    explicit WallEndsHeld(ZupEdge* wall) : mStart(wall->GetStart()), mEnd(wall->GetEnd())
    {
        mStartMovable = mStart->IsMovable();
        mEndMovable = mEnd->IsMovable();
        mStart->SetMovable(false);
        mEnd->SetMovable(false);
    }
    ~WallEndsHeld()
    {
        mStart->SetMovable(mStartMovable);
        mEnd->SetMovable(mEndMovable);
    }
    WallEndsHeld(const WallEndsHeld&) = delete;
    WallEndsHeld& operator=(const WallEndsHeld&) = delete;

private:
    KorNode* mStart;
    KorNode* mEnd;
    bool mStartMovable = true;
    bool mEndMovable = true;
};
