// A temporary change of a process-wide value (GeoSnap, a model's plays, the
// reordering limit ...): the exact saved value comes back on every path out of
// the scope.
#pragma once

template <typename T>
class KorScopedValue {
public:
    explicit KorScopedValue(T& target) : mTarget(target), mSaved(target) {}
    KorScopedValue(T& target, const T& value) : KorScopedValue(target) { mTarget = value; }
    ~KorScopedValue() { mTarget = mSaved; }
    KorScopedValue(const KorScopedValue&) = delete;
    KorScopedValue& operator=(const KorScopedValue&) = delete;

private:
    T& mTarget;
    T mSaved;
};
