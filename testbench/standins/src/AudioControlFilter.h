// "Vimbrel Audio": the audio control filter the engine puts between the
// microphone and the ASF writer. It passes PCM through unchanged, or as
// silence while muted, and records every call to its private interface.
#pragma once

#include "BenchStandIns.h"
#include "WaveHeader.h"

#include "dshowbase/TransformFilter.h"

#include <atomic>

namespace standins {

class CAudioControlFilter final : public dshowbase::CTransformFilter, public IAudioControlFilter {
public:
    static dshowbase::CUnknown* Create(HRESULT* result);

    CAudioControlFilter();

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    HRESULT CheckInputType(const dshowbase::CMediaType* input) override;
    HRESULT CheckTransform(const dshowbase::CMediaType* input, const dshowbase::CMediaType* output) override;
    HRESULT GetMediaType(int position, dshowbase::CMediaType* output) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT SetMediaType(PIN_DIRECTION direction, const dshowbase::CMediaType* type) override;
    HRESULT TransformInPlace(IMediaSample* sample) override;

    STDMETHODIMP Control1(int value) override;
    STDMETHODIMP Control2(int value) override;
    STDMETHODIMP Control3(int value) override;
    STDMETHODIMP Control4(int value) override;
    STDMETHODIMP Control5(int value) override;
    STDMETHODIMP SetMute(int mute) override;

private:
    HRESULT StrayCall(int method, int value);

    std::atomic<bool> muted_{false};
    // Set while the input connects, read on the streaming thread.
    std::atomic<uint16_t> bitsPerSample_{16};
};

}  // namespace standins
