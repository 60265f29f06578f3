#include "kor_dimension.h"

#include <cmath>
#include <cstring>

#include "kor_condition.h"
#include "kor_df.h"
#include "kor_equal_dim_condition.h"
#include "kor_model.h"
#include "kor_number_text.h"
#include "settings.h"

namespace {

const char* const kTypeTexts[KOR_NUM_DIMENSION_TYPES] = {"//", "==", "=", ">", ">=",
                                                          "<",  "<=", "~"};

bool IsInequality(KORDimensionType type)
{
    return type != KOR_DIM_NONE && type != KOR_DIM_EQUAL && type != KOR_DIM_SAME;
}

bool IsLowerBound(KORDimensionType type)
{
    return type == KOR_DIM_GREATER || type == KOR_DIM_GREATER_EQUAL;
}

bool IsPlainCondition(KorCondition* condition)
{
    return condition && !dynamic_cast<KorEqualDimCondition*>(condition);
}

// One relation of value text: an operator and its number.
struct ValueRelation {
    KORDimensionType type = KOR_DIM_EQUAL;
    double value = 0.0;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void SkipBlanks(const char*& p, const char* end)
{
    while (p < end && IsBlank(*p))
        ++p;
}

// Reads the longest operator at p ("==" reads as "="); false when none.
bool ReadOperator(const char*& p, const char* end, KORDimensionType& type)
{
    static const struct {
        const char* text;
        KORDimensionType type;
    } kOperators[] = {
        {"//", KOR_DIM_NONE},  {"==", KOR_DIM_EQUAL},   {">=", KOR_DIM_GREATER_EQUAL},
        {"<=", KOR_DIM_LESS_EQUAL}, {"=", KOR_DIM_EQUAL}, {">", KOR_DIM_GREATER},
        {"<", KOR_DIM_LESS},   {"~", KOR_DIM_SAME},
    };
    for (const auto& op : kOperators) {
        std::size_t length = std::strlen(op.text);
        if (static_cast<std::size_t>(end - p) >= length && std::memcmp(p, op.text, length) == 0) {
            p += length;
            type = op.type;
            return true;
        }
    }
    return false;
}

// A complete finite C-locale number filling [p, end) (no NUL inside).
bool ReadNumber(const char* p, const char* end, double& value)
{
    std::string number(p, end);
    if (number.find('\0') != std::string::npos)
        return false;
    return KorParseFinite(number.c_str(), value);
}

// One relation: blanks, an operator (optional when allowed), blanks, a number
// (optional after "//"), blanks.
bool ReadRelation(const char* p, const char* end, bool operatorRequired, ValueRelation& relation)
{
    SkipBlanks(p, end);
    while (end > p && IsBlank(end[-1]))
        --end;
    bool hasOperator = ReadOperator(p, end, relation.type);
    if (!hasOperator && operatorRequired)
        return false;
    SkipBlanks(p, end);
    if (p == end && relation.type == KOR_DIM_NONE) {
        relation.value = 0.0;
        return true;
    }
    return ReadNumber(p, end, relation.value);
}

// The whole text as one or two relations joined by "&&".
bool ParseValueText(const std::string& text, ValueRelation& first, ValueRelation& second,
                    bool& hasSecond)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    std::size_t join = text.find("&&");
    hasSecond = join != std::string::npos;
    if (!hasSecond)
        return ReadRelation(begin, end, false, first);
    return ReadRelation(begin, begin + join, true, first) &&
           ReadRelation(begin + join + 2, end, true, second) && second.type != KOR_DIM_NONE;
}

}  // namespace

const char* KorDimensionTypeText(KORDimensionType type)
{
    if (type < 0 || type >= KOR_NUM_DIMENSION_TYPES)
        return "";
    return kTypeTexts[type];
}

KorDF* KorDimension::mpStopDF = KorDimension::InitStopDF();

KorDF* KorDimension::InitStopDF()
{
    if (!mpStopDF)
        mpStopDF = new KorDF(nullptr, nullptr, nullptr);
    return mpStopDF;
}

void KorDimension::RemoveStopDF()
{
    delete mpStopDF;
    mpStopDF = nullptr;
}

void KorDimension::ResetGlobals()
{
    *InitStopDF() = KorDF(nullptr, nullptr, nullptr);
}

KorDimension::KorDimension() = default;

