// The process-wide settings under which a file's rooms are tried before the
// level is replaced.
#pragma once

#include "kor_model.h"
#include "kor_scoped_value.h"
#include "settings.h"
#include "zup_camera.h"
#include "zup_object.h"

// A file's rooms are tried under the settings their load plays them under;
// whatever the trial changes process-wide (the camera numbering included)
// goes back when it ends, so the level that stays open sees nothing of it.
class RoomTrialSettings {
public:
    RoomTrialSettings(bool metric, double snap, int reorderingLimit)
        : mMetric(ZupObject::IsMetric()),
          mSnap(GeoSnap(), snap),
          mReorderingLimit(KorModel::ReorderingLimit(), reorderingLimit),
          mCameraNames(ZupCamera::mNamesCount)
    {
        ZupObject::SetMetric(metric);
    }
    ~RoomTrialSettings() { ZupObject::SetMetric(mMetric); }
    RoomTrialSettings(const RoomTrialSettings&) = delete;
    RoomTrialSettings& operator=(const RoomTrialSettings&) = delete;

private:
    bool mMetric;
    KorScopedValue<double> mSnap;
    KorScopedValue<int> mReorderingLimit;
    KorScopedValue<int> mCameraNames;
};
