// Messages between the thumbnail cache, its threads and the browser.
#pragma once

#include <windows.h>

namespace vimbrel::browser {

// Posted by the folder watch (and after a video turned out to have no
// picture): names in the folder changed, rescan. lParam 0; wParam 0, or
// kRefreshListed from a watch that has listed the folder already: the
// cache takes that listing instead of listing the folder itself.
constexpr UINT WM_BROWSE_REFRESH = 0x4DC;
constexpr WPARAM kRefreshListed = 1;
// Sent: the cell of entry lParam has its thumbnail now. wParam 0.
constexpr UINT WM_THUMBNAIL_READY = 0x4DD;

}  // namespace vimbrel::browser
