#include "kor_aa_symmetry.h"

#include "kor_arc.h"
#include "kor_dim_support.h"
#include "kor_model.h"
#include "kor_nn_symmetry.h"

KorAASymmetry::KorAASymmetry() = default;

KorAASymmetry::~KorAASymmetry()
{
    KorNNSymmetry* parts[3] = {GetNodeSymmetry(0), GetNodeSymmetry(1), GetNodeSymmetry(2)};
    for (std::uint64_t& serial : mSerials)
        serial = 0;
    for (KorNNSymmetry* part : parts)
        delete part;
}

KorNNSymmetry* KorAASymmetry::GetNodeSymmetry(int i) const
{
    if (i < 0 || i > 2)
        return nullptr;
    return dynamic_cast<KorNNSymmetry*>(KorFindAttached(mpAxis, mSerials[i]));
}

KorHandle KorAASymmetry::Create(KorModel* model, KorArc* a1, KorArc* a2, KorEntity* axis)
{
    if (!model)
        return 0;
    mpModel = model;
    if (!a1 || !a2 || !axis || a1 == a2) {
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    mpAxis = axis;
    const bool nodeAxis = axis->GetType() == KOR_NODE;
    KorNode* pairs[3][2] = {{a1->GetStart(), nodeAxis ? a2->GetStart() : a2->GetEnd()},
                            {a1->GetEnd(), nodeAxis ? a2->GetEnd() : a2->GetStart()},
                            {a1->GetCenter(), a2->GetCenter()}};
    for (int i = 0; i < 3; ++i) {
        auto* symmetry = new KorNNSymmetry();
        if (symmetry->Create(model, pairs[i][0], pairs[i][1], axis, false) == 0) {
            delete symmetry;
            for (int j = 0; j < i; ++j) {
                delete GetNodeSymmetry(j);
                mSerials[j] = 0;
            }
            model->SetError(KOR_ERR_CREATE);
            return 0;
        }
        mSerials[i] = symmetry->GetSerial();
    }
    return KorConstraint::Create(model, a1, a2, axis, true);
}

bool KorAASymmetry::IsImplemented()
{
    for (int i = 0; i < 3; ++i) {
        KorNNSymmetry* part = GetNodeSymmetry(i);
        if (!part || !part->IsImplemented())
            return false;
    }
    return true;
}

bool KorAASymmetry::IsNodeSymmetrySet(KorNode* a, KorNode* b, KorEntity* axis)
{
    if (!GetNodeSymmetry(0))
        return false;
    for (int i = 0; i < 3; ++i) {
        KorNNSymmetry* part = GetNodeSymmetry(i);
        if (part && part->IsNodeSymmetrySet(a, b, axis))
            return true;
    }
    return false;
}
