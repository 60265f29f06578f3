#include "kor_capture_xmt.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "kor_dimension.h"
#include "kor_model.h"
#include "kor_names_manager.h"
#include "kor_node.h"
#include "kor_number_text.h"
#include "kor_primitive.h"

namespace {

// Record types of DCM_IDIMENSION records.
constexpr int kTypeDistance = 0;
constexpr int kTypeAngle = 1;
constexpr int kTypeCentre = 2;
constexpr int kTypeRadius = 3;
constexpr int kTypeParallel = 4;
constexpr int kTypeCoincidence = 6;
constexpr int kTypeTangency = 7;

// Tags of the fixed axes written by the header.
constexpr int kVerticalAxisTag = 2;
constexpr int kHorizontalAxisTag = 4;

constexpr double kRadiansPerDegree = 0.017453292519943295;

const char kNotImplemented[] = "# constraint is not implemented yet \n";

const char kHeader[] =
    "# DCM interface transmit file.\n"
    "# DCM version 370 res_linear   1.0000000000000000e-008 res_size   "
    "1.0000000000000000e+003 sub_version 370 \n"
    "#\n"
    "CLASS DISPLAY_LIST 0 \n"
    "DCM_VERSION 370 \n"
    "RES_LINEAR 1e-008 \n"
    "RES_SIZE 999.9999999999999 \n"
    "SUB_VERSION 370 \n"
    "# \n"
    "CLASS LINE 1 \n"
    "FBASE_POINT 0.0 0.0 \n"
    "FDIRECTION 0 1 \n"
    "# \n"
    "CLASS BOUNDED_LINE 2 \n"
    "POSITION 1 \n"
    "VISIBLE 0 \n"
    "PICKING_TAG 2 \n"
    "FIXED 1 \n"
    "FDEBUG_INT 2 \n"
    "FMY_LINE TAG 1 \n"
    "# \n"
    "CLASS LINE 3 \n"
    "FBASE_POINT 0.0 0.0\n"
    "FDIRECTION 1 0 \n"
    "# \n"
    "CLASS BOUNDED_LINE 4 \n"
    "POSITION 2 \n"
    "VISIBLE 0 \n"
    "PICKING_TAG 1 \n"
    "FIXED 1 \n"
    "FDEBUG_INT 1 \n"
    "FMY_LINE TAG 3 \n";

std::string Tag(int tag)
{
    return KorFormatInt(tag);
}

// "%8f"
std::string Number(double value)
{
    return KorFormatFixed(value, 6, 8);
}

// "%f"
std::string Plain(double value)
{
    return KorFormatFixed(value, 6);
}

std::string Line(const char* key, const std::string& value)
{
    return std::string(key) + value + "\n";
}

// The DCM_IDIMENSION record and its DIMENSION_INFO record.
std::string IdimensionRecords(int tag, int type, const std::string& valueLine, int infoTag,
                              const char* idimKey)
{
    std::string text = "#\n";
    text += Line("CLASS DCM_IDIMENSION ", Tag(tag));
    text += Line("TYPE ", Tag(type));
    text += valueLine;
    text += "#\n";
    text += Line("CLASS DIMENSION_INFO ", Tag(infoTag));
    text += Line(idimKey, Tag(tag));
    return text;
}

// Position, visibility and the tags of the related objects of a constraint or
// dimension record; end2 null for a record of one object.
std::string EndLines(int tag, int end1, const int* end2)
{
    std::string text = Line("POSITION ", Tag(tag));
    text += "VISIBLE 0 \n";
    text += Line("PICKING_TAG ", Tag(tag));
    text += Line("FEND_1 TAG ", Tag(end1));
    if (end2 != nullptr)
        text += Line("FEND_2 TAG ", Tag(*end2));
    return text;
}

point GeometricCentre(KorObject* object)
{
    if (auto* node = dynamic_cast<KorNode*>(object))
        return node->GetPoint();
    if (auto* primitive = dynamic_cast<KorPrimitive*>(object))
        return primitive->GetGeoCenter();
    return point();
}

// The number at the start of a value text after its relation operator, in
// the C locale; fallback when there is none.
double LeadingNumber(const std::string& text, double fallback)
{
    std::size_t start = text.find_first_not_of("=<>~ ");
    if (start == std::string::npos)
        return fallback;
    double value = 0.0;
    const char* first = text.data() + start;
    const auto result = std::from_chars(first, text.data() + text.size(), value);
    return result.ec == std::errc() && std::isfinite(value) ? value : fallback;
}

} // namespace

