#include "AudioControlFilter.h"

#include "MediaFormats.h"
#include "StandInRecords.h"

#include "dshowbase/Negotiation.h"

#include <new>

namespace standins {

dshowbase::CUnknown* CAudioControlFilter::Create(HRESULT*) { return new (std::nothrow) CAudioControlFilter(); }

CAudioControlFilter::CAudioControlFilter()
    : CTransformFilter(L"bench audio control", CLSID_BenchAudioControl, dshowbase::TransformMode::InPlace) {}

HRESULT CAudioControlFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IAudioControlFilter) {
        return dshowbase::GetInterface(static_cast<IAudioControlFilter*>(this), ppv);
    }
    return CTransformFilter::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CAudioControlFilter::CheckInputType(const dshowbase::CMediaType* input) {
    if (input == nullptr) {
        return E_POINTER;
    }
    PcmFormat pcm;
    return PcmOf(*input, &pcm) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CAudioControlFilter::CheckTransform(const dshowbase::CMediaType* input, const dshowbase::CMediaType* output) {
    if (input == nullptr || output == nullptr) {
        return E_POINTER;
    }
    return *input == *output ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CAudioControlFilter::GetMediaType(int position, dshowbase::CMediaType* output) {
    if (!InputPin()->IsConnected()) {
        return E_UNEXPECTED;
    }
    return dshowbase::OfferSingleType(position, output, InputPin()->CurrentMediaType());
}

HRESULT CAudioControlFilter::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    PcmFormat pcm;
    if (!InputPin()->IsConnected() || !PcmOf(InputPin()->CurrentMediaType(), &pcm)) {
        return E_UNEXPECTED;
    }
    // Buffers as large as the upstream ones, so that any sample fits.
    long bytes = HalfSecondBytes(pcm);
    ALLOCATOR_PROPERTIES upstream{};
    IMemAllocator* input = InputPin()->Allocator();
    if (input != nullptr && SUCCEEDED(input->GetProperties(&upstream)) && upstream.cbBuffer > bytes) {
        bytes = upstream.cbBuffer;
    }
    return dshowbase::SetAllocatorAtLeast(allocator, request, 2, bytes);
}

HRESULT CAudioControlFilter::SetMediaType(PIN_DIRECTION direction, const dshowbase::CMediaType* type) {
    PcmFormat pcm;
    if (direction == PINDIR_INPUT && type != nullptr && PcmOf(*type, &pcm)) {
        bitsPerSample_ = pcm.bitsPerSample;
    }
    return S_OK;
}

HRESULT CAudioControlFilter::TransformInPlace(IMediaSample* sample) {
    const bool muted = muted_;
    if (muted) {
        BYTE* data = nullptr;
        long length = 0;
        if (FAILED(SampleBytes(sample, &data, &length))) {
            return E_UNEXPECTED;
        }
        memset(data, SilenceByte(bitsPerSample_), static_cast<size_t>(length));
    }
    CStandInRecords::Instance().CountAudioBuffer(muted);
    return S_OK;
}

HRESULT CAudioControlFilter::StrayCall(int method, int value) {
    CStandInRecords::Instance().AddControlCall(method, value);
    return E_NOTIMPL;
}

STDMETHODIMP CAudioControlFilter::Control1(int value) { return StrayCall(1, value); }
STDMETHODIMP CAudioControlFilter::Control2(int value) { return StrayCall(2, value); }
STDMETHODIMP CAudioControlFilter::Control3(int value) { return StrayCall(3, value); }
STDMETHODIMP CAudioControlFilter::Control4(int value) { return StrayCall(4, value); }
STDMETHODIMP CAudioControlFilter::Control5(int value) { return StrayCall(5, value); }

STDMETHODIMP CAudioControlFilter::SetMute(int mute) {
    CStandInRecords::Instance().AddControlCall(6, mute);
    muted_ = mute != 0;
    return S_OK;
}

}  // namespace standins
