#include "kor_object.h"

#include <atomic>

#include "kor_model.h"

namespace {
std::atomic<std::uint64_t> gNextSerial{1};
}

KorObject::KorObject() : mSerial(gNextSerial++) {}

KorObject::KorObject(const KorObject& other)
    : mpModel(other.mpModel), mLayer(other.mLayer), mSerial(gNextSerial++)
{
}

KorObject& KorObject::operator=(const KorObject& other)
{
    mpModel = other.mpModel;
    mLayer = other.mLayer;
    return *this;
}

KorObject::~KorObject() = default;

bool KorObject::IsDimension() const { return false; }
bool KorObject::IsDimaint() const { return false; }
bool KorObject::IsPrimitive() const { return false; }
bool KorObject::IsConstraint() const { return false; }
bool KorObject::IsExtendedType() const { return false; }

KorHandle KorObject::GetHandle() const
{
    return mpModel ? mpModel->GetNamesManager().GetObjectHandle(this) : 0;
}

const char* KorObject::GetName() const
{
    if (!mpModel)
        return nullptr;
    KorHandle handle = GetHandle();
    return handle ? mpModel->GetNamesManager().GetName(handle) : nullptr;
}

void KorObject::SetName(const std::string& name)
{
    if (!mpModel)
        return;
    if (KorHandle handle = GetHandle())
        mpModel->GetNamesManager().GetObjectHandle(name, handle);
}

bool KorSerialLess::operator()(const KorObject* a, const KorObject* b) const
{
    return a->GetSerial() < b->GetSerial();
}