KorObject* KorCaptureXMT::ObjectOf(KorHandle handle) const
{
    return mpNames != nullptr && handle != 0 ? mpNames->GetObjectAddress(handle) : nullptr;
}

int KorCaptureXMT::OrdinalOf(KorHandle handle) const
{
    const KorObject* object = ObjectOf(handle);
    return object != nullptr ? mpNames->GetOrdinal(object) : 0;
}

std::string KorCaptureXMT::getInitLine()
{
    if (mpNames != nullptr)
        mpNames->CleanOrdinals();
    return kHeader;
}

std::string KorCaptureXMT::PointRecords(double x, double y, bool fixed, int& vertexTag)
{
    const int pointTag = NextTag();
    vertexTag = NextTag();
    std::string text = "#\n";
    text += Line("CLASS POINT ", Tag(pointTag));
    text += Line("FVALUE ", Number(x) + " " + Number(y));
    text += "#\n";
    text += Line("CLASS VERTEX ", Tag(vertexTag));
    text += Line("POSITION ", Tag(pointTag));
    text += "VISIBLE 2\n";
    text += Line("PICKING_TAG ", Tag(pointTag));
    text += fixed ? "FIXED 1\n" : "FIXED 0\n";
    text += "FDEBUG_INT 1\n";
    text += Line("FMY_POINT TAG ", Tag(pointTag));
    return text;
}

std::string KorCaptureXMT::getNodeLine(KorHandle handle, float x, float y)
{
    int vertexTag = 0;
    std::string text = PointRecords(x, y, false, vertexTag);
    if (KorObject* node = ObjectOf(handle))
        mpNames->CreateOrdinal(node, vertexTag);
    return text;
}

std::string KorCaptureXMT::ConstraintRecord(int type, int end1, int end2)
{
    const int tag = NextTag();
    const int infoTag = NextTag();
    const int constraintTag = NextTag();
    std::string text = IdimensionRecords(tag, type, "VALUE 0\n", infoTag, "FDCM_IDIM TAG ");
    text += "#\n";
    text += Line("CLASS CONSTRAINT ", Tag(constraintTag));
    text += EndLines(tag, end1, &end2);
    text += Line("FDIMENSION TAG ", Tag(tag));
    text += Line("FDIMENSION_INFO TAG ", Tag(infoTag));
    text += "FDEBUG_INT 1 \n";
    text += "FDEBUG_H_INT1 1 \n";
    text += "FDEBUG_H_INT2 1 \n";
    return text;
}

std::string KorCaptureXMT::getSegmentLine(KorHandle handle, KorHandle start, KorHandle end)
{
    auto* startNode = dynamic_cast<KorNode*>(ObjectOf(start));
    auto* endNode = dynamic_cast<KorNode*>(ObjectOf(end));
    const point from = startNode != nullptr ? startNode->GetPoint() : point();
    const point to = endNode != nullptr ? endNode->GetPoint() : point();
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    const double length = std::hypot(dx, dy);
    const double ux = length > 0.0 ? dx / length : 1.0;
    const double uy = length > 0.0 ? dy / length : 0.0;

    const int lineTag = NextTag();
    const int boundedTag = NextTag();
    std::string text = "#\n";
    text += Line("CLASS LINE ", Tag(lineTag));
    text += Line("FBASE_POINT ", Number(from.x()) + " " + Number(from.y()));
    text += Line("FDIRECTION ", Number(ux) + " " + Number(uy));
    text += "#\n";
    text += Line("CLASS BOUNDED_LINE ", Tag(boundedTag));
    text += Line("POSITION ", Tag(lineTag));
    text += "VISIBLE 2\n";
    text += Line("PICKING_TAG ", Tag(boundedTag));
    text += "FIXED 0 \n";
    text += "FDEBUG_INT 2\n";
    text += Line("FSTART TAG ", Tag(OrdinalOf(start)));
    text += Line("FEND TAG ", Tag(OrdinalOf(end)));
    text += Line("FMY_LINE TAG ", Tag(lineTag));
    if (KorObject* segment = ObjectOf(handle)) {
        mpNames->CreateOrdinal(segment, boundedTag);
        mpNames->CreateSeg2LineEntry(segment, lineTag);
    }
    text += ConstraintRecord(kTypeCoincidence, boundedTag, OrdinalOf(start));
    text += ConstraintRecord(kTypeCoincidence, boundedTag, OrdinalOf(end));
    return text;
}

