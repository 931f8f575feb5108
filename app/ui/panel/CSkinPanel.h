// A skinned button bar: a child window cut out of a mask whose coloured
// areas are its buttons, drawn from whole-panel pictures, with toggles,
// tooltips, auto-repeat for the zoom keys and its sliders.
#pragma once

#include "CMemoryPicture.h"
#include "CSkinSlider.h"
#include "CSkinSource.h"
#include "IPanelController.h"
#include "PanelLogic.h"
#include "SkinMask.h"
#include "SkinPictures.h"
#include "winowners/GdiOwners.h"
#include "CSkinControl.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vimbrel::ui {

class CSkinPanel : public CSkinControl, private IPanelEffects {
public:
    explicit CSkinPanel(IPanelController& controller);
    ~CSkinPanel() override;

    // Reads "<panelName>.txt" and the pictures it names from `skinSource`
    // (empty: the program's resources, type `panelName`) and makes the
    // window at (x, y) on `parent`. False, with no window, when the
    // configuration, the back picture or the mask cannot be read.
    bool Create(HWND parent, int x, int y, const std::wstring& panelName, const std::wstring& skinSource = L"");

    int Width() const { return width_; }
    int Height() const { return height_; }
    size_t ButtonCount() const { return buttons_.size(); }
    Colour ButtonKey(size_t button) const { return buttons_[button].key; }
    RECT ButtonBounds(size_t button) const { return buttons_[button].bounds; }
    const CPanelLogic* Logic() const { return logic_ ? &*logic_ : nullptr; }
    CSkinSlider* SliderFor(Colour key) const;
    HWND Tooltip() const { return tooltip_; }
    // The tool of a button carries its own id.
    static UINT_PTR ToolId(size_t button) { return 123 + button; }
    // The panel's resting picture, as painting copies it.
    HDC Picture() const { return memory_.Dc(); }

    bool PreTranslateMessage(MSG& msg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

    // Where a panel of another program differs (the slide-show player's
    // control bar); the defaults are the main program's panel.
    // The configuration "<panelName>.txt" from the panel's skin source.
    virtual bool ReadConfiguration(const std::wstring& panelName, PanelSkinConfig& config);
    // The window itself: a visible child of `parent` at (x, y).
    virtual bool CreatePanelWindow(HWND parent, int x, int y, int width, int height);
    virtual bool CreatesSliders() const { return true; }
    virtual UINT_PTR ToolIdOf(size_t button) const { return ToolId(button); }

    const CSkinSource& Source() const { return source_; }
    CPanelLogic* MutableLogic() { return logic_ ? &*logic_ : nullptr; }

    void DrawFace(size_t button, ButtonFace face, bool lasting) override;
    void ButtonPressed(Colour key) override;
    void ButtonReleased(Colour key) override;
    void SetTip(size_t button, bool pauseTip) override;

private:
    struct Button {
        Colour key = 0;
        winowners::UniqueRegion region;
        RECT bounds{};
        int toggle = -1;  // index into toggles_, -1 for none
    };
    struct Toggle {
        Colour key = 0;
        CPatternBrush faces[4];  // alternate normal, hover, pressed, disabled
    };

    void CaptureMouse() override;
    void ReleaseMouse() override;
    void StartRepeat() override;
    void StopRepeat() override;

    HBRUSH BrushFor(size_t button, ButtonFace face) const;
    int HitTest(LPARAM point) const;
    bool MakeSliders(const std::vector<SliderSkin>& sliders, const CSkinMask& mask);
    void Release();

    IPanelController& controller_;
    CSkinSource source_;
    int width_ = 0, height_ = 0;
    CPatternBrush back_, down_, over_, disable_;
    CMemoryPicture memory_;
    std::vector<Button> buttons_;
    std::vector<Toggle> toggles_;
    std::vector<std::unique_ptr<CSkinSlider>> sliders_;
    std::optional<CPanelLogic> logic_;
    HWND tooltip_ = nullptr;
};

}  // namespace vimbrel::ui
