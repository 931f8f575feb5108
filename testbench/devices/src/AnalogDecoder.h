// IAMAnalogVideoDecoder for the capture-card kind of bench camera: its mere
// presence is what marks such a device; the values are those of an NTSC
// card with locked sync.
#pragma once

#include <dshow.h>

namespace bench {

class CAnalogDecoder : public IAMAnalogVideoDecoder {
public:
    virtual ~CAnalogDecoder() = default;

    STDMETHODIMP get_AvailableTVFormats(LONG* standards) override;
    STDMETHODIMP put_TVFormat(LONG standard) override;
    STDMETHODIMP get_TVFormat(LONG* standard) override;
    STDMETHODIMP get_HorizontalLocked(LONG* locked) override;
    STDMETHODIMP put_VCRHorizontalLocking(LONG locking) override;
    STDMETHODIMP get_VCRHorizontalLocking(LONG* locking) override;
    STDMETHODIMP get_NumberOfLines(LONG* lines) override;
    STDMETHODIMP put_OutputEnable(LONG enable) override;
    STDMETHODIMP get_OutputEnable(LONG* enable) override;

private:
    LONG standard_ = AnalogVideo_NTSC_M;
    LONG vcrLocking_ = 0;
    LONG outputEnable_ = 1;
};

}  // namespace bench
