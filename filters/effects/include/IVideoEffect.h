// The effects filter's COM identities and its settings interface, for the
// filter itself and for the programs that drive it (the capture engine, the
// property pages).
#pragma once

#include <windows.h>
#include <unknwn.h>

// The filter; registered as "Vimbrel_Effect".
// {BBEB0910-857B-4571-B1E9-BC56B2FBB112}
inline constexpr CLSID CLSID_EffectFilter = {
    0xbbeb0910, 0x857b, 0x4571, {0xb1, 0xe9, 0xbc, 0x56, 0xb2, 0xfb, 0xb1, 0x12}};
// Developer property page. {BBEB0911-857B-4571-B1E9-BC56B2FBB112}
inline constexpr CLSID CLSID_EffectSpecialPage = {
    0xbbeb0911, 0x857b, 0x4571, {0xb1, 0xe9, 0xbc, 0x56, 0xb2, 0xfb, 0xb1, 0x12}};
// Effect gallery property page. {BBEB0912-857B-4571-B1E9-BC56B2FBB112}
inline constexpr CLSID CLSID_EffectSimplePage = {
    0xbbeb0912, 0x857b, 0x4571, {0xb1, 0xe9, 0xbc, 0x56, 0xb2, 0xfb, 0xb1, 0x12}};
// {58ACCFE7-7CA7-47BB-94A0-DF943C40D2D0}
inline constexpr IID IID_IVideoEffect = {0x58accfe7, 0x7ca7, 0x47bb, {0x94, 0xa0, 0xdf, 0x94, 0x3c, 0x40, 0xd2, 0xd0}};

#define VIMBREL_EFFECT_FILTER_NAME L"Vimbrel_Effect"

// Effect ids for SetEffect / GetEffect (the developer page's control id less 1001).
enum VideoEffectId {
    VIDEO_EFFECT_RED = 1,
    VIDEO_EFFECT_GREEN = 2,
    VIDEO_EFFECT_BLUE = 3,
    VIDEO_EFFECT_CYAN = 4,
    VIDEO_EFFECT_YELLOW = 5,
    VIDEO_EFFECT_MAGENTA = 6,
    VIDEO_EFFECT_NEGATIVE = 7,
    VIDEO_EFFECT_DARKEN = 8,
    VIDEO_EFFECT_GREY = 9,
    VIDEO_EFFECT_BLUR = 10,
    VIDEO_EFFECT_SHARPEN = 11,
    VIDEO_EFFECT_SEPIA = 12,
    VIDEO_EFFECT_POSTERIZE = 13,
    VIDEO_EFFECT_CLEAR_TEXT = 14,
    VIDEO_EFFECT_BLACK_WHITE = 15,
    VIDEO_EFFECT_EMBOSS = 16,
    VIDEO_EFFECT_PIXELLATE = 17,
    VIDEO_EFFECT_EDGE_DETECT = 18,
    VIDEO_EFFECT_JITTER = 19,
    VIDEO_EFFECT_KALEIDOSCOPE = 20,
    VIDEO_EFFECT_OIL_PAINTING = 21,
    VIDEO_EFFECT_IMAGE_FRAME = 22,
    VIDEO_EFFECT_NONE = 23,
    VIDEO_EFFECT_MIRROR = 26,
};

// Zoom methods for SetZoom.
enum VideoZoomMethod {
    VIDEO_ZOOM_NEAREST = 0,
    VIDEO_ZOOM_BILINEAR = 1,
    VIDEO_ZOOM_BICUBIC = 2,
    VIDEO_ZOOM_STRETCH = 3,
};

// Sources for LoadFrameImage.
enum VideoFrameSource {
    VIDEO_FRAME_FROM_FILE = 0,
    VIDEO_FRAME_FROM_MODULE = 1,      // resource of the module file at the path
    VIDEO_FRAME_FROM_EXECUTABLE = 2,  // resource of the running program
};

// The methods stay in this order: callers bind them by slot.
struct IVideoEffect : public IUnknown {
    // Slot 3: E_POINTER for a null argument.
    virtual HRESULT STDMETHODCALLTYPE GetEffect(int* effectId, int* param) = 0;
    // Slot 4: param is the photo-frame number for 22, the kaleidoscope mode
    // for 20 (1 also replaces the centre).
    virtual HRESULT STDMETHODCALLTYPE SetEffect(int effectId, int param) = 0;
    // Slot 5: E_FAIL when the image cannot be loaded; the two ints are unused.
    virtual HRESULT STDMETHODCALLTYPE LoadFrameImage(const WCHAR* path, int unused1, int unused2, int source,
                                                     const WCHAR* resourceName, const WCHAR* resourceType) = 0;
    // Slot 6: draws text into the 160 x 20 overlay shown at (x, y).
    virtual HRESULT STDMETHODCALLTYPE SetStampText(const WCHAR* text, int x, int y, const WCHAR* fontName,
                                                   int fontPixels, int red, int green, int blue, int boxWidth,
                                                   int boxHeight, int align) = 0;
    // Slot 7: the bottom-right text overlay.
    virtual HRESULT STDMETHODCALLTYPE SetText(const WCHAR* text, int sizeStep, int red, int green, int blue,
                                              const WCHAR* fontName) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnableText(int on) = 0;  // 8
    virtual HRESULT STDMETHODCALLTYPE SetZoom(int enable, int method, float factor, int flipVertical,
                                              int mirror) = 0;      // 9
    virtual HRESULT STDMETHODCALLTYPE ShowFps(int on) = 0;          // 10
    virtual HRESULT STDMETHODCALLTYPE SetGammaCorrect(int on) = 0;  // 11
    // Slot 12: 0..100 each, 50 neutral.
    virtual HRESULT STDMETHODCALLTYPE SetGammaAdjustment(int brightness, int contrast, int gammaRed, int gammaGreen,
                                                         int gammaBlue) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetAutoWhiteBalance(int on, int mode, int period) = 0;  // 13
    virtual HRESULT STDMETHODCALLTYPE SetDespeckle(int on) = 0;                               // 14
    // Slot 15: 0 white balance, 1 despeckle, 2 frame-rate text; others 0.
    virtual HRESULT STDMETHODCALLTYPE GetFeatureState(int index, int* value) = 0;
    // Slots 16 to 28 are kept for callers built against them; they change nothing.
    virtual HRESULT STDMETHODCALLTYPE Reserved16(int, int, int, int, int) = 0;  // E_FAIL
    virtual HRESULT STDMETHODCALLTYPE Reserved17(int, int, int) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved18(int) = 0;  // E_FAIL
    virtual HRESULT STDMETHODCALLTYPE Reserved19(int) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved20(int, int, int, int) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved21(int, int) = 0;  // E_FAIL
    virtual HRESULT STDMETHODCALLTYPE Reserved22(int) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved23(int) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved24(int) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved25(int, int, int, int) = 0;  // E_FAIL
    virtual HRESULT STDMETHODCALLTYPE Reserved26(int, int) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved27(int, int) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved28() = 0;
};

#ifdef __CRT_UUID_DECL
__CRT_UUID_DECL(IVideoEffect, 0x58accfe7, 0x7ca7, 0x47bb, 0x94, 0xa0, 0xdf, 0x94, 0x3c, 0x40, 0xd2, 0xd0)
#endif
