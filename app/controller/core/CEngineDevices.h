#pragma once
// The engine's start on the preview window, the choice of camera and
// microphone with their stored names, and the lists built from what the
// engine reports: the picture sizes of the camera (sorted, without
// duplicates) and the bitrates, which become the entries of the
// resolution and quality items of the feature catalogue.

#include "CControllerSettings.h"
#include "CEngineBinding.h"
#include "EnginePorts.h"
#include "FeatureCatalog.h"

namespace vimbrel::controller {

// Video recording takes sizes up to this; still pictures take any.
constexpr int kMaxVideoWidth = 640;
constexpr int kMaxVideoHeight = 480;

class CEngineDevices {
public:
    CEngineDevices(CEngineBinding& engine, CControllerSettings& settings, CFeatureCatalog& catalog,
                   IControllerCallbacks& callbacks)
        : engine_(engine), settings_(settings), catalog_(catalog), callbacks_(callbacks) {}
    CEngineDevices(const CEngineDevices&) = delete;
    CEngineDevices& operator=(const CEngineDevices&) = delete;

    int StartEngine(EngineWindow preview);
    EngineWindow PreviewWindow() const { return preview_; }

    int BuildResolutionLists(int apply);
    int AddImageResolution(int formatIndex, int width, int height);
    int AddVideoResolution(int formatIndex, int width, int height);
    int HasImageResolution(int width, int height) const;
    int HasVideoResolution(int width, int height) const;
    int BuildVideoBitrateList();
    int BuildAudioBitrateList();

    int SelectVideoDevice(int index);
    int SelectAudioDevice(int index);

private:
    using BitrateFn = int(VB_CDECL*)(int*, int*);
    int BuildBitrateList(int settingId, BitrateFn query);
    void FillResolutionItem(int settingId, const CResolutionList& list);
    bool InVideoMode() const;

    CEngineBinding& engine_;
    CControllerSettings& settings_;
    CFeatureCatalog& catalog_;
    IControllerCallbacks& callbacks_;
    EngineWindow preview_ = nullptr;
};

}  // namespace vimbrel::controller
