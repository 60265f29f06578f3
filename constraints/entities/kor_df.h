// A degree of freedom of a node: the node stays on the carrier while the moved
// tracker moves; with no moved tracker the node slides along the carrier.
#pragma once

class KorNode;
class KorTracker;
class KorDimension;
class KorTrackerSolution;

// A plain record: whoever lists it creates it with new; a node owns the DFs in
// its list. Destruction frees nothing else.
class KorDF {
public:
    KorDF(KorNode* node, KorTracker* moved, KorTracker* carrier)
        : mpNode(node), mpMoved(moved), mpCarrier(carrier) {}

    KorNode* GetNode() const { return mpNode; }
    KorTracker* GetMoved() const { return mpMoved; }
    KorTracker* GetCarrier() const { return mpCarrier; }

    // For a DF that moves a line tracker: the tracker on which d's other node
    // slides in the tracker solution s; null otherwise.
    KorTracker* GetSubject(KorDimension* d, KorTrackerSolution* s) const;

    KorNode* mpNode;        // null in the tracker-only DFs of dimensions
    KorTracker* mpMoved;    // null when the node only slides
    KorTracker* mpCarrier;  // null in the all-null DF
};
