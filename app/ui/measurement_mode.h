// The Measurement mode: the room's dimensions are selected one by one and
// given values from the value list, the keypad, key steps or drags.
#pragma once

#include <string>
#include <vector>

#include "edit_mode.h"

class KorDimension;

// The value list around a measured value: eleven values from first, the
// measured one selected (first = v - 5, never below 0).
struct MeasurementValues {
    int first = 0;
    int selected = 0;
    std::vector<std::string> texts;
};
MeasurementValues MakeMeasurementValues(int value, bool feetAndInches);
// The value while a drag runs: "%d", or feet and inches padded to two.
std::string DragValueText(int value, bool feetAndInches);

class CMeasurementMode : public CEditMode {
public:
    explicit CMeasurementMode(CReplDoc* document) : CEditMode(document, "Measurement", 2140) {}

    void Activate() override;
    void OnKeyRight(int key) override;
    void OnKeyLeft(int key) override;
    void Draw(CScaledDC& dc) override;
    bool Leave(bool forward) override;
    bool OnTap(double x, double y) override;
    void OnDoubleTap(double x, double y) override;
    bool AllowsDrag() override;
    bool StartKeyStep(int direction) override;
    void OnDragMoved() override;
    void OnDragEnded() override;
    void OnPickReleased(bool changed) override;
    bool KeyStep() override;
    void UndoKeyStep() override;
    void Refresh() override;
    void OnComboSelect() override;
    void SetKeyStep(int step) override { m_keyStep = step; }
    bool AllowsWallObjectDrag() override { return false; }

    // Applies a value to the current dimension and resolves; false (and the
    // dimension disabled) when the solver refuses it.
    bool ApplyValue(float value);
    void FillValueList();

    KorDimension* m_current = nullptr;
    float m_value = 0.0f;
    int m_keyStep = 0;

private:
    void StepSelection(bool forward);
    KorDimension* SelectedDimension();
    bool ChainsAccept(KorDimension* d);
    void PinEntrance(bool pinned);
};
