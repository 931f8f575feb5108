// The private interface of the audio control filter ("Vimbrel Audio"), a
// filter outside the suite. The engine makes one call on it: the mute
// switch, the sixth method after IUnknown's three, taking one int. The
// five methods before it are declared only to keep the vtable in place.
#pragma once

#include <unknwn.h>

namespace camera {

// {D616F352-D622-11CE-AAC5-0020AF0B99A3}
constexpr IID kIidAudioControlFilter = {0xD616F352, 0xD622, 0x11CE, {0xAA, 0xC5, 0x00, 0x20, 0xAF, 0x0B, 0x99, 0xA3}};

struct IAudioControlFilter : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE NotUsedByTheEngine1(int) = 0;
    virtual HRESULT STDMETHODCALLTYPE NotUsedByTheEngine2(int) = 0;
    virtual HRESULT STDMETHODCALLTYPE NotUsedByTheEngine3(int) = 0;
    virtual HRESULT STDMETHODCALLTYPE NotUsedByTheEngine4(int) = 0;
    virtual HRESULT STDMETHODCALLTYPE NotUsedByTheEngine5(int) = 0;
    // 1 silences the sound passing through, 0 lets it through again.
    virtual HRESULT STDMETHODCALLTYPE SetMute(int mute) = 0;
};

}  // namespace camera
