#include "CameraPins.h"

#include "BenchState.h"
#include "CameraFilter.h"

#include "dshowbase/Negotiation.h"

#include <cstring>

namespace bench {
namespace {

// What a driver says when another program holds the device.
const HRESULT kDeviceBusy = HRESULT_FROM_WIN32(ERROR_BUSY);

HRESULT OfferCurrentFormat(CCameraFilter* camera, int position, dshowbase::CMediaType* type) {
    return dshowbase::OfferSingleType(position, type, camera->CurrentFormat());
}

}  // namespace

CCapturePin::CCapturePin(CCameraFilter* camera, dshowbase::CCritSec* lock)
    : CSourceStreamPin(L"bench capture pin", camera, lock, L"Capture"),
      CPinCategory(PIN_CATEGORY_CAPTURE),
      camera_(camera) {}

HRESULT CCapturePin::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IKsPropertySet) {
        return dshowbase::GetInterface(static_cast<IKsPropertySet*>(this), ppv);
    }
    if (riid == IID_IAMStreamConfig) {
        return dshowbase::GetInterface(static_cast<IAMStreamConfig*>(this), ppv);
    }
    if (riid == IID_IAMStreamControl) {
        return dshowbase::GetInterface(static_cast<IAMStreamControl*>(this), ppv);
    }
    return CSourceStreamPin::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CCapturePin::CheckConnect(IPin* pin) {
    if (CBenchState::Instance().Busy()) {
        return kDeviceBusy;
    }
    return CSourceStreamPin::CheckConnect(pin);
}

HRESULT CCapturePin::CheckMediaType(const dshowbase::CMediaType* type) { return camera_->CheckFormat(type); }

HRESULT CCapturePin::GetMediaType(int position, dshowbase::CMediaType* type) {
    return OfferCurrentFormat(camera_, position, type);
}

HRESULT CCapturePin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    return DecideFrameBuffers(allocator, request, CurrentMediaType());
}

REFERENCE_TIME CCapturePin::BufferDuration() {
    const VIDEOINFOHEADER* info = dshowbase::VideoInfo(CurrentMediaType());
    if (info == nullptr || info->AvgTimePerFrame <= 0) {
        return kDefaultFrameTime;
    }
    return info->AvgTimePerFrame;
}

HRESULT CCapturePin::FillBuffer(IMediaSample* sample, LONGLONG index) {
    const VIDEOINFOHEADER* info = dshowbase::VideoInfo(CurrentMediaType());
    if (info == nullptr) {
        return VFW_E_NOT_CONNECTED;
    }
    const LONG width = info->bmiHeader.biWidth;
    const LONG height = info->bmiHeader.biHeight;
    const size_t frameBytes = benchscene::FrameSize(width, height);
    BYTE* data = nullptr;
    HRESULT hr = sample->GetPointer(&data);
    if (FAILED(hr)) {
        return hr;
    }
    const long capacity = sample->GetSize();
    if (frameBytes == 0 || capacity < 0 || static_cast<size_t>(capacity) < frameBytes) {
        return VFW_E_BUFFER_OVERFLOW;
    }
    if (!CBenchState::Instance().Render(width, height, static_cast<uint64_t>(index), data,
                                        static_cast<size_t>(capacity))) {
        return E_FAIL;
    }
    return sample->SetActualDataLength(static_cast<long>(frameBytes));
}

bool CCapturePin::ShouldDeliver(REFERENCE_TIME streamTime) {
    const CStreamSchedule::Decision decision = schedule_.Decide(streamTime);
    IPin* self = this;
    if (decision.notifyStarted) {
        filter_->NotifyEvent(EC_STREAM_CONTROL_STARTED, reinterpret_cast<LONG_PTR>(self), decision.startCookie);
    }
    if (decision.notifyStopped) {
        filter_->NotifyEvent(EC_STREAM_CONTROL_STOPPED, reinterpret_cast<LONG_PTR>(self), decision.stopCookie);
    }
    if (decision.deliver) {
        CBenchState::Instance().CountDelivered();
    }
    return decision.deliver;
}

