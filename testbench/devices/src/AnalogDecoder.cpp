#include "AnalogDecoder.h"

namespace bench {
namespace {

constexpr LONG kStandards = AnalogVideo_NTSC_M | AnalogVideo_PAL_B;

HRESULT Report(LONG value, LONG* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = value;
    return S_OK;
}

}  // namespace

STDMETHODIMP CAnalogDecoder::get_AvailableTVFormats(LONG* standards) { return Report(kStandards, standards); }

STDMETHODIMP CAnalogDecoder::put_TVFormat(LONG standard) {
    if ((standard & kStandards) == 0 || (standard & (standard - 1)) != 0) {
        return E_INVALIDARG;
    }
    standard_ = standard;
    return S_OK;
}

STDMETHODIMP CAnalogDecoder::get_TVFormat(LONG* standard) { return Report(standard_, standard); }

STDMETHODIMP CAnalogDecoder::get_HorizontalLocked(LONG* locked) { return Report(1, locked); }

STDMETHODIMP CAnalogDecoder::put_VCRHorizontalLocking(LONG locking) {
    vcrLocking_ = locking != 0 ? 1 : 0;
    return S_OK;
}

STDMETHODIMP CAnalogDecoder::get_VCRHorizontalLocking(LONG* locking) { return Report(vcrLocking_, locking); }

STDMETHODIMP CAnalogDecoder::get_NumberOfLines(LONG* lines) {
    return Report(standard_ == AnalogVideo_NTSC_M ? 525 : 625, lines);
}

STDMETHODIMP CAnalogDecoder::put_OutputEnable(LONG enable) {
    outputEnable_ = enable != 0 ? 1 : 0;
    return S_OK;
}

STDMETHODIMP CAnalogDecoder::get_OutputEnable(LONG* enable) { return Report(outputEnable_, enable); }

}  // namespace bench
