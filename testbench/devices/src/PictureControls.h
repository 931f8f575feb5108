// IAMVideoProcAmp and IAMCameraControl over the process-wide control values.
// Mixed into the camera filter, whose DSHOWBASE_DECLARE_IUNKNOWN supplies
// IUnknown; two classes because both interfaces have methods of the same
// names and signatures.
#pragma once

#include <dshow.h>

namespace bench {

class CVideoProcAmpControls : public IAMVideoProcAmp {
public:
    STDMETHODIMP GetRange(long property, long* minimum, long* maximum, long* step,
                          long* defaultValue, long* capsFlags) override;
    STDMETHODIMP Set(long property, long value, long flags) override;
    STDMETHODIMP Get(long property, long* value, long* flags) override;
};

class CCameraControls : public IAMCameraControl {
public:
    STDMETHODIMP GetRange(long property, long* minimum, long* maximum, long* step,
                          long* defaultValue, long* capsFlags) override;
    STDMETHODIMP Set(long property, long value, long flags) override;
    STDMETHODIMP Get(long property, long* value, long* flags) override;
};

} // namespace bench