std::string KorCaptureXMT::CurveRecords(KorHandle handle, KorHandle center, KorHandle start,
                                        KorHandle end, bool isArc)
{
    auto* centreNode = dynamic_cast<KorNode*>(ObjectOf(center));
    auto* startNode = dynamic_cast<KorNode*>(ObjectOf(start));
    const point c = centreNode != nullptr ? centreNode->GetPoint() : point();
    const point s = startNode != nullptr ? startNode->GetPoint() : c;
    const double radius = std::hypot(s.x() - c.x(), s.y() - c.y());

    const int circleTag = NextTag();
    const int arcTag = NextTag();
    std::string text = "#\n";
    text += Line("CLASS CIRCLE ", Tag(circleTag));
    text += Line("FCENTRE ", Number(c.x()) + " " + Number(c.y()));
    text += isArc ? "DIRECTION 0 1 \n" : "DIRECTION 1 0 \n";
    text += Line("FRADIUS ", Number(radius));
    text += "#\n";
    text += Line("CLASS ARC ", Tag(arcTag));
    text += Line("POSITION ", Tag(circleTag));
    text += "VISIBLE 2  \n";
    text += Line("PICKING_TAG ", Tag(arcTag));
    text += "FIXED 0 \n";
    text += "FDEBUG_INT 2 \n";
    if (isArc) {
        text += Line("FSTART TAG ", Tag(OrdinalOf(start)));
        text += Line("FEND TAG ", Tag(OrdinalOf(end)));
    }
    text += Line("FCIRCLE TAG ", Tag(circleTag));
    if (KorObject* curve = ObjectOf(handle))
        mpNames->CreateOrdinal(curve, arcTag);
    text += ConstraintRecord(kTypeCentre, arcTag, OrdinalOf(center));
    text += ConstraintRecord(kTypeCoincidence, arcTag, OrdinalOf(start));
    if (isArc)
        text += ConstraintRecord(kTypeCoincidence, arcTag, OrdinalOf(end));
    return text;
}

std::string KorCaptureXMT::getArcLine(KorHandle handle, KorHandle center, KorHandle start,
                                      KorHandle end)
{
    return CurveRecords(handle, center, start, end, true);
}

std::string KorCaptureXMT::getCircleLine(KorHandle handle, KorHandle center, KorHandle start)
{
    return CurveRecords(handle, center, start, 0, false);
}

std::string KorCaptureXMT::getConstraintLine(KOREntityType type, KorHandle, KorHandle a,
                                             KorHandle b, KorHandle)
{
    switch (type) {
    case KOR_COINCIDENT:
        return ConstraintRecord(kTypeCoincidence, OrdinalOf(a), OrdinalOf(b));
    case KOR_COLINEAR:
        return ConstraintRecord(kTypeParallel, OrdinalOf(a), OrdinalOf(b))
               + DimensionRecord(kTypeDistance, "0", OrdinalOf(a), OrdinalOf(b), nullptr,
                                 Placement::kDistance);
    case KOR_PARALLEL:
        return ConstraintRecord(kTypeParallel, OrdinalOf(a), OrdinalOf(b));
    case KOR_VERTICAL:
        return ConstraintRecord(kTypeParallel, OrdinalOf(a), kVerticalAxisTag);
    case KOR_HORIZONTAL:
        return ConstraintRecord(kTypeParallel, OrdinalOf(a), kHorizontalAxisTag);
    case KOR_TANGENT:
        return ConstraintRecord(kTypeTangency, OrdinalOf(a), OrdinalOf(b));
    case KOR_UNMOVABLE: {
        auto* node = dynamic_cast<KorNode*>(ObjectOf(a));
        if (node == nullptr)
            return kNotImplemented;
        int fixedVertex = 0;
        std::string text = PointRecords(node->GetPoint().x(), node->GetPoint().y(), true,
                                         fixedVertex);
        return text + ConstraintRecord(kTypeCoincidence, OrdinalOf(a), fixedVertex);
    }
    default:
        return kNotImplemented;
    }
}

