// A dimension whose measured value the test sets, and a fixture with a model.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "kor_dimension.h"
#include "kor_model.h"
#include "kor_node.h"
#include "kor_test_model.h"

class TestDimension : public KorDimension {
public:
    explicit TestDimension(KOREntityType type = KOR_DISTANCE) : mType(type) {}
    ~TestDimension() override
    {
        if (mpModel)
            mpModel->RemoveDimension(this);
    }
    void Attach(KorModel* model) { mpModel = model; }

    KOREntityType GetType() const override { return mType; }
    void SetStatus(KORStatusType status, KorDF*) override { mStatus = status; }
    KORStatusType CalculateStatus() override { return KORStatusType{}; }
    using KorDimension::Solve;
    KorDimSolution* Solve(KorDF*) override { return nullptr; }
    double GetImplementedValue() override { return measured; }
    void CalculateOrientation() override {}

    using KorDimension::CheckBracket;

    double measured = 0.0;

private:
    KOREntityType mType;
};

class KorDimensionFixture : public KorModelFixture {
protected:
    void SetUp() override
    {
        KorModelFixture::SetUp();
        model = std::make_unique<KorModel>();
    }
    void TearDown() override
    {
        model.reset();
        KorModelFixture::TearDown();
    }

    // A dimension registered with the model (which owns it), between two
    // nodes of its own so that no two are the same dimension.
    TestDimension* Add(double measured = 0.0, KOREntityType type = KOR_DISTANCE)
    {
        auto* d = new TestDimension(type);
        nodes.push_back(std::make_unique<KorNode>());
        d->SetStart(nodes.back().get());
        nodes.push_back(std::make_unique<KorNode>());
        d->SetEnd(nodes.back().get());
        d->measured = measured;
        d->Attach(model.get());
        EXPECT_NE(model->AddDimension(d), 0u);
        return d;
    }

    KorHandle HandleOf(KorDimension* d) { return model->GetNamesManager().GetObjectHandle(d); }
    std::string NameOf(KorDimension* d)
    {
        const char* name = model->GetNamesManager().GetName(HandleOf(d));
        return name ? name : "";
    }

    // Declared before the model: destroyed after the model deleted its dimensions.
    std::vector<std::unique_ptr<KorNode>> nodes;
    std::unique_ptr<KorModel> model;
};
