// SetShootMode: the shoot-mode rules acting on the camera through the
// engine's own quality and control exports, so that their refusals (not
// ready, no such control) hold here too.
#include "engine/include/CameraApi.h"
#include "engine/win/EffectExports.h"
#include "engine/win/ExportGuard.h"
#include "engine/core/ShootMode.h"

namespace camera {

namespace {

class CEngineShootModeTarget : public IShootModeTarget {
public:
    bool GetGamma(long& value) override { return GetVideoQuality(VideoProcAmp_Gamma, &value) == 1; }
    bool SetGamma(long value) override { return SetVideoQuality(VideoProcAmp_Gamma, value) == 1; }
    bool GetExposure(long& value) override { return GetCameraControl(CameraControl_Exposure, &value) == 1; }
    bool SetExposure(long value) override { return SetCameraControl(CameraControl_Exposure, value) == 1; }
    bool SetGammaCorrect(bool on) override { return ::SetGammaCorrect(on ? 1 : 0) == 1; }
    bool ApplyShootGamma(bool on) override { return camera::ApplyShootGamma(Engine(), on) == 1; }
};

}  // namespace

}  // namespace camera

using namespace camera;

CAMERA_API int CAMERA_CALL SetShootMode(int shootMode) {
    return GuardedExport([=] {
        CEngineShootModeTarget target;
        return ChangeShootMode(Engine().values, shootMode, target);
    });
}
