// A relation the solver satisfies through an implementation dimension: a plain
// condition stands for an inequality dimension; constraints with a condition
// part derive from it as a second base.
#pragma once

class KorDimaint;
class KorDimension;
class KorModel;

class KorCondition {
public:
    explicit KorCondition(KorDimension* owner = nullptr);
    KorCondition(const KorCondition&) = delete;
    KorCondition& operator=(const KorCondition&) = delete;

    // Virtual operations in slot order.
    virtual ~KorCondition();
    // Owner as implementation: disabled; any other implementation: deleted.
    virtual void RemoveImplementationDim();
    virtual bool IsConditionImplemented();
    // The dimension that, once solved, makes the condition true; more tells
    // whether further candidates may follow. Null when there is none.
    virtual KorDimension* CreateImplementationDim(bool* more);
    // The next candidate implementation; null when exhausted.
    virtual KorDimension* UpdateImplementationDim();
    virtual void AddImplementationToDimensions(KorModel* model);
    virtual bool find(KorDimension* dimension);
    virtual KorDimaint* GetDimaint();

    KorDimension* GetImplementationDim() const { return mpImplementation; }
    void SetImplementationDim(KorDimension* dimension) { mpImplementation = dimension; }
    KorDimension* GetOwner() const { return mpOwner; }

protected:
    KorDimension* mpImplementation = nullptr;
    KorDimension* mpOwner = nullptr;
};
