// A model fixture with short helpers for the distance, angle, radius,
// tangency and symmetry tests.
#pragma once

#include <cmath>
#include <string>

#include "kor_arc.h"
#include "kor_circle.h"
#include "kor_cir_tracker.h"
#include "kor_dimension.h"
#include "kor_lin_tracker.h"
#include "kor_node.h"
#include "kor_segment.h"
#include "kor_test_model.h"

class KorSketchFixture : public KorModelFixture {
protected:
    KorHandle Node(double x, double y) { return model.CreateNode(x, y); }
    KorHandle Segment(KorHandle a, KorHandle b) { return model.CreateSegment(a, b); }
    template <typename T = KorObject>
    T* Get(KorHandle h) const
    {
        return dynamic_cast<T*>(model.GetNamesManager().GetObjectAddress(h));
    }
    KorNode* NodeOf(KorHandle h) const { return Get<KorNode>(h); }
    KorLinTracker* LineOf(KorHandle segment) const
    {
        return dynamic_cast<KorLinTracker*>(Get<KorPrimitive>(segment)->GetTracker());
    }
    KorCirTracker* CircleOf(KorHandle circle) const
    {
        return dynamic_cast<KorCirTracker*>(Get<KorPrimitive>(circle)->GetTracker());
    }
    double Distance(KorHandle a, KorHandle b) const
    {
        const point& p = NodeOf(a)->GetPoint();
        const point& q = NodeOf(b)->GetPoint();
        return std::hypot(q.x() - p.x(), q.y() - p.y());
    }
    bool Set(KorHandle dimension, const char* text)
    {
        return model.SetDimensionValue(dimension, std::string(text));
    }
    double Value(KorHandle dimension)
    {
        double v = 0.0;
        model.GetDimensionValue(dimension, v);
        return v;
    }
    KorHandle Fix(KorHandle node) { return model.CreateConstraint(KOR_UNMOVABLE, node, 0, 0, 0); }

    KorModel model;
};
