#include "CPlayerAboutDialog.h"

#include "FlickwandIds.h"

namespace slideshow {

CPlayerAboutDialog::CPlayerAboutDialog(HWND parent) : framework::CDialog(IDD_PLAYER_ABOUT, parent) {}

}  // namespace slideshow