KorDimension::~KorDimension()
{
    if (!mpModel)
        return;
    // Every condition that uses this dimension as its implementation forgets it.
    for (KorCondition* condition : mpModel->GetConditions())
        if (condition->GetImplementationDim() == this)
            condition->SetImplementationDim(nullptr);
    if (mpOwner && mpOwner->GetImplementationDim() == this)
        mpOwner->SetImplementationDim(nullptr);
    // A dependant leaves its group; so does a root, whose dependants re-link.
    KorEqualDimCondition* group = dynamic_cast<KorEqualDimCondition*>(mpCondition);
    if (!group || !group->find(this))
        group = dynamic_cast<KorEqualDimCondition*>(mpModel->GetEqualDimensionChain(this));
    if (group)
        group->Remove(this, true);
    if (mpCondition == group)
        mpCondition = nullptr;
    mpEqualDim = nullptr;
    DeletePlainCondition();
}

void KorDimension::GetEntities(KorEntity*& first, KorEntity*& second, KorEntity*& third)
{
    first = mpStart;
    second = mpEnd;
    third = nullptr;
}

bool KorDimension::IsImplemented()
{
    if (mPrimaryType == KOR_DIM_EQUAL || mPrimaryType == KOR_DIM_SAME)
        return IsEqual(GetImplementedValue(), GetValue());
    return IsConditionImplemented();
}

void KorDimension::ReplaceEntity(KorEntity* oldEntity, KorEntity* newEntity)
{
    if (oldEntity == GetStart())
        SetStart(newEntity);
    else if (oldEntity == GetEnd())
        SetEnd(newEntity);
    KorDimaint::ReplaceEntity(oldEntity, newEntity);
}

double KorDimension::GetValue()
{
    return mPrimaryType == KOR_DIM_NONE ? GetImplementedValue() : mValue;
}

bool KorDimension::SameAs(KorDimension* other)
{
    if (!other || other->GetType() != GetType())
        return false;
    return (mpStart == other->mpStart && mpEnd == other->mpEnd) ||
           (mpStart == other->mpEnd && mpEnd == other->mpStart);
}

KorDimSolution* KorDimension::Solve(std::vector<KorDF*>&, bool) { return nullptr; }
KorTracker* KorDimension::GetTracker(KorNode*) { return nullptr; }
KorNode* KorDimension::GetOtherNode(KorNode*) { return nullptr; }
KorTracker* KorDimension::GetOtherTracker(KorTracker*) { return nullptr; }

void KorDimension::GetOrientation(double& dx, double& dy, KorEntity*)
{
    dx = 0.0;
    dy = 0.0;
}

void KorDimension::SetOrientation(double, double, KorEntity*) {}
KorEntity* KorDimension::GetStart() { return mpStart; }
KorEntity* KorDimension::GetEnd() { return mpEnd; }
void KorDimension::SetStart(KorEntity* start) { mpStart = start; }
void KorDimension::SetEnd(KorEntity* end) { mpEnd = end; }
bool KorDimension::Adjust(KorDimSolution*) { return false; }
KorDF* KorDimension::GetStopDF() { return mpStopDF; }
void KorDimension::SetFixedTrackers(KorNode*, KorTracker*) {}
KorDimSolution* KorDimension::GetExtraSolution() { return nullptr; }
void KorDimension::RestoreDFState(KorDimSolution*) {}
bool KorDimension::IsLastDF(KorDF*) { return true; }
KorDF* KorDimension::GetDoubleNodeDF() { return nullptr; }

bool KorDimension::IsAdjacent(KorDimension* other)
{
    if (!other || other == this)
        return false;
    KorEntity* mine[2] = {GetStart(), GetEnd()};
    KorEntity* theirs[2] = {other->GetStart(), other->GetEnd()};
    for (KorEntity* a : mine)
        for (KorEntity* b : theirs)
            if (a == b)
                return true;
    return false;
}

short KorDimension::GetNumOfEquations() { return IsEnabled() ? 1 : 0; }
KorTangent* KorDimension::GetTangent() { return nullptr; }
bool KorDimension::HasValue() { return true; }
bool KorDimension::IsEqual(double a, double b) { return std::fabs(a - b) < GeoSnap(); }

KorEntity* KorDimension::GetCommonEntity(KorDimension* other)
{
    if (!other)
        return nullptr;
    if (mpStart == other->mpStart || mpStart == other->mpEnd)
        return mpStart;
    if (mpEnd == other->mpStart || mpEnd == other->mpEnd)
        return mpEnd;
    return nullptr;
}

