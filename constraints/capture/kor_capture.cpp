#include "kor_capture.h"

#include <initializer_list>

#include "kor_dimaint.h"
#include "kor_model.h"
#include "kor_names_manager.h"
#include "kor_number_text.h"

// ---- KorCapture ----

KorCapture::~KorCapture()
{
    mFile.close();
}

std::string KorCapture::getDimaintWeightLine(KorHandle)
{
    return std::string();
}

void KorCapture::SetModel(KorModel* model)
{
    mpModel = model;
    mpNames = model != nullptr ? &model->GetNamesManager() : nullptr;
}

bool KorCapture::open(const char* path)
{
    if (path == nullptr || *path == 0)
        return false;
    return mFile.open(path, KorFilebuf::kWrite);
}

bool KorCapture::init(const char* path)
{
    // Inactive while the old journal plays: its statements are in the file.
    mbActive = false;
    if (path == nullptr || *path == 0 || mpModel == nullptr)
        return false;
    KorFilebuf probe;
    if (probe.open(path, KorFilebuf::kRead)) {
        probe.close();
        if (!mpModel->playbackStart(path))
            return false;
    }
    mbActive = open(path);
    return mbActive;
}

bool KorCapture::close()
{
    mbActive = false;
    return mFile.close();
}

bool KorCapture::writeln(const std::string& text)
{
    if (mFile.writeln(text))
        return true;
    mbActive = false;
    return false;
}

const char* KorCapture::NameOf(KorHandle handle) const
{
    const char* name = mpNames != nullptr && handle != 0 ? mpNames->GetName(handle) : nullptr;
    return name != nullptr ? name : "";
}

// ---- KorCaptureVCR ----

namespace {

// "Word(a,b,...)\n"
std::string Call(const char* word, std::initializer_list<const char*> arguments)
{
    std::string text(word);
    text += '(';
    bool first = true;
    for (const char* argument : arguments) {
        if (!first)
            text += ',';
        text += argument;
        first = false;
    }
    text += ")\n";
    return text;
}

const char* Word(KOREntityType type)
{
    return KorNamesManager::GetName(type);
}

const std::string kUnknownType = "ERROR: Unknown type\n";

} // namespace

std::string KorCaptureVCR::Target(KorHandle handle, KOREntityType type)
{
    const char* name = mpNames != nullptr ? mpNames->GetName(handle, type) : nullptr;
    return std::string(name != nullptr ? name : "") + "=";
}

std::string KorCaptureVCR::getInitLine()
{
    return std::string();
}

std::string KorCaptureVCR::getNodeLine(KorHandle handle, float x, float y)
{
    const std::string xs = KorFormatFixed(x, 1);
    const std::string ys = KorFormatFixed(y, 1);
    return Target(handle, KOR_NODE) + Call(Word(KOR_NODE), {xs.c_str(), ys.c_str()});
}

std::string KorCaptureVCR::getSegmentLine(KorHandle handle, KorHandle start, KorHandle end)
{
    return Target(handle, KOR_SEGMENT) + Call(Word(KOR_SEGMENT), {NameOf(start), NameOf(end)});
}

std::string KorCaptureVCR::getArcLine(KorHandle handle, KorHandle center, KorHandle start,
                                      KorHandle end)
{
    return Target(handle, KOR_ARC)
           + Call(Word(KOR_ARC), {NameOf(center), NameOf(start), NameOf(end)});
}

std::string KorCaptureVCR::getCircleLine(KorHandle handle, KorHandle center, KorHandle start)
{
    return Target(handle, KOR_CIRCLE) + Call(Word(KOR_CIRCLE), {NameOf(center), NameOf(start)});
}

std::string KorCaptureVCR::getConstraintLine(KOREntityType type, KorHandle handle, KorHandle a,
                                             KorHandle b, KorHandle c)
{
    switch (type) {
    case KOR_COINCIDENT:
    case KOR_COLINEAR:
    case KOR_PARALLEL:
    case KOR_TANGENT:
    case KOR_NSDISTANCE:
    case KOR_SSDISTANCE:
    case KOR_VERTICAL_DISTANCE:
    case KOR_HORIZONTAL_DISTANCE:
    case KOR_PERPENDICULAR:
    // A node coincidence is written with the word the player reads back as one.
    case KOR_NODE_COINCIDENT:
        return Target(handle, type) + Call(Word(type), {NameOf(a), NameOf(b)});
    case KOR_DISTANCE:
    case KOR_ANGLE:
        if (b != 0)
            return Target(handle, type) + Call(Word(type), {NameOf(a), NameOf(b)});
        return Target(handle, type) + Call(Word(type), {NameOf(a)});
    case KOR_VERTICAL:
    case KOR_HORIZONTAL:
    case KOR_RADIUS:
    case KOR_UNMOVABLE:
        return Target(handle, type) + Call(Word(type), {NameOf(a)});
    case KOR_SYMMETRY:
        return Target(handle, type) + Call(Word(type), {NameOf(a), NameOf(b), NameOf(c)});
    default:
        return kUnknownType;
    }
}

std::string KorCaptureVCR::getResolveLine()
{
    return Call(Word(KOR_RESOLVE), {});
}

std::string KorCaptureVCR::getDeleteLine(KorHandle handle)
{
    const char* name = NameOf(handle);
    if (*name == 0)
        return std::string();
    return Call(Word(KOR_DELETE), {name});
}

std::string KorCaptureVCR::getDimValueLine(KorHandle handle, const std::string& text)
{
    return Target(handle, KOR_DISTANCE) + Call(Word(KOR_VALUE), {text.c_str()});
}

std::string KorCaptureVCR::getDimValueLine(KorHandle handle, float number)
{
    const std::string text = KorFormatFixed(number, 2, 9);
    return Target(handle, KOR_DISTANCE) + Call(Word(KOR_VALUE), {text.c_str()});
}

std::string KorCaptureVCR::getDimaintWeightLine(KorHandle handle)
{
    KorObject* object = mpNames != nullptr ? mpNames->GetObjectAddress(handle) : nullptr;
    const auto* dimaint = dynamic_cast<KorDimaint*>(object);
    if (dimaint == nullptr || dimaint->GetWeight() == 0)
        return std::string();
    const std::string weight = KorFormatInt(dimaint->GetWeight());
    return Target(handle, KOR_DISTANCE) + Call(Word(KOR_WEIGHT), {weight.c_str()});
}
