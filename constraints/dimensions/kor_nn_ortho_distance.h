// The horizontal or vertical distance between two nodes, each held on an
// aligned line tracker of its own.
#pragma once

#include "kor_ss_distance.h"

class KorNNOrthoDistance : public KorSSDistance {
public:
    KorNNOrthoDistance();
    ~KorNNOrthoDistance() override;

    // 12 for vertical trackers (a horizontal distance), else 11.
    KOREntityType GetType() const override;

    // type 11 (vertical distance) or 12 (horizontal distance); error 3 for
    // equal nodes, 12 for another type, for nodes on one tracker of that
    // alignment and for a refused registration.
    KorHandle Create(KorModel* model, KorNode* node1, KorNode* node2, KOREntityType type);

    void Update(KorEntity* oldEntity, KorEntity* newEntity) override;
    bool SameAs(KorDimension* other) override;
    using KorSSDistance::Solve;
    KorDimSolution* Solve(KorDF* df) override;
    double GetImplementedValue() override;
    KorTracker* GetTracker(KorNode* node) override;
    KorNode* GetOtherNode(KorNode* node) override;
    void CalculateOrientation() override;
    bool Adjust(KorDimSolution* solution) override;
    KorDF* GetDoubleNodeDF() override;

    KOREntityType GetAlignment() const { return mAlignment; }
    KorNode* GetNode1() const;
    KorNode* GetNode2() const;

private:
    KorLinTracker* TrackerFor(KorNode* node, KorLinTracker*& own);
    bool CreateDoubleNodeSolution(KorDimension* lock, KorDimSolution*& first,
                                  KorDimSolution*& second);

    KorLinTracker* mpOwnTracker1 = nullptr;
    KorLinTracker* mpOwnTracker2 = nullptr;
    KOREntityType mAlignment = KOR_EMPTY;
    KorDF* mpDoubleNodeDF = nullptr;
};
