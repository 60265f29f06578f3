#include "kor_ss_symmetry.h"

#include "kor_dim_support.h"
#include "kor_model.h"
#include "kor_nn_symmetry.h"
#include "kor_segment.h"

KorSSSymmetry::KorSSSymmetry() = default;

KorSSSymmetry::~KorSSSymmetry()
{
    KorNNSymmetry* first = GetFirstSymmetry();
    KorNNSymmetry* second = GetSecondSymmetry();
    mFirstSerial = mSecondSerial = 0;
    delete first;
    delete second;
}

// The node symmetries are attached to the axis too: while the axis lists
// one it is alive.
KorNNSymmetry* KorSSSymmetry::GetFirstSymmetry() const
{
    return dynamic_cast<KorNNSymmetry*>(KorFindAttached(mpAxis, mFirstSerial));
}

KorNNSymmetry* KorSSSymmetry::GetSecondSymmetry() const
{
    return dynamic_cast<KorNNSymmetry*>(KorFindAttached(mpAxis, mSecondSerial));
}

KorHandle KorSSSymmetry::Create(KorModel* model, KorSegment* s1, KorSegment* s2, KorEntity* axis)
{
    if (!model)
        return 0;
    mpModel = model;
    if (!s1 || !s2 || !axis || s1 == s2 || s1 == axis || s2 == axis) {
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    bool straight = false;
    if (model->IsNodeSymmetrySet(s1->GetStart(), s2->GetStart(), axis)) {
        straight = true;
    } else if (model->IsNodeSymmetrySet(s1->GetStart(), s2->GetEnd(), axis)) {
        straight = false;
    } else {
        const bool sameCode = s1->GetOrientation().IsIdentical(s2->GetOrientation());
        const bool nodeAxis = axis->GetType() == KOR_NODE;
        straight = nodeAxis ? !sameCode : sameCode;
    }
    const KorHandle handle = KorConstraint::Create(model, s1, s2, axis, true);
    if (handle == 0)
        return 0;
    mpAxis = axis;
    KorNode* pairs[2][2] = {{s1->GetStart(), straight ? s2->GetStart() : s2->GetEnd()},
                            {s1->GetEnd(), straight ? s2->GetEnd() : s2->GetStart()}};
    std::uint64_t* serials[2] = {&mFirstSerial, &mSecondSerial};
    for (int i = 0; i < 2; ++i) {
        // A node shared by both segments lies on the axis: nothing to pair.
        if (pairs[i][0] == pairs[i][1])
            continue;
        auto* symmetry = new KorNNSymmetry();
        if (symmetry->Create(model, pairs[i][0], pairs[i][1], axis, false) == 0) {
            delete symmetry;
            model->SetError(KOR_ERR_CREATE);
            return 0;
        }
        *serials[i] = symmetry->GetSerial();
    }
    return handle;
}

bool KorSSSymmetry::IsImplemented()
{
    KorNNSymmetry* first = GetFirstSymmetry();
    KorNNSymmetry* second = GetSecondSymmetry();
    return (mFirstSerial == 0 || (first && first->IsImplemented()))
           && (mSecondSerial == 0 || (second && second->IsImplemented()));
}

bool KorSSSymmetry::IsNodeSymmetrySet(KorNode* a, KorNode* b, KorEntity* axis)
{
    KorNNSymmetry* first = GetFirstSymmetry();
    if (!first)
        return false;
    if (first->IsNodeSymmetrySet(a, b, axis))
        return true;
    KorNNSymmetry* second = GetSecondSymmetry();
    return second && second->IsNodeSymmetrySet(a, b, axis);
}
