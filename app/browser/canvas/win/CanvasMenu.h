// The canvas's context menu: undo, repeat, the stamp submenu and reload,
// with texts from the program's string table.
#pragma once

#include "winowners/KernelOwners.h"

#include <windows.h>

namespace vimbrel::canvas {

class CCanvasMenu {
public:
    CCanvasMenu() = default;
    CCanvasMenu(const CCanvasMenu&) = delete;
    CCanvasMenu& operator=(const CCanvasMenu&) = delete;

    // Texts come from `module`'s string table; false when a menu cannot be made.
    bool Build(HINSTANCE module);

    // Greys what does not apply now.
    void Update(bool canUndo, bool canRedo, bool stampTool, bool modified);

    HMENU Menu() const { return menu_.get(); }
    HMENU StampMenu() const { return stampMenu_; }
    // Where the stamp submenu sits in the menu.
    static constexpr UINT kStampMenuPosition = 3;

private:
    winowners::UniqueMenu menu_;  // destroys stampMenu_ with itself
    HMENU stampMenu_ = nullptr;
};

}  // namespace vimbrel::canvas
