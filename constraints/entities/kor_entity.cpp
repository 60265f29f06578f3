#include "kor_entity.h"

#include <algorithm>

#include "kor_dimaint.h"
#include "kor_model.h"
#include "kor_primitive.h"
#include "kor_tracker.h"

namespace {

// A primitive stands for the centre node of its tracker (none for a line).
KorEntity* CentreOrSelf(KorEntity* entity)
{
    if (entity && entity->IsPrimitive()) {
        KorTracker* tracker = static_cast<KorPrimitive*>(entity)->GetTracker();
        return tracker ? tracker->GetCenter() : nullptr;
    }
    return entity;
}

}  // namespace

KorEntity::KorEntity() = default;

KorEntity::~KorEntity()
{
    if (!mDimaints.empty())
        KillDependants();
}

void KorEntity::UpdateDimaints(KorNode*, KorNode*) {}

void KorEntity::SetMovable(bool movable)
{
    mbMovable = movable;
    if (!movable && mpModel)
        mpModel->RemoveSolution();
}

bool KorEntity::IsMovable() const { return mbMovable; }

void KorEntity::AddDimaint(KorDimaint* dimaint)
{
    mDimaints.push_back(dimaint);
    dimaint->AddEntity(this);
}

void KorEntity::RemoveDimaint(KorDimaint* dimaint)
{
    auto it = std::find(mDimaints.begin(), mDimaints.end(), dimaint);
    if (it != mDimaints.end())
        mDimaints.erase(it);
    dimaint->RemoveEntity(this);
}

KorDimaint* KorEntity::GetDimaint(KOREntityType type, KorDimaint* except) const
{
    for (KorDimaint* dimaint : mDimaints)
        if (dimaint != except && dimaint->GetType() == type)
            return dimaint;
    return nullptr;
}

KorDimaint* KorEntity::GetEnabledDimaint(KOREntityType type) const
{
    for (KorDimaint* dimaint : mDimaints)
        if (dimaint->GetType() == type && dimaint->IsEnabled())
            return dimaint;
    return nullptr;
}

KorDimaint* KorEntity::GetOtherDimaint(KorDimaint* dimaint) const
{
    return GetDimaint(dimaint->GetType(), dimaint);
}

KorDimaint* KorEntity::GetCommonDimaint(KorEntity* other) const
{
    if (other == this)
        return nullptr;
    for (KorDimaint* dimaint : mDimaints) {
        KorEntity* first = nullptr;
        KorEntity* second = nullptr;
        KorEntity* third = nullptr;
        dimaint->GetEntities(first, second, third);
        if (first != this && second != this) {
            first = CentreOrSelf(first);
            second = CentreOrSelf(second);
        }
        if ((first && first == other) || (second && second == other))
            return dimaint;
    }
    return nullptr;
}

void KorEntity::TransferDimaints(KorEntity* from)
{
    // Walk a copy: both lists change while the dimaints move.
    const std::vector<KorDimaint*> moving = from->mDimaints;
    for (auto it = moving.rbegin(); it != moving.rend(); ++it) {
        KorDimaint* dimaint = *it;
        if (std::find(from->mDimaints.begin(), from->mDimaints.end(), dimaint) ==
            from->mDimaints.end())
            continue;  // already gone with an earlier one
        if (dimaint->GetOtherEntity(from) == this) {
            delete dimaint;  // it would link this entity to itself
            continue;
        }
        dimaint->ReplaceEntity(from, this);
        dimaint->SetEnabled(false);
    }
}

void KorEntity::KillDependants()
{
    // A dimaint's destructor detaches it from its entities (and may delete
    // others), so take one from the end at a time and drop every further
    // occurrence before deleting it exactly once.
    while (!mDimaints.empty()) {
        KorDimaint* dimaint = mDimaints.back();
        mDimaints.erase(std::remove(mDimaints.begin(), mDimaints.end(), dimaint),
                        mDimaints.end());
        delete dimaint;
    }
}