bool KorDimension::IsConditionImplemented()
{
    switch (mPrimaryType) {
    case KOR_DIM_NONE:
        return false;
    case KOR_DIM_EQUAL:
        return IsImplemented();
    case KOR_DIM_SAME: {
        KorCondition* group = mpCondition;
        if (!group && mpModel)
            group = mpModel->GetEqualDimensionChain(this);
        return group && group->IsConditionImplemented();
    }
    default:
        break;
    }
    double x = GetImplementedValue();
    if (!CheckBracket(x, mPrimaryType))
        return false;
    return mSecondaryType == KOR_DIM_NONE || CheckBracket(x, mSecondaryType);
}

bool KorDimension::CheckBracket(double x, KORDimensionType type)
{
    double b = type == mPrimaryType ? mBound : mSecondaryValue;
    double g = GeoSnap();
    switch (type) {
    case KOR_DIM_GREATER:
        return x > b + g;
    case KOR_DIM_GREATER_EQUAL:
        return x > b - g;
    case KOR_DIM_LESS:
        return x < b - g;
    case KOR_DIM_LESS_EQUAL:
        return x < b + g;
    default:
        return false;
    }
}

void KorDimension::SwitchToEqualence()
{
    double x = GetImplementedValue();
    bool hasSecondary = mSecondaryType != KOR_DIM_NONE;
    bool secondaryFails = hasSecondary && !CheckBracket(x, mSecondaryType);
    double middle = (mBound + mSecondaryValue) * 0.5;
    double g = GeoSnap();
    if (CheckBracket(x, mPrimaryType)) {
        if (secondaryFails)
            mValue = middle;
    } else if (secondaryFails) {
        mValue = middle;
    } else {
        switch (mPrimaryType) {
        case KOR_DIM_GREATER:
            mValue = mBound + 2 * g;
            break;
        case KOR_DIM_GREATER_EQUAL:
        case KOR_DIM_LESS_EQUAL:
            mValue = mBound;
            break;
        case KOR_DIM_LESS:
            mValue = mBound - 2 * g;
            break;
        default:
            break;
        }
    }
    SetEnabled(true);
}

std::string KorDimension::GetValueString()
{
    if (mpEqualDim) {
        if (!mpModel)
            return std::string();
        KorNamesManager& names = mpModel->GetNamesManager();
        const char* name = names.GetName(names.GetObjectHandle(mpEqualDim));
        return name ? std::string(name) : std::string();
    }
    if (mPrimaryType == KOR_DIM_EQUAL)
        return KorFormatFixed(GetValue(), 2);
    if (mPrimaryType == KOR_DIM_NONE)
        return std::string();
    std::string text = KorDimensionTypeText(mPrimaryType) + KorFormatFixed(mBound, 2);
    if (mSecondaryType != KOR_DIM_NONE)
        text += std::string("&&") + KorDimensionTypeText(mSecondaryType) +
                KorFormatFixed(mSecondaryValue, 2);
    return text;
}

bool KorDimension::SetValue(const std::string& text)
{
    bool handled = false;
    bool result = SetValueFromName(text, handled);
    if (handled)
        return result;
    ValueRelation first;
    ValueRelation second;
    bool hasSecond = false;
    if (!ParseValueText(text, first, second, hasSecond))
        return false;
    if (!SetValue(first.value, first.type, true))
        return false;
    return !hasSecond || SetValue(second.value, second.type, true);
}

// The text names a dimension: this one becomes equal to it.
bool KorDimension::SetValueFromName(const std::string& text, bool& handled)
{
    handled = false;
    if (!mpModel || text.empty())
        return false;
    KorNamesManager& names = mpModel->GetNamesManager();
    KorHandle handle = names.GetObjectHandle(text.c_str());
    if (handle == 0)
        return false;
    handled = true;
    KorObject* object = names.GetObjectAddress(handle);
    if (!object || !object->IsDimension() || object == this)
        return false;
    KorDimension* other = static_cast<KorDimension*>(object);
    if (other == mpEqualDim)
        return true;
    SetValue(0.0, KOR_DIM_NONE, true);
    return SetValue(other);
}

