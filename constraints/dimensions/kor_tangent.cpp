#include "kor_tangent.h"

#include <cstring>

#include "kor_dimension.h"
#include "kor_dim_support.h"

KorTangent::~KorTangent() = default;

KorPrimitive* KorTangent::GetOtherPrimitive(const KorPrimitive* p) const
{
    if (p == mpPrimitive1)
        return mpPrimitive2;
    if (p == mpPrimitive2)
        return mpPrimitive1;
    return nullptr;
}

void KorTangent::SetStatus(KORStatusType status)
{
    if (KorDimension* d = GetDimension())
        d->SetStatus(status, nullptr);
}

void KorTangent::MarkAsSolved()
{
    if (KorDimension* d = GetDimension())
        d->GetStatus() = KorSt(2);
}

void KorTangent::UpdateOtherTangent(KORStatusType status)
{
    if (mpOther1)
        if (KorDimension* d = mpOther1->GetDimension())
            d->SetStatus(status, nullptr);
}

void KorTangent::SetConfiguration(bool first, KorTangentAttribute attribute, char* keyword)
{
    const char* text = "";
    switch (attribute) {
    case KOR_TANGENT_OUTSIDE:
        text = "OUTSIDE";
        break;
    case KOR_TANGENT_FIRST_INSIDE:
        text = first ? "INSIDE" : "ENVELOPS";
        break;
    case KOR_TANGENT_SECOND_INSIDE:
        text = first ? "ENVELOPS" : "INSIDE";
        break;
    default:
        break;
    }
    std::strcpy(keyword, text);
}
