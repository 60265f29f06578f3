// Base of the valued dimensions: its entities, value or range, enabled state,
// link to an equal dimension, and the rules that set, check, print and parse a
// value.
#pragma once

#include <string>
#include <vector>

#include "kor_dimaint.h"
#include "kor_types.h"

class KorCondition;
class KorDF;
class KorDimSolution;
class KorEntity;
class KorNode;
class KorTangent;
class KorTracker;

// Relation of a dimension to its value. The operator texts (KorDimensionTypeText)
// also drive the parsing of value text.
enum KORDimensionType : int {
    KOR_DIM_NONE = 0,           // "//": disabled, value not imposed
    KOR_DIM_UPPER = 1,          // "==": ranks with the upper bounds, no bracket test
    KOR_DIM_EQUAL = 2,          // "=": exact value, enabled
    KOR_DIM_GREATER = 3,        // ">"
    KOR_DIM_GREATER_EQUAL = 4,  // ">="
    KOR_DIM_LESS = 5,           // "<"
    KOR_DIM_LESS_EQUAL = 6,     // "<="
    KOR_DIM_SAME = 7,           // "~": equal to another dimension
};

inline constexpr int KOR_NUM_DIMENSION_TYPES = 8;

// The operator text of a type; "" for a code outside the table.
const char* KorDimensionTypeText(KORDimensionType type);

class KorDimension : public KorDimaint {
public:
    ~KorDimension() override;

    bool IsDimension() const override { return true; }

    // KorDimaint
    void GetEntities(KorEntity*& first, KorEntity*& second, KorEntity*& third) override;
    bool IsImplemented() override;
    void ReplaceEntity(KorEntity* oldEntity, KorEntity* newEntity) override;

    // Virtual operations added here, in slot order.
    virtual void SetStatus(KORStatusType status, KorDF* df) = 0;
    virtual KORStatusType CalculateStatus() = 0;
    virtual bool SetValue(KorDimension* other);
    virtual bool SetValue(double value, KORDimensionType type, bool notify);
    virtual double GetValue();
    virtual bool SameAs(KorDimension* other);
    virtual KorDimSolution* Solve(std::vector<KorDF*>& dfs, bool flag);
    virtual KorDimSolution* Solve(KorDF* df) = 0;
    virtual double GetImplementedValue() = 0;
    virtual KorTracker* GetTracker(KorNode* node);
    virtual KorNode* GetOtherNode(KorNode* node);
    virtual KorTracker* GetOtherTracker(KorTracker* tracker);
    virtual void GetOrientation(double& dx, double& dy, KorEntity* entity);
    virtual void SetOrientation(double dx, double dy, KorEntity* entity);
    virtual void CalculateOrientation() = 0;
    virtual KorEntity* GetStart();
    virtual KorEntity* GetEnd();
    virtual void SetStart(KorEntity* start);
    virtual void SetEnd(KorEntity* end);
    virtual bool Adjust(KorDimSolution* solution);
    virtual KorDF* GetStopDF();
    virtual void SetFixedTrackers(KorNode* node, KorTracker* tracker);
    virtual KorDimSolution* GetExtraSolution();
    virtual void RestoreDFState(KorDimSolution* solution);
    virtual bool IsLastDF(KorDF* df);
    virtual KorDF* GetDoubleNodeDF();
    virtual bool IsAdjacent(KorDimension* other);
    virtual short GetNumOfEquations();
    virtual KorTangent* GetTangent();
    virtual bool HasValue();
    virtual bool IsEqual(double a, double b);

    KORStatusType& GetStatus() { return mStatus; }
    KORDimensionType GetPrimaryType() const { return mPrimaryType; }
    void SetPrimaryType(KORDimensionType type) { mPrimaryType = type; }
    KORDimensionType GetSecondaryType() const { return mSecondaryType; }
    double GetSecondaryValue() const { return mSecondaryValue; }
    // The bound of the primary relation (value until SwitchToEqualence moves it).
    double GetBound() const { return mBound; }
    KorCondition* GetOwner() const { return mpOwner; }
    void SetOwner(KorCondition* owner) { mpOwner = owner; }
    KorCondition* GetCondition() const { return mpCondition; }
    void SetCondition(KorCondition* condition) { mpCondition = condition; }
    KorDimension* GetEqualDim() const { return mpEqualDim; }
    void SetEqualDim(KorDimension* dimension) { mpEqualDim = dimension; }
    bool IsImplementable() const { return mbImplementable; }
    bool IsExtraRule() const { return mbExtraRule; }
    void SetExtraRule(bool extra) { mbExtraRule = extra; }

    bool IsConditionImplemented();
    // Gives an inequality dimension an exact target from its bounds; enables it.
    void SwitchToEqualence();
    std::string GetValueString();
    // Parses value text: a bound dimension's name, or an optional operator (and
    // an optional "&&" second relation) with complete finite numbers. False,
    // value unchanged, for anything else.
    bool SetValue(const std::string& text);
    KorEntity* GetCommonEntity(KorDimension* other);

    // The shared stop DF (node, moved tracker and carrier null): every
    // iteration over DFs ends at it and placeholder solutions carry it.
    static KorDF* mpStopDF;
    static KorDF* InitStopDF();
    static KorDF* SharedStopDF() { return mpStopDF; }
    static void RemoveStopDF();
    // The stop DF back to all null (allocated again after RemoveStopDF).
    static void ResetGlobals();

protected:
    KorDimension();

    // True when x satisfies relation type against its bound within GeoSnap.
    bool CheckBracket(double x, KORDimensionType type);

    KorEntity* mpStart = nullptr;
    KorEntity* mpEnd = nullptr;
    double mValue = 0.0;
    double mBound = 0.0;
    double mSecondaryValue = 0.0;
    KORStatusType mStatus{};
    KorCondition* mpOwner = nullptr;
    KorCondition* mpCondition = nullptr;
    bool mbImplementable = true;
    KORDimensionType mPrimaryType = KOR_DIM_NONE;
    KORDimensionType mSecondaryType = KOR_DIM_NONE;
    KorDimension* mpEqualDim = nullptr;
    bool mbExtraRule = false;

private:
    bool SetValueFromName(const std::string& text, bool& handled);
    bool SetPrimaryRelation(double value, KORDimensionType type);
    bool SetSecondaryRelation(double value, KORDimensionType type);
    void ReconcileCondition(KORDimensionType type);
    void LeaveGroup();
    void DeletePlainCondition();
};
