#pragma once
// The sequences' view of the program's controller: its state, engine and
// windows, with capture names from the media-file part and ANSI paths from
// the code page.

#include "CCameraController.h"
#include "SequencePorts.h"

namespace vimbrel::controller {

class CControllerSequenceHost final : public ISequenceHost {
public:
    CControllerSequenceHost(CCameraController& controller, IMediaFiles& media,
                            const ITextCodePage& codePage)
        : m_controller(controller), m_media(media), m_codePage(codePage) {}

    int ModeId() const override { return m_controller.GetMode(); }
    int CaptureState() const override { return m_controller.GetCaptureState(); }
    const EngineApi* LoadedEngine() const override;
    std::mutex& CaptureLock() override { return m_controller.CaptureLock(); }
    int FlashSetting() const override { return m_controller.Settings().Block().flash; }
    ControllerRect BannerRect() const override { return m_controller.BannerRect(); }
    int MakeCaptureName(int mediaKind, std::u16string* name) override {
        return m_media.MakeCaptureName(mediaKind, name);
    }
    std::optional<std::string> WideToAnsi(std::u16string_view text) const override {
        return m_codePage.WideToAnsi(text);
    }
    int EnablePanelButton(int panel, std::uint32_t key, int enable) override {
        return m_controller.EnablePanelButton(panel, key, enable);
    }
    int SetPanelToggle(int panel, std::uint32_t key, int state) override {
        return m_controller.SetPanelToggle(panel, key, state);
    }
    int RefreshOverlay() override { return m_controller.RefreshOverlay(); }
    int SetOverlayIcon(int icon) override { return m_controller.SetOverlayIcon(icon); }
    int SetOverlayTime(int seconds) override { return m_controller.SetOverlayTime(seconds); }
    int StartRecording(int panel) override;

private:
    CCameraController& m_controller;
    IMediaFiles& m_media;
    const ITextCodePage& m_codePage;
};

}  // namespace vimbrel::controller
