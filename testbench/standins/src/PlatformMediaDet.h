// The platform's own media detector, for the files the bench does not
// serve. It cannot be created by class id, because in the test prefix that
// id names the bench's detector; it is made from qedit.dll's class factory
// directly, and the library stays loaded while the object lives.
#pragma once

#include <dshow.h>
#include <qedit.h>
#include <wrl/client.h>

namespace standins {

class CPlatformMediaDet {
public:
    CPlatformMediaDet() = default;
    ~CPlatformMediaDet() { Reset(); }
    CPlatformMediaDet(const CPlatformMediaDet&) = delete;
    CPlatformMediaDet& operator=(const CPlatformMediaDet&) = delete;

    HRESULT Create();
    void Reset();
    IMediaDet* Get() const { return detector_.Get(); }
    explicit operator bool() const { return static_cast<bool>(detector_); }

private:
    HMODULE module_ = nullptr;
    Microsoft::WRL::ComPtr<IMediaDet> detector_;
};

} // namespace standins
