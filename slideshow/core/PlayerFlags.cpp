#include "PlayerFlags.h"

namespace slideshow {

PlayerFlags& SharedPlayerFlags() {
    static PlayerFlags flags;
    return flags;
}

}  // namespace slideshow
