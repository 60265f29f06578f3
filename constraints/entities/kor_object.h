// The root of every object of a constraint model.
#pragma once

#include <cstdint>
#include <string>

#include "kor_types.h"

class KorModel;

class KorObject {
public:
    virtual ~KorObject();
    virtual KOREntityType GetType() const = 0;
    virtual bool IsDimension() const;
    virtual bool IsDimaint() const;
    virtual bool IsPrimitive() const;
    virtual bool IsConstraint() const;
    virtual bool IsExtendedType() const;

    KorModel* GetModel() const { return mpModel; }
    int GetLayer() const { return mLayer; }
    void SetLayer(int layer) { mLayer = layer; }

    // Through the model's names manager: 0 / null when it holds none.
    KorHandle GetHandle() const;
    const char* GetName() const;
    void SetName(const std::string& name);

    // Creation order of the objects of the process: orders sets of objects
    // so that no result depends on where the allocator put them.
    std::uint64_t GetSerial() const { return mSerial; }

protected:
    KorObject();
    // A copy is a new object: it gets its own serial.
    KorObject(const KorObject& other);
    KorObject& operator=(const KorObject& other);

    KorModel* mpModel = nullptr;
    int mLayer = 0;

private:
    std::uint64_t mSerial;
};

// Orders object pointers by creation serial (for sets and maps of objects).
struct KorSerialLess {
    bool operator()(const KorObject* a, const KorObject* b) const;
};
