#include "kor_orientation.h"

#include <algorithm>
#include <cmath>

#include "point.h"
#include "settings.h"

namespace {

// Codes opposed to each of the codes 1..8.
constexpr std::uint32_t kOpposed[9][3] = {
    {0, 0, 0}, {4, 7, 8}, {3, 6, 7}, {2, 5, 8}, {1, 5, 6},
    {3, 4, 7}, {2, 4, 8}, {1, 2, 5}, {1, 3, 6},
};

// Unit step of the deltas: the larger of 1 and twice the snap, as an integer.
double DeltaUnit()
{
    return static_cast<double>(static_cast<int>(std::max(1.0, 2.0 * GeoSnap())));
}

}  // namespace

KorOrientation::KorOrientation(const point& from, const point& to)
    : mCode(CodeOf(to.x() - from.x(), to.y() - from.y()))
{
}

KorOrientation::KorOrientation(double dx, double dy) : mCode(CodeOf(dx, dy)) {}

KorOrientation::KorOrientation(const angle& a, const angle& b)
    : mCode(a.rad() - b.rad() < 0.0 ? 9u : 10u)
{
}

std::uint32_t KorOrientation::CodeOf(double dx, double dy)
{
    if (std::fabs(dx) < GeoDif()) {
        if (std::fabs(dy) < GeoDif())
            return 0;
        return dy > 0.0 ? 1 : 4;
    }
    const double w = dy / dx;
    const bool flat = -0.1 < w && w < 0.1;
    if (dx > 0.0) {
        if (flat)
            return 2;
        if (dy > 0.0)
            return w > 10.0 ? 1 : 5;
        return w < -10.0 ? 4 : 8;
    }
    if (flat)
        return 3;
    if (dy <= 0.0)
        return w > 10.0 ? 4 : 7;
    return w < -10.0 ? 1 : 6;
}

bool KorOrientation::operator==(const KorOrientation& other) const
{
    if (mCode == other.mCode || mCode == 0 || other.mCode == 0)
        return true;
    if (mCode > 8)
        return false;
    for (std::uint32_t opposed : kOpposed[mCode])
        if (opposed == other.mCode)
            return false;
    return true;
}

angle KorOrientation::GetAngle() const
{
    static constexpr double kDegrees[11] = {0, 90, 0, 180, -90, 45, 135, 225, -45, 0, 0};
    return angle(mCode < 11 ? kDegrees[mCode] : 0.0);
}

void KorOrientation::GetDeltas(double& dx, double& dy) const
{
    static constexpr int kSigns[11][2] = {
        {0, 0}, {0, 1}, {1, 0}, {-1, 0}, {0, -1}, {1, 1},
        {-1, 1}, {-1, -1}, {1, -1}, {0, 0}, {0, 0},
    };
    const double u = DeltaUnit();
    const std::uint32_t code = mCode < 11 ? mCode : 0;
    dx = kSigns[code][0] * u;
    dy = kSigns[code][1] * u;
}
