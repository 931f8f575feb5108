// The virtual microphone: a live PCM source (44.1 kHz, 16 bits, mono, a
// buffer every 100 ms) with the mixer inputs "Microphone" and "Line In" as
// input pins, each with IAMAudioInputMixer, and a filter-level mixer. The
// delivered tone is scaled by the microphone line's level while that line is
// enabled (silence otherwise) and by the filter's level.
#pragma once

#include "AudioMixerControl.h"
#include "PinCategory.h"

#include "dshowbase/SourceFilter.h"

namespace bench {

constexpr DWORD kSampleRate = 44100;
constexpr DWORD kSamplesPerBuffer = 4410;

class CMicrophoneFilter : public dshowbase::CSourceFilter, public CAudioMixerControl {
public:
    static dshowbase::CUnknown* CreateMicrophone(HRESULT* result);
    static dshowbase::CUnknown* CreateTunerAudio(HRESULT* result);

    explicit CMicrophoneFilter(REFCLSID clsid);

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
};

// The one format the microphone delivers.
dshowbase::CMediaType PcmType();

class CAudioCapturePin : public dshowbase::CSourceStreamPin, public CPinCategory {
public:
    CAudioCapturePin(dshowbase::CBaseFilter* filter, dshowbase::CCritSec* lock);

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    HRESULT CheckMediaType(const dshowbase::CMediaType* type) override;
    HRESULT GetMediaType(int position, dshowbase::CMediaType* type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT FillBuffer(IMediaSample* sample, LONGLONG index) override;
    REFERENCE_TIME BufferDuration() override;
    REFERENCE_TIME BacklogKept() override;
};

// A mixer input: an input pin that takes no connection (it stands for an
// analogue line), only mixer settings.
class CMixerLinePin : public dshowbase::CBasePin, public CAudioMixerControl {
public:
    CMixerLinePin(dshowbase::CBaseFilter* filter, dshowbase::CCritSec* lock, const wchar_t* name, int line);

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    HRESULT CheckMediaType(const dshowbase::CMediaType* type) override;
};

}  // namespace bench