std::string KorCaptureXMT::DimensionRecord(int type, const std::string& value, int end1, int end2,
                                           KorDimension* dimension, Placement placement)
{
    const int tag = NextTag();
    const int infoTag = NextTag();
    const int pointTag = NextTag();
    const int dimensionTag = NextTag();
    point textAt;
    if (dimension != nullptr) {
        const point a = GeometricCentre(dimension->GetStart());
        const point b = dimension->GetEnd() != nullptr ? GeometricCentre(dimension->GetEnd()) : a;
        textAt = point((a.x() + b.x()) * 0.5, (a.y() + b.y()) * 0.5);
    }
    std::string text = IdimensionRecords(tag, type, Line("VALUE", value), infoTag,
                                         "FDCM_IDIM TAG");
    text += "#\n";
    text += Line("CLASS POINT ", Tag(pointTag));
    text += Line("FVALUE ", Number(textAt.x()) + " " + Number(textAt.y()));
    text += "#\n";
    text += Line("CLASS DIMENSION ", Tag(dimensionTag));
    text += EndLines(tag, end1, placement != Placement::kRadius ? &end2 : nullptr);
    text += Line("FDIMENSION TAG  ", Tag(tag));
    text += Line("FDIMENSION_INFO TAG  ", Tag(infoTag));
    text += "FDEBUG_INT 1  \n";
    text += "FDEBUG_H_INT1 1  \n";
    text += "FDEBUG_H_INT2 1  \n";
    text += Line("FCENTRE TAG ", Tag(pointTag));
    text += "N_ROOT 3  \n";
    switch (placement) {
    case Placement::kDistance:
    case Placement::kVertical:
    case Placement::kHorizontal:
        text += placement == Placement::kVertical     ? "FDIRECTION 0 1  \n"
                : placement == Placement::kHorizontal ? "FDIRECTION 1 0  \n"
                                                      : "FDIRECTION 0 0  \n";
        text += "FANTICLOCKWISE 0  \n";
        text += "FSECTOR 100  \n";
        text += "RATIO 0.4897868165194895  \n";
        text += "DISTANCE 8.401703305779785  \n";
        if (placement != Placement::kDistance)
            text += "FDIRECTED 1  \n";
        break;
    case Placement::kAngle2:
    case Placement::kAngle1:
    case Placement::kRadius:
        text += "FDIRECTION 0 0  \n";
        text += "FANTICLOCKWISE 1  \n";
        text += placement == Placement::kAngle2   ? "FSECTOR 115  \n"
                : placement == Placement::kAngle1 ? "FSECTOR 100  \n"
                                                  : "FSECTOR 0  \n";
        text += "RATIO 0.4897868165194895  \n";
        text += placement == Placement::kAngle2 ? "DISTANCE -50  \n" : "DISTANCE 50  \n";
        break;
    }
    return text;
}

std::string KorCaptureXMT::getDimValueLine(KorHandle handle, const std::string& valueText)
{
    auto* dimension = dynamic_cast<KorDimension*>(ObjectOf(handle));
    // Only what the solver must meet: a disabled dimension has no record.
    if (dimension == nullptr || !dimension->IsEnabled())
        return std::string();
    const int end1 = mpNames->GetOrdinal(dimension->GetStart());
    const int end2 = dimension->GetEnd() != nullptr ? mpNames->GetOrdinal(dimension->GetEnd()) : 0;
    const double value = LeadingNumber(valueText, dimension->GetValue());
    switch (dimension->GetType()) {
    case KOR_ANGLE: {
        const double radians = static_cast<float>(value * kRadiansPerDegree);
        return DimensionRecord(kTypeAngle, Plain(radians), end1, end2, dimension,
                               dimension->GetEnd() != nullptr ? Placement::kAngle2
                                                              : Placement::kAngle1);
    }
    case KOR_RADIUS:
        return DimensionRecord(kTypeRadius, Plain(value), end1, 0, dimension, Placement::kRadius);
    case KOR_VERTICAL_DISTANCE:
        return DimensionRecord(kTypeDistance, Plain(value), end1, end2, dimension,
                               Placement::kVertical);
    case KOR_HORIZONTAL_DISTANCE:
        return DimensionRecord(kTypeDistance, Plain(value), end1, end2, dimension,
                               Placement::kHorizontal);
    default:
        if (dimension->GetEnd() == nullptr)
            return std::string();
        return DimensionRecord(kTypeDistance, Plain(value), end1, end2, dimension,
                               Placement::kDistance);
    }
}

std::string KorCaptureXMT::getDimValueLine(KorHandle handle, float number)
{
    auto* dimension = dynamic_cast<KorDimension*>(ObjectOf(handle));
    if (dimension == nullptr)
        return std::string();
    const int end1 = mpNames->GetOrdinal(dimension->GetStart());
    const int end2 = dimension->GetEnd() != nullptr ? mpNames->GetOrdinal(dimension->GetEnd()) : 0;
    return DimensionRecord(kTypeDistance, Plain(number), end1, end2, dimension,
                           Placement::kDistance);
}

std::string KorCaptureXMT::getResolveLine()
{
    return std::string();
}

std::string KorCaptureXMT::getDeleteLine(KorHandle)
{
    return std::string();
}

std::string KorCaptureXMT::getDimaintWeightLine(KorHandle)
{
    return std::string();
}

std::string KorCaptureXMT::getDisplayListLine()
{
    return std::string();
}
