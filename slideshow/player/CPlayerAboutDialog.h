// The player's About box: its name, version and icon, with an OK button.
#pragma once

#include "framework/CDialog.h"

namespace slideshow {

class CPlayerAboutDialog : public framework::CDialog {
public:
    explicit CPlayerAboutDialog(HWND parent);
};

}  // namespace slideshow
