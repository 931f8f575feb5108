// The effects filter: a copy transform for RGB24 video that runs every frame
// through the effect pipeline, driven through IVideoEffect. The pixel work is
// the portable kernels library; this class adds COM, DirectShow and the GDI
// parts (overlays, stretch zoom, worker threads).
#pragma once

#include <dshow.h>

#include <string>

#include "GdiSurface.h"
#include "FilterGdiplusSession.h"
#include "IVideoEffect.h"
#include "PhotoFrameOverlay.h"
#include "ResourceName.h"
#include "SavedEffect.h"
#include "TextOverlay.h"
#include "Win32TileRunner.h"
#include "dshowbase/PersistStream.h"
#include "dshowbase/TransformFilter.h"
#include "kernels/EffectPipeline.h"

namespace lenstint {

class CEffectFilter final : public dshowbase::CTransformFilter,
                            public dshowbase::CPersistStream,
                            public ISpecifyPropertyPages,
                            public IVideoEffect,
                            private vimbrel::effects::IEffectHost {
public:
    CEffectFilter();
    ~CEffectFilter() override;

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IPersist (both the filter's and the stream persistence's)
    STDMETHODIMP GetClassID(CLSID* clsid) override;

    // ISpecifyPropertyPages
    STDMETHODIMP GetPages(CAUUID* pages) override;

    // IVideoEffect
    STDMETHODIMP GetEffect(int* effectId, int* param) override;
    STDMETHODIMP SetEffect(int effectId, int param) override;
    STDMETHODIMP LoadFrameImage(const WCHAR* path, int unused1, int unused2, int source, const WCHAR* resourceName,
                                const WCHAR* resourceType) override;
    STDMETHODIMP SetStampText(const WCHAR* text, int x, int y, const WCHAR* fontName, int fontPixels, int red,
                              int green, int blue, int boxWidth, int boxHeight, int align) override;
    STDMETHODIMP SetText(const WCHAR* text, int sizeStep, int red, int green, int blue, const WCHAR* fontName) override;
    STDMETHODIMP EnableText(int on) override;
    STDMETHODIMP SetZoom(int enable, int method, float factor, int flipVertical, int mirror) override;
    STDMETHODIMP ShowFps(int on) override;
    STDMETHODIMP SetGammaCorrect(int on) override;
    STDMETHODIMP SetGammaAdjustment(int brightness, int contrast, int gammaRed, int gammaGreen, int gammaBlue) override;
    STDMETHODIMP SetAutoWhiteBalance(int on, int mode, int period) override;
    STDMETHODIMP SetDespeckle(int on) override;
    STDMETHODIMP GetFeatureState(int index, int* value) override;
    STDMETHODIMP Reserved16(int, int, int, int, int) override;
    STDMETHODIMP Reserved17(int, int, int) override;
    STDMETHODIMP Reserved18(int) override;
    STDMETHODIMP Reserved19(int) override;
    STDMETHODIMP Reserved20(int, int, int, int) override;
    STDMETHODIMP Reserved21(int, int) override;
    STDMETHODIMP Reserved22(int) override;
    STDMETHODIMP Reserved23(int) override;
    STDMETHODIMP Reserved24(int) override;
    STDMETHODIMP Reserved25(int, int, int, int) override;
    STDMETHODIMP Reserved26(int, int) override;
    STDMETHODIMP Reserved27(int, int) override;
    STDMETHODIMP Reserved28() override;

    // Transform filter
    HRESULT CheckInputType(const dshowbase::CMediaType* input) override;
    HRESULT CheckTransform(const dshowbase::CMediaType* input, const dshowbase::CMediaType* output) override;
    HRESULT GetMediaType(int position, dshowbase::CMediaType* output) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT Transform(IMediaSample* input, IMediaSample* output) override;

    // Stream persistence: the version field, then what each effect needs to
    // look the same after loading (SavedEffect.h).
    HRESULT WriteToStream(IStream* stream) override;
    HRESULT ReadFromStream(IStream* stream) override;
    int SizeMax() override;
    DWORD GetSoftwareVersion() override;

private:
    // IEffectHost: what the pipeline needs from Windows.
    void FrameSizeChanged() override;
    vimbrel::effects::TimeOfDay Now() override;
    void ShowFrameRateText(const char16_t* text) override;
    void StretchZoom(const vimbrel::effects::RgbFrame& frame, const vimbrel::effects::ZoomCrop& crop) override;
    void Compose(const vimbrel::effects::RgbFrame& frame) override;
    vimbrel::effects::ITileRunner& Tiles() override { return tiles_; }
    vimbrel::effects::IRandomSource& Random() override { return random_; }
    vimbrel::effects::CScratch& Scratch() override { return scratch_; }

    // Renders into the text overlay as SetText does, without keeping the text.
    void RenderOverlayText(const WCHAR* text, int sizeStep, int red, int green, int blue, const WCHAR* fontName);
    // The persisted part of the settings, taken under the lock.
    SavedEffect SavedState();
    // LoadFrameImage under the lock.
    HRESULT LoadFrame(const WCHAR* path, int source, const WCHAR* resourceName, const WCHAR* resourceType);

    // The filter lock of the settings: every IVideoEffect call and every
    // frame's pipeline hold it. Recursive, because a size change re-enters
    // SetText and LoadFrameImage from inside the pipeline.
    dshowbase::CCritSec effectLock_;
    CGdiplusSession gdiplus_;
    vimbrel::effects::CEffectSettings settings_;
    CTextOverlay text_;
    CPhotoFrameOverlay photoFrame_;
    // How the shown photo frame was loaded, to load it the same way again
    // after a change of frame size.
    int frameSource_ = 0;
    CResourceName frameResourceName_;
    CResourceName frameResourceType_;
    CFrameSurface composeSurface_;
    CFrameSurface stretchSurface_;
    CWin32TileRunner tiles_;
    vimbrel::effects::CStdRandom random_;
    vimbrel::effects::CScratch scratch_;
};

}  // namespace lenstint
