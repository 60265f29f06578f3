#include "kor_dimaint.h"

#include <algorithm>

#include "kor_entity.h"
#include "kor_model.h"

KorDimaint::KorDimaint() = default;

KorDimaint::~KorDimaint()
{
    // Each entity's RemoveDimaint calls back RemoveEntity, which shrinks the list.
    while (!mEntities.empty()) {
        std::size_t before = mEntities.size();
        mEntities.back()->RemoveDimaint(this);
        if (mEntities.size() == before)
            mEntities.pop_back();
    }
    if (mpModel && mWeight != 0)
        mpModel->RemoveWeighted(this);
}

void KorDimaint::ReplaceEntity(KorEntity* oldEntity, KorEntity* newEntity)
{
    if (oldEntity)
        oldEntity->RemoveDimaint(this);
    if (newEntity)
        newEntity->AddDimaint(this);
    Update(oldEntity, newEntity);
}

void KorDimaint::Update(KorEntity*, KorEntity*) {}

void KorDimaint::SetEnabled(bool enabled) { mbEnabled = enabled; }

void KorDimaint::AddEntity(KorEntity* entity)
{
    if (entity)
        mEntities.push_back(entity);
}

void KorDimaint::RemoveEntity(KorEntity* entity)
{
    auto it = std::find(mEntities.begin(), mEntities.end(), entity);
    if (it != mEntities.end())
        mEntities.erase(it);
}

KorEntity* KorDimaint::GetOtherEntity(KorEntity* entity) const
{
    for (KorEntity* listed : mEntities)
        if (listed != entity)
            return listed;
    return nullptr;
}

void KorDimaint::SetWeight(int weight)
{
    if (!mpModel || weight == mWeight)
        return;
    if (mWeight == 0) {
        mWeight = weight;
        mpModel->AddWeighted(this);
    } else if (weight == 0) {
        mpModel->RemoveWeighted(this);
        mWeight = 0;
    } else {
        mWeight = weight;
    }
}
