#include "zup_island.h"

#include <cmath>

#include "geolist.h"
#include "kor_number_text.h"
#include "line.h"
#include "polygon.h"
#include "zup_floor.h"

namespace {

// The point at distance d from p in the direction a.
point Along(const point& p, const angle& a, double d)
{
    return point(p.x() + d * std::cos(a.rad()), p.y() + d * std::sin(a.rad()));
}

// The line through p in the direction a.
line Through(const point& p, const angle& a)
{
    return line(p, Along(p, a, 1.0));
}

// Where two lines in the given directions through p and q cross.
point Crossing(const point& p, const angle& a, const point& q, const angle& b)
{
    const double ax = std::cos(a.rad()), ay = std::sin(a.rad());
    const double bx = std::cos(b.rad()), by = std::sin(b.rad());
    const double denominator = ax * by - ay * bx;
    if (std::fabs(denominator) < 1e-12)
        return p;
    const double t = ((q.x() - p.x()) * by - (q.y() - p.y()) * bx) / denominator;
    return point(p.x() + t * ax, p.y() + t * ay);
}

}  // namespace

ZupIsland::ZupIsland()
{
    mWidth = GetDefaultWidth();
    mDepth = GetDefaultDepth();
}

ZupIsland::~ZupIsland()
{
    if (ZupFloor* floor = GetFloor())
        floor->DecreaseNumOfIslands();
}

int ZupIsland::GetDefaultWidth() { return IsMetric() ? 120 : 50; }

int ZupIsland::GetDefaultDepth() { return IsMetric() ? 60 : 26; }

void ZupIsland::Setup(std::uint32_t word)
{
    SetType(GetUODType(word));
    mDepth = GetUODDepth(word);
    mWidth = GetUODWidth(word);
    if (mDepth * 20 < mWidth)
        mWidth = mDepth * 5;
    else if (mWidth * 20 < mDepth)
        mDepth = mWidth * 5;
    angle direction(static_cast<double>(GetUODDirection(word)));
    SetDirection(direction);
}

int ZupIsland::GetUODDirection(std::uint32_t word)
{
    const int degrees = static_cast<int>((word >> 4) & 0xFF);
    return (word & 0x80000000u) ? 360 - degrees : degrees;
}

// The direction's whole degrees in [0, 360). The turn is taken into one
// revolution before it is truncated, so that -270 plus a hair (the sum the
// walls' update leaves) is 90, not 91; and a direction a thousandth of a
// degree short of a whole one (the node's single precision and the radians
// leave about a millionth) counts as that degree, not the one below.
// Without both, an island turned a degree each time its room was saved and
// opened.
int ZupIsland::WholeDegrees(const angle& direction)
{
    constexpr double kPlay = 1.0e-3;
    double degrees = std::fmod(direction.deg(), 360.0);
    if (!std::isfinite(degrees))
        return 0;
    if (degrees < 0.0)
        degrees += 360.0;
    const int whole = static_cast<int>(std::floor(degrees + kPlay));
    return whole >= 360 ? whole - 360 : whole;
}

void ZupIsland::SetUODDirection(unsigned& word)
{
    int degrees = WholeDegrees(mDirection);
    if (degrees > 180) {
        word |= 0x80000000u;
        degrees = 360 - degrees;
    }
    word += ClampField(degrees, 8) << 4;
}

unsigned ZupIsland::GetAttributeWord()
{
    unsigned word = 0;
    SetUODType(word);
    SetUODDepth(word);
    SetUODWidth(word);
    SetUODDirection(word);
    return word;
}

std::string ZupIsland::GetVCRLine()
{
    return std::string("Obj==") + GetTypeName() + "(" + PositionText() + "," +
           std::to_string(GetAttributeWord()) + ")\n";
}

void ZupIsland::GetShape(angle& along, angle& across, line& front, line& back, line& left,
                         line& right)
{
    along = mDirection;
    across = mDirection + angle(90.0);
    const point c = GetPoint();
    const double half = mDepth / 2;
    front = Through(Along(c, along, half), across);
    back = Through(Along(c, along, -half), across);
    left = Through(Along(c, across, mWidth * 0.5), along);
    right = Through(Along(c, across, -mWidth * 0.5), along);
}

bool ZupIsland::GetShape(polygon& out)
{
    const angle along = mDirection;
    const angle across = mDirection + angle(90.0);
    const point c = GetPoint();
    const double half = mDepth / 2;
    const point front = Along(c, along, half), back = Along(c, along, -half);
    const point left = Along(c, across, mWidth * 0.5), right = Along(c, across, -mWidth * 0.5);
    out.clear();
    out + Crossing(front, across, left, along) + Crossing(front, across, right, along) +
        Crossing(back, across, right, along) + Crossing(back, across, left, along);
    out + point(out[0]);
    return true;
}

ZupRoomObject* ZupIsland::CopyInto(ZupIsland* copy)
{
    copy->mDepth = mDepth;
    copy->mWidth = mWidth;
    copy->mExtra = mExtra;
    copy->SetDirection(mDirection);
    copy->SetType(ZupObject::GetType());
    return copy;
}

ZupRoomObject* ZupIsland::Clone(ZupRoomObject*)
{
    return CopyInto(new ZupIsland());
}

ZupFireplace::ZupFireplace()
{
    mWidth = GetDefaultWidth();
    mDepth = GetDefaultDepth();
}

int ZupFireplace::GetDefaultWidth() { return IsMetric() ? 50 : 30; }

int ZupFireplace::GetDefaultWidth(TYPE type)
{
    if (type == 1)
        return IsMetric() ? 140 : 60;
    return GetDefaultWidth();
}

int ZupFireplace::GetDefaultDepth() { return IsMetric() ? 50 : 30; }

ZupRoomObject* ZupFireplace::Clone(ZupRoomObject*)
{
    return CopyInto(new ZupFireplace());
}
