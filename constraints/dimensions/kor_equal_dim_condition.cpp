#include "kor_equal_dim_condition.h"

#include <iterator>

#include "kor_dimension.h"
#include "kor_model.h"
#include "settings.h"

KorEqualDimCondition::KorEqualDimCondition(KorModel* model) : mpModel(model) {}

KorEqualDimCondition::~KorEqualDimCondition()
{
    mpImplementation = nullptr;
    mpChosen = nullptr;
    MemberSet members;
    members.swap(mMembers);
    for (KorDimension* member : members) {
        if (member->GetCondition() == this)
            member->SetCondition(nullptr);
        // A dimension that only took the group's value has nothing left; a
        // root keeps the relation of its own.
        if (member->GetEqualDim() || member->GetPrimaryType() == KOR_DIM_SAME)
            member->SetValue(0.0, KOR_DIM_NONE, true);
    }
}

KorDimension* KorEqualDimCondition::FirstMember() const
{
    return mMembers.empty() ? nullptr : *mMembers.begin();
}

KorDimension* KorEqualDimCondition::SecondMember() const
{
    return mMembers.size() < 2 ? nullptr : *std::next(mMembers.begin());
}

void KorEqualDimCondition::SetEveryMember(double value)
{
    MemberSet members = mMembers;
    for (KorDimension* member : members)
        member->SetValue(value, KOR_DIM_SAME, false);
}

void KorEqualDimCondition::RemoveImplementationDim()
{
    for (KorDimension* member : mMembers)
        if (member != mpChosen)
            member->SetEnabled(false);
    mpImplementation = nullptr;
    mpChosen = nullptr;
}

bool KorEqualDimCondition::IsConditionImplemented()
{
    if (mMembers.size() < 2)
        return true;
    double x = FirstMember()->GetImplementedValue();
    for (KorDimension* member : mMembers)
        if (GeoNE(member->GetImplementedValue(), x))
            return false;
    return true;
}

KorDimension* KorEqualDimCondition::CreateImplementationDim(bool* more)
{
    mpChosen = nullptr;
    float common = 0.0f;
    for (KorDimension* member : mMembers) {
        if (!member->IsEnabled())
            continue;
        if (!mpChosen) {
            mpChosen = member;
            common = static_cast<float>(member->GetImplementedValue());
        } else if (GeoNE(member->GetImplementedValue(), common)) {
            return nullptr;  // two enabled members disagree
        }
    }
    mpImplementation = FirstMember();
    mCandidates.clear();
    if (!mpImplementation)
        return nullptr;
    bool moreCandidates = true;
    if (mpChosen) {
        MemberSet members = mMembers;
        for (KorDimension* member : members)
            if (!member->IsEnabled())
                member->SetValue(common, KOR_DIM_SAME, false);
        moreCandidates = mMembers.size() > 2;
    } else {
        mCandidateIndex = 0;
        double sum = 0.0;
        for (KorDimension* member : mMembers) {
            mCandidates.push_back(member->GetImplementedValue());
            sum += mCandidates.back();
        }
        SetEveryMember(sum / static_cast<double>(mMembers.size()));
    }
    if (more)
        *more = moreCandidates;
    return mpImplementation;
}

KorDimension* KorEqualDimCondition::UpdateImplementationDim()
{
    if (!mpImplementation || mpChosen || mCandidateIndex < 0 ||
        static_cast<std::size_t>(mCandidateIndex) >= mCandidates.size())
        return nullptr;
    SetEveryMember(mCandidates[mCandidateIndex++]);
    return mpImplementation;
}

void KorEqualDimCondition::AddImplementationToDimensions(KorModel* model)
{
    if (!model)
        return;
    MemberSet members = mMembers;
    for (KorDimension* member : members) {
        if (model->GetNamesManager().GetObjectHandle(member) != 0)
            continue;
        member->SetStatus(KORStatusType{}, nullptr);
        model->AddDimension(member);
    }
}

bool KorEqualDimCondition::find(KorDimension* dimension)
{
    return mMembers.count(dimension) != 0;
}

void KorEqualDimCondition::Insert(KorDimension* dimension)
{
    if (!dimension)
        return;
    mMembers.insert(dimension);
    if (KorDimension* equal = dimension->GetEqualDim())
        mMembers.insert(equal);
}

void KorEqualDimCondition::Remove(KorDimension* dimension, bool destroying)
{
    if (!find(dimension))
        return;
    KorDimension* link = dimension->GetEqualDim();
    mMembers.erase(dimension);
    if (mpImplementation == dimension)
        mpImplementation = nullptr;
    if (mpChosen == dimension)
        mpChosen = nullptr;
    if (destroying) {
        if (mMembers.size() < 2) {
            DeleteSelf();
            return;
        }
        RelinkDependants(dimension, link);
        return;
    }
    FollowRemoved(dimension);
    if (mMembers.empty() || (mMembers.size() == 1 && !FirstMember()->GetEqualDim()))
        DeleteSelf();
}

// The dimensions equated with a deleted one keep the group together: they take
// its own link, or (a deleted root) the first remaining member, which becomes
// the root when it was one of them.
void KorEqualDimCondition::RelinkDependants(KorDimension* removed, KorDimension* link)
{
    KorDimension* first = FirstMember();
    for (KorDimension* member : mMembers) {
        if (member->GetEqualDim() != removed)
            continue;
        if (link) {
            if (member != link)
                member->SetEqualDim(link);
            else
                member->SetEqualDim(member == first ? SecondMember() : first);
        } else {
            member->SetEqualDim(member == first ? nullptr : first);
        }
    }
}

// The dimensions equated with one that takes another relation follow it into
// its own new group.
void KorEqualDimCondition::FollowRemoved(KorDimension* removed)
{
    MemberSet members = mMembers;
    for (KorDimension* member : members) {
        if (member->GetEqualDim() != removed)
            continue;
        mMembers.erase(member);
        member->SetValue(0.0, KOR_DIM_NONE, false);
        member->SetValue(removed);
    }
}

void KorEqualDimCondition::Merge(KorEqualDimCondition* other)
{
    if (!other || other == this)
        return;
    for (KorDimension* member : other->mMembers) {
        mMembers.insert(member);
        // A root's own inequality condition stays with it.
        KorCondition* held = member->GetCondition();
        if (!held || held == other || dynamic_cast<KorEqualDimCondition*>(held))
            member->SetCondition(this);
    }
    other->mMembers.clear();
    other->mpImplementation = nullptr;
    other->mpChosen = nullptr;
}

void KorEqualDimCondition::DeleteSelf()
{
    if (mpModel)
        mpModel->RemoveCondition(this);
    delete this;
}
