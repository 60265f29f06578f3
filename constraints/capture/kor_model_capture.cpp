// KorModel's command text: writing the model through a capture, saving it to
// a string or a new file, and replaying text into it.
#include "kor_model.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "kor_capture.h"
#include "kor_capture_xmt.h"
#include "kor_constraint.h"
#include "kor_dimension.h"
#include "kor_node.h"
#include "kor_player.h"
#include "kor_primitive.h"

namespace {

// Every value the user set is written, also one that is disabled for now: an
// exact value a resolve gave up on, a bound or range not yet implemented, an
// equality with another dimension. Only "//" (no value) writes nothing.
bool WritesValue(KorDimension* dimension)
{
    if (!dimension->HasValue())
        return false;
    return dimension->IsEnabled() || dimension->GetPrimaryType() != KOR_DIM_NONE;
}

} // namespace

void KorModel::GetCommandString(KorCapture* capture, std::string* text,
                                bool nodesAndPrimitivesOnly)
{
    capture->SetModel(this);
    *text += capture->getInitLine();
    const auto handleOf = [this](const KorObject* object) {
        return object != nullptr ? mNames.GetObjectHandle(object) : KorHandle(0);
    };

    for (KorNode* node : mNodes) {
        const KorHandle handle = handleOf(node);
        if (handle == 0 || !WritesNodeStatement(node) ||
            (nodesAndPrimitivesOnly && node->GetNumOfPrimitives() == 0))
            continue;
        *text += capture->getNodeLine(handle, static_cast<float>(node->GetPoint().x()),
                                      static_cast<float>(node->GetPoint().y()));
    }
    for (KorPrimitive* primitive : mPrimitives) {
        const KorHandle handle = handleOf(primitive);
        switch (primitive->GetType()) {
        case KOR_SEGMENT:
            *text += capture->getSegmentLine(handle, handleOf(primitive->GetStart()),
                                             handleOf(primitive->GetEnd()));
            break;
        case KOR_CIRCLE:
            *text += capture->getCircleLine(handle, handleOf(primitive->GetCenter()),
                                            handleOf(primitive->GetStart()));
            break;
        case KOR_ARC:
            *text += capture->getArcLine(handle, handleOf(primitive->GetCenter()),
                                         handleOf(primitive->GetStart()),
                                         handleOf(primitive->GetEnd()));
            break;
        default:
            break;
        }
    }
    if (nodesAndPrimitivesOnly)
        return;

    std::vector<KorConstraint*> constraints;
    for (KorConstraint* constraint : mConstraints)
        if (handleOf(constraint) != 0)
            constraints.push_back(constraint);
    std::vector<KorDimension*> dimensions;
    for (KorDimension* dimension : mDimensions)
        if (handleOf(dimension) != 0 && dimension->GetOwner() == nullptr)
            dimensions.push_back(dimension);
    // Creation order, not the solving order: the list puts radii, angles and
    // parallels in front as they come and the solver reorders it, so only
    // creation order survives write, replay, write unchanged.
    std::stable_sort(dimensions.begin(), dimensions.end(),
                     [&handleOf](const KorDimension* a, const KorDimension* b) {
                         return handleOf(a) < handleOf(b);
                     });

    for (KorConstraint* constraint : constraints)
        *text += capture->getConstraintLine(
            constraint->GetType(), handleOf(constraint), handleOf(constraint->GetFirst()),
            handleOf(constraint->GetSecond()), handleOf(constraint->GetThird()));
    for (KorDimension* dimension : dimensions)
        *text += capture->getConstraintLine(dimension->GetType(), handleOf(dimension),
                                            handleOf(dimension->GetStart()),
                                            handleOf(dimension->GetEnd()), 0);
    for (KorDimension* dimension : dimensions)
        if (WritesValue(dimension))
            *text += capture->getDimValueLine(handleOf(dimension), dimension->GetValueString());
    for (KorConstraint* constraint : constraints)
        *text += capture->getDimaintWeightLine(handleOf(constraint));
    for (KorDimension* dimension : dimensions)
        *text += capture->getDimaintWeightLine(handleOf(dimension));
}

std::size_t KorModel::Save(std::string& text, bool nodesAndPrimitivesOnly)
{
    KorCaptureVCR capture;
    GetCommandString(&capture, &text, nodesAndPrimitivesOnly);
    return text.size();
}

bool KorModel::Save(const char* path)
{
    if (path == nullptr)
        return false;
    std::unique_ptr<KorCapture> capture;
    if (std::strstr(path, ".xmt") != nullptr)
        capture = std::make_unique<KorCaptureXMT>();
    else
        capture = std::make_unique<KorCaptureVCR>();
    if (!capture->open(path))
        return false;
    std::string text;
    GetCommandString(capture.get(), &text, false);
    // A short write or a failed close is a failed save, not a success.
    const bool written = capture->writeln(text);
    return capture->close() && written;
}

bool KorModel::Load(const char* path)
{
    KorPlayer player(this);
    if (!player.init(path))
        return false;
    Clear();
    player.play();
    return player.close();
}

bool KorModel::playbackStart(const char* path)
{
    KorPlayer player(this);
    if (!player.init(path))
        return false;
    player.play();
    return player.close();
}

bool KorModel::playbackStartFromString(const std::string& text)
{
    KorPlayer player(this);
    if (!player.init_string(text))
        return false;
    player.play();
    return player.close();
}
