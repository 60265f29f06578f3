// The direction code that primitives and distances keep so that a solution
// keeps the sense in which they run.
#pragma once

#include <cstdint>

#include "angle.h"

class point;

class KorOrientation {
public:
    KorOrientation() = default;
    KorOrientation(const point& from, const point& to);
    KorOrientation(double dx, double dy);
    KorOrientation(const angle& a, const angle& b);

    std::uint32_t GetCode() const { return mCode; }
    bool IsSet() const { return mCode != 0; }
    bool IsIdentical(const KorOrientation& other) const { return mCode == other.mCode; }

    // Same sense: equal codes, either unset, or the second not opposed.
    bool operator==(const KorOrientation& other) const;
    bool operator!=(const KorOrientation& other) const { return !(*this == other); }

    angle GetAngle() const;
    void GetDeltas(double& dx, double& dy) const;

private:
    static std::uint32_t CodeOf(double dx, double dy);

    std::uint32_t mCode = 0;
};
