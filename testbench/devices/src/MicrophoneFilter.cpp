#include "MicrophoneFilter.h"

#include "BenchDevices.h"
#include "BenchState.h"
#include "Scene.h"

#include "dshowbase/Negotiation.h"

#include <mmreg.h>

#include <new>

namespace bench {

dshowbase::CUnknown* CMicrophoneFilter::CreateMicrophone(HRESULT*) {
    return new (std::nothrow) CMicrophoneFilter(CLSID_BenchMicrophone);
}

dshowbase::CUnknown* CMicrophoneFilter::CreateTunerAudio(HRESULT*) {
    return new (std::nothrow) CMicrophoneFilter(CLSID_BenchTunerAudio);
}

CMicrophoneFilter::CMicrophoneFilter(REFCLSID clsid)
    : CSourceFilter(L"bench microphone", clsid), CAudioMixerControl(BENCH_MIXER_FILTER) {
    AddPin(std::make_unique<CAudioCapturePin>(this, &filterLock_));
    AddPin(std::make_unique<CMixerLinePin>(this, &filterLock_, L"Microphone", BENCH_MIXER_MICROPHONE));
    AddPin(std::make_unique<CMixerLinePin>(this, &filterLock_, L"Line In", BENCH_MIXER_LINE_IN));
}

HRESULT CMicrophoneFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IAMAudioInputMixer) {
        return dshowbase::GetInterface(static_cast<IAMAudioInputMixer*>(this), ppv);
    }
    return CSourceFilter::NonDelegatingQueryInterface(riid, ppv);
}

dshowbase::CMediaType PcmType() {
    dshowbase::CMediaType type(MEDIATYPE_Audio);
    type.subtype = MEDIASUBTYPE_PCM;
    type.formattype = FORMAT_WaveFormatEx;
    auto* wave = reinterpret_cast<WAVEFORMATEX*>(type.AllocFormat(sizeof(WAVEFORMATEX)));
    wave->wFormatTag = WAVE_FORMAT_PCM;
    wave->nChannels = 1;
    wave->nSamplesPerSec = kSampleRate;
    wave->wBitsPerSample = 16;
    wave->nBlockAlign = 2;
    wave->nAvgBytesPerSec = kSampleRate * 2;
    type.lSampleSize = 2;
    type.bFixedSizeSamples = TRUE;
    return type;
}

CAudioCapturePin::CAudioCapturePin(dshowbase::CBaseFilter* filter, dshowbase::CCritSec* lock)
    : CSourceStreamPin(L"bench audio capture pin", filter, lock, L"Capture"), CPinCategory(PIN_CATEGORY_CAPTURE) {}

HRESULT CAudioCapturePin::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IKsPropertySet) {
        return dshowbase::GetInterface(static_cast<IKsPropertySet*>(this), ppv);
    }
    return CSourceStreamPin::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CAudioCapturePin::CheckMediaType(const dshowbase::CMediaType* type) {
    if (type == nullptr) {
        return E_POINTER;
    }
    return *type == PcmType() ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CAudioCapturePin::GetMediaType(int position, dshowbase::CMediaType* type) {
    return dshowbase::OfferSingleType(position, type, PcmType());
}

HRESULT CAudioCapturePin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    return dshowbase::SetAllocatorAtLeast(allocator, request, 4, kSamplesPerBuffer * 2);
}

REFERENCE_TIME CAudioCapturePin::BufferDuration() {
    return static_cast<REFERENCE_TIME>(kSamplesPerBuffer) * 10000000 / kSampleRate;
}

// A sound card keeps recording while its reader is held up; two seconds is
// a generous capture buffer. A loaded machine then loses no sound.
REFERENCE_TIME CAudioCapturePin::BacklogKept() { return 2 * 10000000LL; }

HRESULT CAudioCapturePin::FillBuffer(IMediaSample* sample, LONGLONG index) {
    BYTE* data = nullptr;
    HRESULT hr = sample->GetPointer(&data);
    if (FAILED(hr)) {
        return hr;
    }
    const long bytes = kSamplesPerBuffer * 2;
    if (sample->GetSize() < bytes) {
        return VFW_E_BUFFER_OVERFLOW;
    }
    CBenchState& state = CBenchState::Instance();
    const MixerLineState microphone = state.Mixer(BENCH_MIXER_MICROPHONE);
    const MixerLineState master = state.Mixer(BENCH_MIXER_FILTER);
    // Automatic gain (-1) counts as full level.
    const double micLevel = microphone.level < 0.0 ? 1.0 : microphone.level;
    const double masterLevel = master.level < 0.0 ? 1.0 : master.level;
    const double level = microphone.enabled ? micLevel * masterLevel : 0.0;
    auto* samples = reinterpret_cast<int16_t*>(data);
    const uint64_t first = static_cast<uint64_t>(index) * kSamplesPerBuffer;
    for (DWORD i = 0; i < kSamplesPerBuffer; ++i) {
        samples[i] = benchscene::ToneSample(first + i, level);
    }
    // Audio media times count samples.
    LONGLONG mediaStart = static_cast<LONGLONG>(first);
    LONGLONG mediaStop = mediaStart + kSamplesPerBuffer;
    sample->SetMediaTime(&mediaStart, &mediaStop);
    return sample->SetActualDataLength(bytes);
}

CMixerLinePin::CMixerLinePin(dshowbase::CBaseFilter* filter, dshowbase::CCritSec* lock, const wchar_t* name, int line)
    : CBasePin(L"bench mixer line pin", filter, lock, name, PINDIR_INPUT), CAudioMixerControl(line) {}

HRESULT CMixerLinePin::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IAMAudioInputMixer) {
        return dshowbase::GetInterface(static_cast<IAMAudioInputMixer*>(this), ppv);
    }
    return CBasePin::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CMixerLinePin::CheckMediaType(const dshowbase::CMediaType*) { return VFW_E_TYPE_NOT_ACCEPTED; }

}  // namespace bench
