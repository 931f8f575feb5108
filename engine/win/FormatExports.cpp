// The camera's video formats as the caller sees them.
#include "CameraApi.h"
#include "ExportGuard.h"
#include "FormatSwitch.h"

using namespace camera;

CAMERA_API int CAMERA_CALL SetVideoFormat(int index, int force)
{
    return GuardedExport([=] { return ApplyVideoFormat(Engine(), index, force); });
}
