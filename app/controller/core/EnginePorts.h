#pragma once
// What the settings and device code needs from the rest of the program:
// the ANSI code page for the engine's device names, and the controller's
// windows and helpers that the setting changes reach.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vimbrel::controller {

class ITextCodePage {
public:
    virtual ~ITextCodePage() = default;
    // The engine's ANSI text widened; nullopt when it does not convert.
    virtual std::optional<std::u16string> AnsiToWide(std::string_view text) const = 0;
    // A path for the engine's ANSI calls; nullopt when a character has no
    // exact ANSI form, since a stand-in character would name another file.
    virtual std::optional<std::string> WideToAnsi(std::u16string_view text) const = 0;
};

// The operations of the controller core, its windows and the camera module
// that setting changes and device changes call. Each answers as the
// controller operation of the same name does.
class IControllerCallbacks {
public:
    virtual ~IControllerCallbacks() = default;
    // Status overlay and function panel.
    virtual void RefreshOverlay() = 0;
    virtual void RelayoutFunctionPanel() = 0;
    virtual void UpdateItemPopup(int settingId) = 0;
    // Date overlay: draw type 0..3, and forget the text last drawn so the
    // next tick draws it anew (after a format change).
    virtual void UpdateDateOverlay(int dateType) = 0;
    virtual void ClearLastDateText() = 0;
    // Slider listeners of kind 0..2.
    virtual void NotifySliderListeners(int kind, std::intptr_t wParam, std::intptr_t lParam) = 0;
    // Photo canvas (browse mode).
    virtual void ApplyPhotoEffect(int entry) = 0;
    virtual void SetPhotoFrame(int entry) = 0;
    virtual void SetPenColor(int value) = 0;
    virtual void SetStamp(int value) = 0;
    virtual void SetCanvasTool(int tool) = 0;
    virtual void SetCanvasPenWidth(int width) = 0;
    // Camera module: bind the video quality items (and start the rotation
    // poll), and bind the module of a newly chosen camera.
    virtual int BindVideoQuality() = 0;
    virtual void RebindCameraModule() = 0;
};

}  // namespace vimbrel::controller
