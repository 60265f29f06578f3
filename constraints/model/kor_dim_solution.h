// One candidate move of a dimension: the degree of freedom it uses, how the
// moved tracker's nodes follow (owned tracker solution) and the kind of move.
#pragma once

#include <cstdint>

class KorDF;
class KorDimension;
class KorNode;
class KorTrackerSolution;
class point;

// Kind of a solution's move.
enum OpCode : std::uint32_t {
    KOR_OP_SHIFT = 0,         // the DF's moved tracker shifts
    KOR_OP_TURN = 1,          // it turns about its pivot node
    KOR_OP_SLIDE = 2,         // the node slides along the dimension's tracker
    KOR_OP_EXTRA = 3,         // applied by the dimension with its extra solution
    KOR_OP_DOUBLE = 4,        // one of a pair applied together
    KOR_OP_TRIPLE = 5,        // one of three applied together
    KOR_OP_TANGENCY = 6,
    KOR_OP_ANGULAR = 7,       // applied by the dimension (with its extra solution)
    KOR_OP_DIMENSION = 8,     // applied by the dimension
    KOR_OP_RADIUS = 9,        // radius change
    KOR_OP_TANGENT_10 = 10,
    KOR_OP_TANGENT_11 = 11,
    KOR_OP_TANGENT_12 = 12,
    KOR_OP_NOTHING = 13,      // nothing to do: Adjust reports false
    KOR_OP_PLACEHOLDER = 14,  // the solver passes the dimension over
    KOR_OP_GROUP_SHIFT = 17,  // node-node distance moves its shift group
    KOR_OP_DISABLED = 18,     // the solver's placeholder for a disabled dimension
};

class KorDimSolution {
public:
    KorDimSolution(KorDF* df, KorTrackerSolution* trackerSolution, OpCode opCode);
    // Deep copies: each copy owns its own tracker solution.
    explicit KorDimSolution(const KorDimSolution* other);
    KorDimSolution(const KorDimSolution& other);
    KorDimSolution& operator=(const KorDimSolution& other);
    ~KorDimSolution();

    short GetDimensionIndex() const { return mDimensionIndex; }
    void SetDimensionIndex(short index) { mDimensionIndex = index; }
    KorDF* GetDF() const { return mpDF; }
    void SetDF(KorDF* df) { mpDF = df; }
    KorTrackerSolution* GetTrackerSolution() const { return mpTrackerSolution; }
    OpCode GetOpCode() const { return mOpCode; }
    void SetOpCode(OpCode opCode) { mOpCode = opCode; }
    short GetClusterIndex() const { return mClusterIndex; }
    void SetClusterIndex(short index) { mClusterIndex = index; }
    KorNode* GetPivot() const { return mpPivot; }

    KorNode* GetUpdatedNode1() const { return mpUpdatedNode1; }
    KorNode* GetUpdatedNode2() const { return mpUpdatedNode2; }
    void SetUpdatedNode1(KorNode* node) { mpUpdatedNode1 = node; }
    void SetUpdatedNode2(KorNode* node) { mpUpdatedNode2 = node; }
    void ClearUpdatedNodes() { mpUpdatedNode1 = mpUpdatedNode2 = nullptr; }
    bool IsUpdatedObjectNode(KorNode* node) const;

    // Index of the chosen candidate (see the source for the rule).
    int SolutionChoice(point* candidates, point* references, double dx, double dy,
                       KorNode* node, int count);
    // Applies this solution of dimension to the geometry.
    bool Adjust(KorDimension* dimension);
    // Applies this solution (of d1) and other (of d2) together.
    bool Adjust(KorDimSolution* other, KorDimension* d1, KorDimension* d2);
    bool Align(KorDimension* dimension);

private:
    short mDimensionIndex = 0;
    KorDF* mpDF;
    KorTrackerSolution* mpTrackerSolution;
    OpCode mOpCode;
    short mClusterIndex = 0;
    KorNode* mpPivot = nullptr;
    KorNode* mpUpdatedNode1 = nullptr;
    KorNode* mpUpdatedNode2 = nullptr;
};
