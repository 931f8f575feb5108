// Numbers the canvas shares with its owner and with the program's string
// table.
#pragma once

#include "StampTransform.h"

#include <windows.h>

namespace vimbrel::canvas {

// Posted to the owner (wParam 0, lParam 0) on the first recorded edit after
// a picture was set or saved.
constexpr UINT WM_PHOTO_MODIFIED = 0x4E6;

// The canvas's own timer: notices the mouse leaving while a stroke or a
// stamp preview is under way.
constexpr UINT_PTR kCanvasTimerId = 1;
constexpr UINT kCanvasTimerMs = 50;

// Context menu commands; the stamp's turns and flips are the numbers the
// stamp transform takes.
enum CanvasCommand : UINT {
    kCmdUndo = 150,
    kCmdRedo = 151,
    kCmdRotate90 = kStampRotate90,
    kCmdRotate180 = kStampRotate180,
    kCmdRotate270 = kStampRotate270,
    kCmdFlipHorizontal = kStampFlipHorizontal,
    kCmdFlipVertical = kStampFlipVertical,
    kCmdReloadImage = 157,
    kCmdStandard = kStampStandard,
};

// The program's string table: the menu texts and the reload question.
enum CanvasString : UINT {
    kStrUndo = 144,
    kStrRepeat = 145,
    kStrRotate90 = 146,
    kStrRotate180 = 147,
    kStrRotate270 = 148,
    kStrFlipHorizontal = 149,
    kStrFlipVertical = 150,
    kStrStandard = 151,
    kStrRotateStamp = 152,
    kStrReloadImage = 153,
    kStrReloadQuestion = 154,
};

// Cursor slots of SetCursorImage.
enum CanvasCursorSlot : int {
    kCursorPen = 0,
    kCursorPenSecondTip = 1,
    kCursorStamp = 2,
    kCursorBusy = 3,
    kCursorEditingOff = 4,
    kCursorArrow = 5,
};

enum CanvasTool : int { kToolPen = 0, kToolPictureStamp = 1, kToolBrushStamp = 2, kToolNone = 3 };

}  // namespace vimbrel::canvas
