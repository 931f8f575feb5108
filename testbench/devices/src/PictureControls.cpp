#include "PictureControls.h"

#include "BenchState.h"

namespace bench {
namespace {

HRESULT ReportRange(const ControlRange* range, long* minimum, long* maximum, long* step,
                    long* defaultValue, long* capsFlags)
{
    if (minimum == nullptr || maximum == nullptr || step == nullptr || defaultValue == nullptr ||
        capsFlags == nullptr) {
        return E_POINTER;
    }
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

HRESULT ReportSetting(bool known, const ControlSetting& setting, long* value, long* flags)
{
    if (value == nullptr || flags == nullptr) {
        return E_POINTER;
    }
    if (!known) {
        return E_PROP_ID_UNSUPPORTED;
    }
    *value = setting.value;
    *flags = setting.flags;
    return S_OK;
}

} // namespace

STDMETHODIMP CVideoProcAmpControls::GetRange(long property, long* minimum, long* maximum, long* step,
                                             long* defaultValue, long* capsFlags)
{
    CBenchState& state = CBenchState::Instance();
    return ReportRange(ProcAmpRange(property, state.MissingControls()), minimum, maximum, step,
                       defaultValue, capsFlags);
}

STDMETHODIMP CVideoProcAmpControls::Set(long property, long value, long flags)
{
    return CBenchState::Instance().SetProcAmp(property, value, flags);
}

STDMETHODIMP CVideoProcAmpControls::Get(long property, long* value, long* flags)
{
    ControlSetting setting{};
    const bool known = CBenchState::Instance().GetProcAmp(property, &setting);
    return ReportSetting(known, setting, value, flags);
}

STDMETHODIMP CCameraControls::GetRange(long property, long* minimum, long* maximum, long* step,
                                       long* defaultValue, long* capsFlags)
{
    CBenchState& state = CBenchState::Instance();
    return ReportRange(CameraControlRange(property, state.MissingControls()), minimum, maximum, step,
                       defaultValue, capsFlags);
}

STDMETHODIMP CCameraControls::Set(long property, long value, long flags)
{
    return CBenchState::Instance().SetCameraControl(property, value, flags);
}

STDMETHODIMP CCameraControls::Get(long property, long* value, long* flags)
{
    ControlSetting setting{};
    const bool known = CBenchState::Instance().GetCameraControl(property, &setting);
    return ReportSetting(known, setting, value, flags);
}

} // namespace bench
