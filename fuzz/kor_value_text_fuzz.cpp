// Feeds arbitrary bytes as value text to a dimension of a model, alone and
// after a valid value or range. Any crash or sanitizer report is a fault; so
// is a refusal that changed the value, or a value, bound or text that is not
// finite.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "kor_dimension.h"
#include "kor_globals.h"
#include "kor_model.h"
#include "kor_node.h"

namespace {

class FuzzDimension : public KorDimension {
public:
    FuzzDimension(KorModel* model, KorEntity* start, KorEntity* end)
    {
        mpModel = model;
        mpStart = start;
        mpEnd = end;
    }
    ~FuzzDimension() override { mpModel->RemoveDimension(this); }
    KOREntityType GetType() const override { return KOR_DISTANCE; }
    void SetStatus(KORStatusType status, KorDF*) override { mStatus = status; }
    KORStatusType CalculateStatus() override { return KORStatusType{}; }
    using KorDimension::Solve;
    KorDimSolution* Solve(KorDF*) override { return nullptr; }
    double GetImplementedValue() override { return 3.5; }
    void CalculateOrientation() override {}
};

void Fail(const char* what)
{
    std::fprintf(stderr, "value text fuzz: %s\n", what);
    std::abort();
}

void RequireFinite(KorDimension* d)
{
    if (!std::isfinite(d->GetValue()) || !std::isfinite(d->GetBound()) ||
        !std::isfinite(d->GetSecondaryValue()))
        Fail("non-finite value");
    std::string text = d->GetValueString();
    if (text.find("nan") != std::string::npos || text.find("inf") != std::string::npos)
        Fail("non-finite text");
}

// Text that fails leaves an exact value untouched.
void CheckRefusalKeepsValue(KorDimension* d, const std::string& text)
{
    d->SetValue(7.25, KOR_DIM_EQUAL, true);
    if (!d->SetValue(text) && (d->GetPrimaryType() == KOR_DIM_EQUAL && d->GetValue() != 7.25))
        Fail("refused text changed the value");
    RequireFinite(d);
}

bool IsLower(KORDimensionType type)
{
    return type == KOR_DIM_GREATER || type == KOR_DIM_GREATER_EQUAL;
}

// No second relation, or one on the other side of the first. A dimension in
// a group prints its partner's name, which always reads back.
bool IsReadableRange(KorDimension* d)
{
    if (d->GetEqualDim() || d->GetSecondaryType() == KOR_DIM_NONE)
        return true;
    return IsLower(d->GetPrimaryType()) != IsLower(d->GetSecondaryType());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KorResetGlobals();
    KorNode n1, n2, n3, n4;
    KorModel model;
    auto* d = new FuzzDimension(&model, &n1, &n2);
    auto* other = new FuzzDimension(&model, &n3, &n4);
    model.AddDimension(d);
    model.AddDimension(other);
    other->SetValue(4.0, KOR_DIM_EQUAL, true);

    std::string text(reinterpret_cast<const char*>(data), size);
    d->SetValue(text);
    RequireFinite(d);
    CheckRefusalKeepsValue(d, text);
    d->SetValue(5.0, KOR_DIM_GREATER, true);
    d->SetValue(9.0, KOR_DIM_LESS, true);
    d->SetValue(text);
    RequireFinite(d);
    // The printed text of a value, of one relation or of a range (a lower
    // and an upper bound) reads back to the same relations. Two bounds on one
    // side are no range: their text names one operator on both sides of
    // "&&", and the reading takes the first of each operator.
    std::string printed = d->GetValueString();
    if (!printed.empty() && IsReadableRange(d)) {
        const KORDimensionType primary = d->GetPrimaryType();
        const KORDimensionType secondary = d->GetSecondaryType();
        if (!d->SetValue(printed))
            Fail("printed text refused");
        if (d->GetPrimaryType() != primary || d->GetSecondaryType() != secondary)
            Fail("printed text read back as other relations");
    }
    // A name in the text equates, a second text leaves the group again.
    d->SetValue(std::string(other->GetName() ? other->GetName() : ""));
    d->SetValue(text);
    RequireFinite(d);
    model.Clear();
    return 0;
}
