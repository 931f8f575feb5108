#pragma once
// The bound capture engine: its entry points, whether the library was
// loaded, the device counts and resolution lists it reported, the mirror
// mode it was last given, and the thin operations that pass straight
// through to it. Every operation answers 0 when the library is not loaded
// or its slot is null.

#include <string>

#include "EngineApi.h"
#include "EnginePorts.h"
#include "ResolutionList.h"

namespace vimbrel::controller {

class CEngineBinding {
public:
    CEngineBinding(IControllerCallbacks& callbacks, const ITextCodePage& codePage)
        : callbacks_(callbacks), codePage_(codePage) {}
    CEngineBinding(const CEngineBinding&) = delete;
    CEngineBinding& operator=(const CEngineBinding&) = delete;

    // module is the loaded library (any non-null token in tests); the
    // binding does not own it.
    void Attach(void* module, const EngineApi& api);
    bool IsLoaded() const { return module_ != nullptr; }
    void* Module() const { return module_; }
    const EngineApi& Api() const { return api_; }
    // Sets the bound-once flag and answers whether it was already set.
    bool MarkBound();

    int videoDeviceCount = 0;
    int audioDeviceCount = 0;
    CResolutionList imageList;
    CResolutionList videoList;

    // The engine's SetVideoFormat (index, 0); the date overlay is drawn
    // anew on the new format. 0 for a negative index.
    int SetVideoFormat(int formatIndex);

    int GetVideoQuality(int property, int* value);
    int SetVideoQuality(int property, int value);
    // -1 resets properties 0, 1, 2, 3, 4, 5, 7 and 8 and answers 1.
    int SetDefaultVideoQuality(int property);
    int GetVideoQualityRange(int property, int* minimum, int* maximum, int* defaultValue);

    // Calls the engine unless force is 0 and on is what it already has;
    // keeps on only when the engine takes it.
    int SetMirrorMode(int on, int force);
    int GetMirrorMode() const { return mirrorMode_; }
    // The value read back at start, before any engine call.
    void KeepMirrorMode(int on) { mirrorMode_ = on != 0 ? 1 : 0; }

    // 0..6; 1 whatever the engine answers.
    int SetShootMode(int shootMode);
    // Always 1.
    int ShowCameraProperties(EngineWindow parent);

    // The engine's device name widened from ANSI into out (260 units,
    // always terminated); *index == -1 asks for the count.
    int GetVideoDeviceName(int* index, char16_t* out);
    int GetAudioDeviceName(int* index, char16_t* out);

private:
    using DeviceNameFn = int(VB_CDECL*)(int*, char*);
    int GetDeviceName(DeviceNameFn query, int* index, char16_t* out);

    IControllerCallbacks& callbacks_;
    const ITextCodePage& codePage_;
    void* module_ = nullptr;
    EngineApi api_;
    bool boundOnce_ = false;
    int mirrorMode_ = 0;
};

}  // namespace vimbrel::controller
