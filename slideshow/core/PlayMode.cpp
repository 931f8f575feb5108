#include "PlayMode.h"

namespace slideshow {

std::atomic<int>& SharedPlayMode() {
    static std::atomic<int> mode{kPlayCrossFade};
    return mode;
}

}  // namespace slideshow
