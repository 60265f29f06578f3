// A group of dimensions made equal to each other, implemented by giving every
// member one common value.
#pragma once

#include <set>
#include <vector>

#include "kor_condition.h"
#include "kor_object.h"

class KorDimension;
class KorModel;

class KorEqualDimCondition : public KorCondition {
public:
    // Members in creation order (never by address).
    using MemberSet = std::set<KorDimension*, KorSerialLess>;

    // The model the group unregisters itself from when it deletes itself.
    explicit KorEqualDimCondition(KorModel* model);
    // Forgets the implementation and resets every member to "//"; no member
    // keeps the group as its condition.
    ~KorEqualDimCondition() override;

    void RemoveImplementationDim() override;
    bool IsConditionImplemented() override;
    KorDimension* CreateImplementationDim(bool* more) override;
    KorDimension* UpdateImplementationDim() override;
    void AddImplementationToDimensions(KorModel* model) override;
    bool find(KorDimension* dimension) override;

    // Adds dimension and its equal dimension.
    void Insert(KorDimension* dimension);
    // Takes dimension out of the group (destroying: it is being deleted). May
    // unregister and delete the group itself: do not touch it afterwards.
    void Remove(KorDimension* dimension, bool destroying);
    // Takes every member of other; other is left empty.
    void Merge(KorEqualDimCondition* other);

    const MemberSet& GetMembers() const { return mMembers; }
    int GetNumOfMembers() const { return static_cast<int>(mMembers.size()); }
    KorDimension* GetChosen() const { return mpChosen; }
    const std::vector<double>& GetCandidates() const { return mCandidates; }

private:
    KorDimension* FirstMember() const;
    KorDimension* SecondMember() const;
    void SetEveryMember(double value);
    void RelinkDependants(KorDimension* removed, KorDimension* link);
    void FollowRemoved(KorDimension* removed);
    void DeleteSelf();

    KorModel* mpModel;
    KorDimension* mpChosen = nullptr;
    MemberSet mMembers;
    int mCandidateIndex = 0;
    std::vector<double> mCandidates;
};