STDMETHODIMP CCapturePin::SetFormat(AM_MEDIA_TYPE* type) {
    if (type == nullptr) {
        return E_POINTER;
    }
    dshowbase::CAutoLock lock(lock_);
    HRESULT hr = camera_->SetCurrentFormat(*type);
    if (FAILED(hr)) {
        return hr;
    }
    // A connected pin renegotiates: the graph reconnects it with the new
    // type when the other side accepts it.
    if (IsConnected()) {
        const dshowbase::CMediaType chosen = camera_->CurrentFormat();
        if (ConnectedPin()->QueryAccept(&chosen) != S_OK) {
            return VFW_E_INVALIDMEDIATYPE;
        }
        hr = filter_->ReconnectPin(this, &chosen);
    }
    return hr;
}

STDMETHODIMP CCapturePin::GetFormat(AM_MEDIA_TYPE** type) {
    if (type == nullptr) {
        return E_POINTER;
    }
    dshowbase::CAutoLock lock(lock_);
    const dshowbase::CMediaType current = IsConnected() ? CurrentMediaType() : camera_->CurrentFormat();
    *type = dshowbase::CreateMediaType(&current);
    return *type != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CCapturePin::GetNumberOfCapabilities(int* count, int* size) {
    if (count == nullptr || size == nullptr) {
        return E_POINTER;
    }
    *count = static_cast<int>(camera_->Formats().size());
    *size = sizeof(VIDEO_STREAM_CONFIG_CAPS);
    return S_OK;
}

STDMETHODIMP CCapturePin::GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) {
    if (type == nullptr || caps == nullptr) {
        return E_POINTER;
    }
    *type = nullptr;
    const std::vector<VideoFormat> formats = camera_->Formats();
    if (index < 0) {
        return E_INVALIDARG;
    }
    if (static_cast<size_t>(index) >= formats.size()) {
        return S_FALSE;
    }
    const VideoFormat& format = formats[static_cast<size_t>(index)];
    *type = dshowbase::CreateMediaType(&format.type);
    if (*type == nullptr) {
        return E_OUTOFMEMORY;
    }
    std::memcpy(caps, &format.caps, sizeof(format.caps));
    return S_OK;
}

STDMETHODIMP CCapturePin::StartAt(const REFERENCE_TIME* start, DWORD cookie) {
    return schedule_.StartAt(start, cookie);
}

STDMETHODIMP CCapturePin::StopAt(const REFERENCE_TIME* stop, BOOL sendExtra, DWORD cookie) {
    return schedule_.StopAt(stop, sendExtra, cookie);
}

STDMETHODIMP CCapturePin::GetInfo(AM_STREAM_INFO* info) { return schedule_.GetInfo(info); }

CStillPin::CStillPin(CCameraFilter* camera, dshowbase::CCritSec* lock)
    : CBaseOutputPin(L"bench still pin", camera, lock, L"Still"), CPinCategory(PIN_CATEGORY_STILL), camera_(camera) {}

HRESULT CStillPin::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IKsPropertySet) {
        return dshowbase::GetInterface(static_cast<IKsPropertySet*>(this), ppv);
    }
    return CBaseOutputPin::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CStillPin::CheckConnect(IPin* pin) {
    if (CBenchState::Instance().Busy()) {
        return kDeviceBusy;
    }
    return CBaseOutputPin::CheckConnect(pin);
}

HRESULT CStillPin::CheckMediaType(const dshowbase::CMediaType* type) { return camera_->CheckFormat(type); }

HRESULT CStillPin::GetMediaType(int position, dshowbase::CMediaType* type) {
    return OfferCurrentFormat(camera_, position, type);
}

HRESULT CStillPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    return DecideFrameBuffers(allocator, request, CurrentMediaType());
}

}  // namespace bench
