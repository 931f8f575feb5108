#include "CanvasMenu.h"

#include "PhotoCanvasIds.h"

#include <string>
#include <utility>

namespace vimbrel::canvas {

namespace {

std::wstring LoadText(HINSTANCE module, UINT id) {
    const wchar_t* text = nullptr;
    // Length 0 asks for a read-only pointer into the resource itself.
    const int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    return (length > 0 && text) ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

bool AddItem(HMENU menu, HINSTANCE module, UINT command, UINT text) {
    return AppendMenuW(menu, MF_STRING, command, LoadText(module, text).c_str()) != FALSE;
}

bool AddSeparator(HMENU menu) { return AppendMenuW(menu, MF_SEPARATOR, 0, nullptr) != FALSE; }

}  // namespace

bool CCanvasMenu::Build(HINSTANCE module) {
    winowners::UniqueMenu menu(CreatePopupMenu());
    winowners::UniqueMenu stampOwner(CreatePopupMenu());
    if (!menu || !stampOwner) return false;
    HMENU stamp = stampOwner.get();
    bool ok = AddItem(stamp, module, kCmdRotate90, kStrRotate90) &&
              AddItem(stamp, module, kCmdRotate180, kStrRotate180) &&
              AddItem(stamp, module, kCmdRotate270, kStrRotate270) && AddSeparator(stamp) &&
              AddItem(stamp, module, kCmdFlipHorizontal, kStrFlipHorizontal) &&
              AddItem(stamp, module, kCmdFlipVertical, kStrFlipVertical) && AddSeparator(stamp) &&
              AddItem(stamp, module, kCmdStandard, kStrStandard);
    ok = ok && AddItem(menu.get(), module, kCmdUndo, kStrUndo) && AddItem(menu.get(), module, kCmdRedo, kStrRepeat) &&
         AddSeparator(menu.get());
    const bool attached = ok && AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(stamp),
                                            LoadText(module, kStrRotateStamp).c_str());
    // An attached submenu is destroyed with the menu it sits in.
    if (attached) stampOwner.release();
    ok = attached && AddSeparator(menu.get()) && AddItem(menu.get(), module, kCmdReloadImage, kStrReloadImage);
    if (!ok) return false;
    menu_ = std::move(menu);
    stampMenu_ = stamp;
    return true;
}

void CCanvasMenu::Update(bool canUndo, bool canRedo, bool stampTool, bool modified) {
    if (!menu_) return;
    const auto state = [](bool on) { return on ? MF_ENABLED : MF_GRAYED; };
    EnableMenuItem(menu_.get(), kCmdUndo, MF_BYCOMMAND | state(canUndo));
    EnableMenuItem(menu_.get(), kCmdRedo, MF_BYCOMMAND | state(canRedo));
    EnableMenuItem(menu_.get(), kStampMenuPosition, MF_BYPOSITION | state(stampTool));
    EnableMenuItem(menu_.get(), kCmdReloadImage, MF_BYCOMMAND | state(modified));
}

}  // namespace vimbrel::canvas
