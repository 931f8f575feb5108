// IAMVideoProcAmp and IAMCameraControl over the process-wide control values.
// Mixed into the camera filter, whose DSHOWBASE_DECLARE_IUNKNOWN supplies
// IUnknown; one class per interface because both have methods of the same
// names and signatures, which one class could not tell apart.
#pragma once

#include "BenchState.h"

#include <dshow.h>

namespace bench {

template <class Interface, ControlFamily Family>
class TPictureControls : public Interface {
public:
    STDMETHODIMP GetRange(long property, long* minimum, long* maximum, long* step, long* defaultValue,
                          long* capsFlags) override {
        if (minimum == nullptr || maximum == nullptr || step == nullptr || defaultValue == nullptr ||
            capsFlags == nullptr) {
            return E_POINTER;
        }
        const ControlRange* range = RangeOf(Family, property, CBenchState::Instance().MissingControls());
        if (range == nullptr) {
            return E_PROP_ID_UNSUPPORTED;
        }
        *minimum = range->minimum;
        *maximum = range->maximum;
        *step = range->step;
        *defaultValue = range->defaultValue;
        *capsFlags = range->capsFlags;
        return S_OK;
    }

    STDMETHODIMP Set(long property, long value, long flags) override {
        return CBenchState::Instance().SetControl(Family, property, value, flags);
    }

    STDMETHODIMP Get(long property, long* value, long* flags) override {
        if (value == nullptr || flags == nullptr) {
            return E_POINTER;
        }
        ControlSetting setting{};
        if (!CBenchState::Instance().GetControl(Family, property, &setting)) {
            return E_PROP_ID_UNSUPPORTED;
        }
        *value = setting.value;
        *flags = setting.flags;
        return S_OK;
    }
};

using CVideoProcAmpControls = TPictureControls<IAMVideoProcAmp, ControlFamily::VideoProcAmp>;
using CCameraControls = TPictureControls<IAMCameraControl, ControlFamily::CameraControl>;

}  // namespace bench
