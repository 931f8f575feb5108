// The modal about box: the about picture with the version line on it,
// faded in, closed by a click anywhere.
#pragma once

#include "AboutDialogIds.h"
#include "GdiplusSession.h"
#include "CMemoryPicture.h"
#include "framework/CDialog.h"

#include <windows.h>

#include <string>

namespace vimbrel::ui {

class CAboutDialog : public framework::CDialog {
public:
    // `versionLabel`: the language text the version number follows.
    explicit CAboutDialog(std::wstring versionLabel, HWND parent = nullptr, HINSTANCE module = nullptr);
    ~CAboutDialog() override { Destroy(); }

    // The line drawn on the picture, once the box is up.
    const std::wstring& VersionLine() const { return line_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    HDC Picture() const { return memory_.Dc(); }
    // False when no font family at all could be found for the line.
    bool TextDrawn() const { return textDrawn_; }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool DrawVersionLine();

    CGdiplusSession gdiplus_;
    std::wstring label_;
    std::wstring line_;
    int width_ = 0, height_ = 0;
    bool textDrawn_ = false;
    CMemoryPicture memory_;
};

}  // namespace vimbrel::ui
