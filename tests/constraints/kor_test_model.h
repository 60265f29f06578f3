// Shared fixture and a configurable dimension for the model's tests.
#pragma once

#include <gtest/gtest.h>

#include "kor_dim_solution.h"
#include "kor_dimension.h"
#include "kor_globals.h"
#include "kor_model.h"
#include "settings.h"

class KorModelFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        KorResetGlobals();
        mSnap = GeoSnap();
        mDif = GeoDif();
    }
    void TearDown() override
    {
        GeoSnap() = mSnap;
        GeoDif() = mDif;
        KorResetGlobals();
    }

private:
    double mSnap = 0.0;
    double mDif = 0.0;
};

// A dimension of any type between two entities. It has no candidate moves:
// an "implemented" one is passed over, any other one makes the search step
// back. It counts the searches that asked it and the limit they ran under.
class FakeDimension : public KorDimension {
public:
    FakeDimension(KorModel* model, KOREntityType type, KorEntity* start, KorEntity* end)
        : mType(type)
    {
        mpModel = model;
        mpStart = start;
        mpEnd = end;
        mbEnabled = true;
        mPrimaryType = KOR_DIM_EQUAL;
    }
    ~FakeDimension() override
    {
        if (mpModel)
            mpModel->RemoveDimension(this);
    }
    KOREntityType GetType() const override { return mType; }
    bool IsImplemented() override { return implemented; }
    void SetStatus(KORStatusType status, KorDF*) override { mStatus = status; }
    KORStatusType CalculateStatus() override { return KORStatusType(0); }
    using KorDimension::Solve;
    KorDimSolution* Solve(KorDF*) override
    {
        ++solveCalls;
        limitSeen = KorModel::ReorderingLimit();
        return nullptr;
    }
    double GetImplementedValue() override { return 0.0; }
    void CalculateOrientation() override {}

    bool implemented = true;
    int solveCalls = 0;
    int limitSeen = 0;

private:
    KOREntityType mType;
};
