// The camera's video formats as the caller sees them.
#include "engine/include/CameraApi.h"
#include "engine/win/ExportGuard.h"
#include "engine/win/FormatSwitch.h"
#include "engine/win/MediaGuids.h"

#include <cstring>

namespace camera {

namespace {

int DescribeFormat(int* index, char* subtypeName, int* width, int* height) {
    CaptureEngineState& state = Engine();
    if (!state.values.ready || index == nullptr) return 0;
    if (*index == -1) {
        *index = state.videoFormats.Count();
        return 1;
    }
    CVideoFormat* format = state.videoFormats.At(*index);
    if (format == nullptr || subtypeName == nullptr || width == nullptr || height == nullptr) return 0;
    // The names are at most six characters; callers give room for seven.
    std::strncpy(subtypeName, VideoSubtypeName(ToMediaGuid(format->Type().subtype)), 7);
    subtypeName[6] = '\0';
    *width = format->Width();
    *height = format->Height();
    return 1;
}

}  // namespace

}  // namespace camera

using namespace camera;

CAMERA_API int CAMERA_CALL GetVideoFormat(int* index, char* subtypeName, int* width, int* height) {
    return GuardedExport([=] { return DescribeFormat(index, subtypeName, width, height); });
}

CAMERA_API int CAMERA_CALL SetVideoFormat(int index, int force) {
    return GuardedExport([=] { return ApplyVideoFormat(Engine(), index, force); });
}
