#include "AudioMixerControl.h"

#include "BenchState.h"

namespace bench {
namespace {

template <class Field>
HRESULT Read(int line, Field field, BOOL* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = field(CBenchState::Instance().Mixer(line)) ? TRUE : FALSE;
    return S_OK;
}

template <class Field>
HRESULT ReadDouble(int line, Field field, double* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = field(CBenchState::Instance().Mixer(line));
    return S_OK;
}

bool WithinTone(double value) {
    return value >= -CAudioMixerControl::kToneRange && value <= CAudioMixerControl::kToneRange;
}

}  // namespace

STDMETHODIMP CAudioMixerControl::put_Enable(BOOL enable) {
    return CBenchState::Instance().UpdateMixer(line_, [&](MixerLineState& state) {
        state.enabled = enable != FALSE;
        ++state.changes;
        return S_OK;
    });
}

STDMETHODIMP CAudioMixerControl::get_Enable(BOOL* enable) {
    return Read(
        line_, [](const MixerLineState& s) { return s.enabled; }, enable);
}

STDMETHODIMP CAudioMixerControl::put_Mono(BOOL mono) {
    return CBenchState::Instance().UpdateMixer(line_, [&](MixerLineState& state) {
        state.mono = mono != FALSE;
        return S_OK;
    });
}

STDMETHODIMP CAudioMixerControl::get_Mono(BOOL* mono) {
    return Read(
        line_, [](const MixerLineState& s) { return s.mono; }, mono);
}

STDMETHODIMP CAudioMixerControl::put_MixLevel(double level) {
    // 0..1, or AMF_AUTOMATICGAIN (-1) for the device's own gain control.
    const bool valid = (level >= 0.0 && level <= 1.0) || level == AMF_AUTOMATICGAIN;
    if (!valid) {
        return E_INVALIDARG;
    }
    return CBenchState::Instance().UpdateMixer(line_, [&](MixerLineState& state) {
        state.level = level;
        ++state.changes;
        return S_OK;
    });
}

STDMETHODIMP CAudioMixerControl::get_MixLevel(double* level) {
    return ReadDouble(
        line_, [](const MixerLineState& s) { return s.level; }, level);
}

STDMETHODIMP CAudioMixerControl::put_Pan(double pan) {
    if (!(pan >= -1.0 && pan <= 1.0)) {
        return E_INVALIDARG;
    }
    return CBenchState::Instance().UpdateMixer(line_, [&](MixerLineState& state) {
        state.pan = pan;
        return S_OK;
    });
}

STDMETHODIMP CAudioMixerControl::get_Pan(double* pan) {
    return ReadDouble(
        line_, [](const MixerLineState& s) { return s.pan; }, pan);
}

STDMETHODIMP CAudioMixerControl::put_Loudness(BOOL loudness) {
    return CBenchState::Instance().UpdateMixer(line_, [&](MixerLineState& state) {
        state.loudness = loudness != FALSE;
        return S_OK;
    });
}

STDMETHODIMP CAudioMixerControl::get_Loudness(BOOL* loudness) {
    return Read(
        line_, [](const MixerLineState& s) { return s.loudness; }, loudness);
}

STDMETHODIMP CAudioMixerControl::put_Treble(double treble) {
    if (!WithinTone(treble)) {
        return E_INVALIDARG;
    }
    return CBenchState::Instance().UpdateMixer(line_, [&](MixerLineState& state) {
        state.treble = treble;
        return S_OK;
    });
}

STDMETHODIMP CAudioMixerControl::get_Treble(double* treble) {
    return ReadDouble(
        line_, [](const MixerLineState& s) { return s.treble; }, treble);
}

STDMETHODIMP CAudioMixerControl::get_TrebleRange(double* range) {
    if (range == nullptr) {
        return E_POINTER;
    }
    *range = kToneRange;
    return S_OK;
}

STDMETHODIMP CAudioMixerControl::put_Bass(double bass) {
    if (!WithinTone(bass)) {
        return E_INVALIDARG;
    }
    return CBenchState::Instance().UpdateMixer(line_, [&](MixerLineState& state) {
        state.bass = bass;
        return S_OK;
    });
}

STDMETHODIMP CAudioMixerControl::get_Bass(double* bass) {
    return ReadDouble(
        line_, [](const MixerLineState& s) { return s.bass; }, bass);
}

STDMETHODIMP CAudioMixerControl::get_BassRange(double* range) { return get_TrebleRange(range); }

}  // namespace bench
