// IAMAudioInputMixer over one process-wide mixer line: the microphone
// filter (its master line) and each of its input pins mix this in.
#pragma once

#include <dshow.h>

namespace bench {

class CAudioMixerControl : public IAMAudioInputMixer {
public:
    explicit CAudioMixerControl(int line) : line_(line) {}
    virtual ~CAudioMixerControl() = default;

    STDMETHODIMP put_Enable(BOOL enable) override;
    STDMETHODIMP get_Enable(BOOL* enable) override;
    STDMETHODIMP put_Mono(BOOL mono) override;
    STDMETHODIMP get_Mono(BOOL* mono) override;
    STDMETHODIMP put_MixLevel(double level) override;
    STDMETHODIMP get_MixLevel(double* level) override;
    STDMETHODIMP put_Pan(double pan) override;
    STDMETHODIMP get_Pan(double* pan) override;
    STDMETHODIMP put_Loudness(BOOL loudness) override;
    STDMETHODIMP get_Loudness(BOOL* loudness) override;
    STDMETHODIMP put_Treble(double treble) override;
    STDMETHODIMP get_Treble(double* treble) override;
    STDMETHODIMP get_TrebleRange(double* range) override;
    STDMETHODIMP put_Bass(double bass) override;
    STDMETHODIMP get_Bass(double* bass) override;
    STDMETHODIMP get_BassRange(double* range) override;

    // The tone range in decibels either way.
    static constexpr double kToneRange = 12.0;

private:
    int line_;
};

}  // namespace bench
