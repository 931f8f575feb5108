#pragma once
// The seen and heard parts of a picture on Windows: the flash window and
// the shutter sound's MCI window are made and driven on the thread that
// built this object (the interface thread), through a message window of
// its own, so that they do not die with the burst or timer thread that
// asked for them. The board's copy, whose notice waits for the user, is
// posted there too, so no worker waits for the user. The banner is drawn
// on the main window from the banner thread with GDI+.

#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "CFlashWindow.h"
#include "SequencePorts.h"

namespace vimbrel::controller {

struct CaptureFxSetup {
    std::function<HWND()> mainWindow;
    // The folder of camera.wav, without a closing backslash.
    std::wstring programFolder;
    // The module whose TOLVEX resources hold banner.gif.
    HMODULE resources = nullptr;
    // The board's product name: the program's one query, asked off the
    // capture's path (CBoardProductQuery). Without it no board is known.
    std::function<std::u16string()> boardProduct;
    // The quirk's notice before the copy; a message box unless replaced.
    std::function<void(const std::wstring& folder)> notify;
};

class CWindowCaptureFx final : public ICaptureFx {
public:
    CWindowCaptureFx(CaptureFxSetup setup, IPanelAcpi& acpi);
    ~CWindowCaptureFx() override;
    CWindowCaptureFx(const CWindowCaptureFx&) = delete;
    CWindowCaptureFx& operator=(const CWindowCaptureFx&) = delete;

    std::unique_ptr<IBannerAnimation> OpenBanner() override;
    void Flash(bool on) override;
    void PlayShutterSound() override;
    bool BoardProductContains(std::u16string_view text) override;
    void CopyToPicturesFolder(const std::u16string& path) override;

    CFlashWindow& FlashWindow() { return flash_; }
    HWND SoundWindow() const { return sound_; }

private:
    static LRESULT CALLBACK HelperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void FlashHere(bool on);
    void PlaySoundHere();
    void CopyHere(const std::u16string& path);
    void CopyPending();
    void RunOnOwnThread(UINT message, WPARAM wParam);

    CaptureFxSetup setup_;
    CFlashWindow flash_;
    HWND helper_ = nullptr;
    HWND sound_ = nullptr;
    std::mutex productLock_;
    std::optional<std::u16string> product_;
    // Pictures waiting for their copy on this object's thread.
    std::mutex copyLock_;
    std::vector<std::u16string> copies_;
};

}  // namespace vimbrel::controller
