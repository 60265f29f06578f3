#include "kor_unmovable.h"

#include "kor_model.h"
#include "kor_node.h"

KorUnmovable::~KorUnmovable()
{
    if (mpNode)
        mpNode->SetMovable(true);
}

KorHandle KorUnmovable::Create(KorModel* model, KorNode* node)
{
    if (!node || !node->IsMovable()) {
        if (model)
            model->SetError(KOR_ERR_REFUSED);
        return 0;
    }
    node->SetMovable(false);
    mpNode = node;
    return KorConstraint::Create(model, node, nullptr, nullptr, true);
}

void KorUnmovable::SetEnabled(bool enabled)
{
    if (!mpNode || enabled == mbEnabled)
        return;
    KorConstraint::SetEnabled(enabled);
    mpNode->SetMovable(!enabled);
}
