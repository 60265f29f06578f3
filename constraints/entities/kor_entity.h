// Base of nodes, primitives and trackers: the dimensions and constraints
// attached to the entity and its movable flag.
#pragma once

#include <vector>

#include "kor_object.h"

class geobject;
class KorDimaint;
class KorNode;

class KorEntity : public KorObject {
public:
    ~KorEntity() override;
    KorEntity(const KorEntity&) = delete;
    KorEntity& operator=(const KorEntity&) = delete;

    virtual geobject& GetGeometry() = 0;
    virtual void UpdateDimaints(KorNode* oldNode, KorNode* newNode);
    virtual void SetMovable(bool movable);
    virtual bool IsMovable() const;

    bool IsRegistered() const { return mbRegistered; }
    void SetRegistered(bool registered) { mbRegistered = registered; }

    void AddDimaint(KorDimaint* dimaint);
    void RemoveDimaint(KorDimaint* dimaint);
    int GetNumOfDimaints() const { return static_cast<int>(mDimaints.size()); }
    // Null for an index outside the list.
    KorDimaint* GetDimaint(int i) const
    {
        return i >= 0 && static_cast<std::size_t>(i) < mDimaints.size() ? mDimaints[i] : nullptr;
    }
    KorDimaint* GetDimaint(KOREntityType type, KorDimaint* except) const;
    KorDimaint* GetEnabledDimaint(KOREntityType type) const;
    KorDimaint* GetOtherDimaint(KorDimaint* dimaint) const;
    KorDimaint* GetCommonDimaint(KorEntity* other) const;
    void TransferDimaints(KorEntity* from);

protected:
    KorEntity();
    void KillDependants();

    std::vector<KorDimaint*> mDimaints;
    bool mbMovable = true;
    bool mbRegistered = true;
};
