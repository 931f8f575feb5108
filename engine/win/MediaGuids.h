// The portable rules' GUID layout and the platform's, one to the other.
#pragma once

#include "engine/core/VideoSubtypes.h"

#include <guiddef.h>

#include <cstring>

namespace camera {

static_assert(sizeof(MediaGuid) == sizeof(GUID), "the two layouts match");

inline MediaGuid ToMediaGuid(const GUID& guid) {
    MediaGuid copy;
    std::memcpy(&copy, &guid, sizeof copy);
    return copy;
}

inline GUID ToGuid(const MediaGuid& guid) {
    GUID copy;
    std::memcpy(&copy, &guid, sizeof copy);
    return copy;
}

}  // namespace camera
