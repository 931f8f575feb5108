#pragma once
// The sequences' view of the program's controller: its state, engine and
// windows, with capture names from the media-file part and ANSI paths from
// the code page.

#include "CCameraController.h"
#include "SequencePorts.h"

namespace vimbrel::controller {

class CControllerSequenceHost final : public ISequenceHost {
public:
    CControllerSequenceHost(CCameraController& controller, IMediaFiles& media, const ITextCodePage& codePage)
        : controller_(controller), media_(media), codePage_(codePage) {}

    int ModeId() const override { return controller_.GetMode(); }
    int CaptureState() const override { return controller_.GetCaptureState(); }
    const EngineApi* LoadedEngine() const override;
    std::mutex& CaptureLock() override { return controller_.CaptureLock(); }
    int FlashSetting() const override { return controller_.Settings().Block().flash; }
    ControllerRect BannerRect() const override { return controller_.BannerRect(); }
    int MakeCaptureName(int mediaKind, std::u16string* name) override {
        return media_.MakeCaptureName(mediaKind, name);
    }
    std::optional<std::string> WideToAnsi(std::u16string_view text) const override {
        return codePage_.WideToAnsi(text);
    }
    int EnablePanelButton(int panel, std::uint32_t key, int enable) override {
        return controller_.EnablePanelButton(panel, key, enable);
    }
    int SetPanelToggle(int panel, std::uint32_t key, int state) override {
        return controller_.SetPanelToggle(panel, key, state);
    }
    int RefreshOverlay() override { return controller_.RefreshOverlay(); }
    int SetOverlayIcon(int icon) override { return controller_.SetOverlayIcon(icon); }
    int SetOverlayTime(int seconds) override { return controller_.SetOverlayTime(seconds); }
    int StartRecording(int panel) override;

private:
    CCameraController& controller_;
    IMediaFiles& media_;
    const ITextCodePage& codePage_;
};

}  // namespace vimbrel::controller
