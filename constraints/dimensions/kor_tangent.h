// The tangency side shared by circle-circle and circle-segment tangencies:
// the two primitives, the DFs that let whole circles change size, the link
// to the tangencies solved together with this one, and the configuration
// keyword handed to the geometry library.
#pragma once

#include "kor_types.h"

class KorDF;
class KorDimension;
class KorModel;
class KorNode;
class KorPrimitive;

// Configuration of a circle-circle tangency.
enum KorTangentAttribute : int {
    KOR_TANGENT_NONE = 0,
    KOR_TANGENT_OUTSIDE = 1,        // each circle outside the other
    KOR_TANGENT_FIRST_INSIDE = 2,   // the first circle inside the second
    KOR_TANGENT_SECOND_INSIDE = 3,  // the second circle inside the first
};

// "No status saved".
inline constexpr int KOR_NO_SAVED_STATUS = 8;

class KorTangent {
public:
    KorTangent(const KorTangent&) = delete;
    KorTangent& operator=(const KorTangent&) = delete;
    virtual ~KorTangent();

    // Own table, in slot order.
    virtual KorHandle Create(KorModel* model, KorPrimitive* p1, KorPrimitive* p2) = 0;
    virtual KorDimension* GetDimension() = 0;
    virtual bool GetOrientation() { return true; }
    virtual KorTangentAttribute GetConfiguration() { return KOR_TANGENT_NONE; }
    virtual void RestoreStatus(KorNode* node) = 0;

    KorPrimitive* GetPrimitive1() const { return mpPrimitive1; }
    KorPrimitive* GetPrimitive2() const { return mpPrimitive2; }
    KorTangent* GetOtherTangentDim1() const { return mpOther1; }
    KorTangent* GetOtherTangentDim2() const { return mpOther2; }
    KorDF* GetDF1() const { return mpDF1; }
    KorDF* GetDF2() const { return mpDF2; }
    bool GetSide1() const { return mbSide1; }
    bool GetSide2() const { return mbSide2; }
    int GetSavedStatus() const { return mSavedStatus; }
    bool Involves(const KorPrimitive* p) const { return p == mpPrimitive1 || p == mpPrimitive2; }
    KorPrimitive* GetOtherPrimitive(const KorPrimitive* p) const;

    void SetStatus(KORStatusType status);
    void MarkAsSolved();
    void UpdateOtherTangent(KORStatusType status);

    // The keyword for the circle being moved: attribute 1 "OUTSIDE"; 2
    // "INSIDE" when first, else "ENVELOPS"; 3 "ENVELOPS" when first, else
    // "INSIDE"; anything else "". The buffer holds at least 16 characters.
    static void SetConfiguration(bool first, KorTangentAttribute attribute, char* keyword);

protected:
    KorTangent() = default;

    KorPrimitive* mpPrimitive1 = nullptr;
    KorPrimitive* mpPrimitive2 = nullptr;
    KorDF* mpDF1 = nullptr;
    KorDF* mpDF2 = nullptr;
    KorTangent* mpOther1 = nullptr;
    KorTangent* mpOther2 = nullptr;
    bool mbSide1 = false;
    bool mbSide2 = false;
    int mSavedStatus = KOR_NO_SAVED_STATUS;
};