bool KorDimension::SetValue(double value, KORDimensionType type, bool notify)
{
    bool wasEnabled = IsEnabled();
    if (type == KOR_DIM_NONE || value < 0) {
        // "//" and a negative value both end every relation: out of the group,
        // the plain condition unregistered, disabled.
        LeaveGroup();
        DeletePlainCondition();
        mbEnabled = false;
        mPrimaryType = KOR_DIM_NONE;
        mSecondaryType = KOR_DIM_NONE;
        if (type != KOR_DIM_NONE)
            return false;
    } else {
        if (!std::isfinite(value) || type < 0 || type >= KOR_NUM_DIMENSION_TYPES)
            return false;
        // A dependant given its own relation leaves its group first.
        if (type != KOR_DIM_SAME && mpEqualDim)
            LeaveGroup();
        bool accepted = (mPrimaryType == KOR_DIM_NONE || mPrimaryType == KOR_DIM_EQUAL ||
                         type == KOR_DIM_EQUAL || type == KOR_DIM_SAME)
                            ? SetPrimaryRelation(value, type)
                            : SetSecondaryRelation(value, type);
        if (!accepted)
            return false;
    }
    if (mpModel) {
        mpModel->SetModified(true);
        if (notify && IsEnabled() != wasEnabled)
            mpModel->RemoveSolution();
    }
    return true;
}

bool KorDimension::SetPrimaryRelation(double value, KORDimensionType type)
{
    // The condition first: dropping an implemented one disables its owner.
    if (type != mPrimaryType && type != KOR_DIM_SAME)
        ReconcileCondition(type);
    mValue = mBound = value;
    mbEnabled = type == KOR_DIM_EQUAL || type == KOR_DIM_SAME;
    if (type != mPrimaryType) {
        mPrimaryType = type;
        mSecondaryType = KOR_DIM_NONE;
    }
    return true;
}

// An inequality beside the primary one: updates the primary bound when it is
// the same relation, else becomes the secondary relation.
bool KorDimension::SetSecondaryRelation(double value, KORDimensionType type)
{
    if (type == mPrimaryType) {
        if (mSecondaryType != KOR_DIM_NONE) {
            bool refused = IsLowerBound(type) ? value > mSecondaryValue : value < mSecondaryValue;
            if (refused)
                return false;
        }
        mValue = mBound = value;
        return true;
    }
    bool refused = IsLowerBound(type) ? value > mValue : value < mValue;
    if (refused)
        return false;
    mSecondaryValue = value;
    mSecondaryType = type;
    return true;
}

void KorDimension::ReconcileCondition(KORDimensionType type)
{
    if (type == KOR_DIM_EQUAL) {
        DeletePlainCondition();
        return;
    }
    if (!IsInequality(type))
        return;
    if (IsPlainCondition(mpCondition)) {
        mpCondition->RemoveImplementationDim();
    } else if (mpModel) {
        mpCondition = new KorCondition(this);
        mpModel->AddCondition(mpCondition);
    }
}

void KorDimension::LeaveGroup()
{
    if (!mpEqualDim)
        return;
    bool holdsPlain = IsPlainCondition(mpCondition);
    KorEqualDimCondition* group = dynamic_cast<KorEqualDimCondition*>(mpCondition);
    if (!group && mpModel)
        group = dynamic_cast<KorEqualDimCondition*>(mpModel->GetEqualDimensionChain(this));
    if (group)
        group->Remove(this, false);  // may delete the group: only forget it below
    mpEqualDim = nullptr;
    if (!holdsPlain)
        mpCondition = nullptr;
}

void KorDimension::DeletePlainCondition()
{
    if (!IsPlainCondition(mpCondition))
        return;
    KorCondition* condition = mpCondition;
    mpCondition = nullptr;
    if (mpModel && !mpModel->RemoveCondition(condition))
        return;  // the model no longer holds it: not ours to free
    delete condition;
}

bool KorDimension::SetValue(KorDimension* other)
{
    if (!other || other == this || !mpModel)
        return false;
    if (mpEqualDim) {
        if (other == mpEqualDim)
            return true;
        LeaveGroup();
    } else {
        DeletePlainCondition();
    }
    auto* mine = dynamic_cast<KorEqualDimCondition*>(mpModel->GetEqualDimensionChain(this));
    auto* theirs = dynamic_cast<KorEqualDimCondition*>(mpModel->GetEqualDimensionChain(other));
    KorEqualDimCondition* group = mine ? mine : theirs;
    if (mine && theirs && mine != theirs) {
        mine->Merge(theirs);
        mpModel->RemoveCondition(theirs);
        delete theirs;
    }
    if (!group) {
        group = dynamic_cast<KorEqualDimCondition*>(mpCondition);
        if (!group) {
            group = new KorEqualDimCondition(mpModel);
            mpModel->AddCondition(group);
        }
    }
    mpCondition = group;
    mpEqualDim = other;
    group->Insert(this);
    mbEnabled = false;
    mSecondaryType = KOR_DIM_NONE;
    mPrimaryType = KOR_DIM_SAME;
    return true;
}
