// Messages between the thumbnail cache, its threads and the browser.
#pragma once

#include <windows.h>

namespace vimbrel::browser {

// Posted by the folder watch (and after a video turned out to have no
// picture): names in the folder changed, rescan. wParam 0, lParam 0.
constexpr UINT WM_BROWSE_REFRESH = 0x4DC;
// Sent: the cell of entry lParam has its thumbnail now. wParam 0.
constexpr UINT WM_THUMBNAIL_READY = 0x4DD;

}  // namespace vimbrel::browser
