// Common base of everything that relates entities of a constraint model:
// valued dimensions and valueless constraints.
#pragma once

#include <vector>

#include "kor_object.h"

class KorEntity;

class KorDimaint : public KorObject {
public:
    ~KorDimaint() override;
    KorDimaint(const KorDimaint&) = delete;
    KorDimaint& operator=(const KorDimaint&) = delete;

    bool IsDimaint() const override { return true; }

    // Virtual operations after those of KorObject, in slot order.
    virtual void GetEntities(KorEntity*& first, KorEntity*& second, KorEntity*& third) = 0;
    virtual bool IsImplemented() = 0;
    // Detaches from oldEntity, attaches to newEntity, then Update(old, new).
    virtual void ReplaceEntity(KorEntity* oldEntity, KorEntity* newEntity);
    // Hook after an entity was replaced.
    virtual void Update(KorEntity* oldEntity, KorEntity* newEntity);
    virtual void SetEnabled(bool enabled);

    // Entity list (attached entities; not owned). Called by KorEntity.
    void AddEntity(KorEntity* entity);
    void RemoveEntity(KorEntity* entity);
    KorEntity* GetOtherEntity(KorEntity* entity) const;
    int GetNumOfEntities() const { return static_cast<int>(mEntities.size()); }
    KorEntity* GetEntity(int i) const { return mEntities[i]; }

    int GetWeight() const { return mWeight; }
    // Ignored without a model; a change from/to 0 updates the model's weighted list.
    void SetWeight(int weight);
    bool IsEnabled() const { return mbEnabled; }

protected:
    KorDimaint();

    std::vector<KorEntity*> mEntities;
    int mWeight = 0;
    bool mbEnabled = false;
};
