// Transmit file: the model dumped in the record format of the DCM constraint
// solver's interface transmit files, for that solver's tools. Driven through
// the capture interface exactly as command text is; every record gets the
// next tag, and the names manager's ordinals remember the tag of each node's
// vertex and each primitive's curve for later constraint records.
#pragma once

#include <string>

#include "kor_capture.h"

class KorDimension;
class KorObject;

class KorCaptureXMT : public KorCapture {
public:
    std::string getInitLine() override;
    std::string getNodeLine(KorHandle handle, float x, float y) override;
    std::string getSegmentLine(KorHandle handle, KorHandle start, KorHandle end) override;
    std::string getArcLine(KorHandle handle, KorHandle center, KorHandle start,
                           KorHandle end) override;
    std::string getCircleLine(KorHandle handle, KorHandle center, KorHandle start) override;
    std::string getConstraintLine(KOREntityType type, KorHandle handle, KorHandle a, KorHandle b,
                                  KorHandle c) override;
    std::string getResolveLine() override;
    std::string getDeleteLine(KorHandle handle) override;
    std::string getDimValueLine(KorHandle handle, const std::string& text) override;
    std::string getDimValueLine(KorHandle handle, float number) override;
    std::string getDimaintWeightLine(KorHandle handle) override;
    std::string getDisplayListLine();

    int GetTag() const { return mTag; }

private:
    // The kinds of dimension records and their placement lines.
    enum class Placement { kDistance, kVertical, kHorizontal, kAngle2, kAngle1, kRadius };

    int NextTag() { return ++mTag; }
    KorObject* ObjectOf(KorHandle handle) const;
    int OrdinalOf(KorHandle handle) const;
    std::string PointRecords(double x, double y, bool fixed, int& vertexTag);
    std::string ConstraintRecord(int type, int end1, int end2);
    // value is the text after "VALUE".
    std::string DimensionRecord(int type, const std::string& value, int end1, int end2,
                                KorDimension* dimension, Placement placement);
    std::string CurveRecords(KorHandle handle, KorHandle center, KorHandle start, KorHandle end,
                             bool isArc);

    int mTag = 4;
};
