#pragma once
// The controller over the scripted engine, a store in memory and ports that
// write down every call in one log, wired through the program's start-up
// order: settings, engine start on the preview, canvas, windows, tab strip,
// panels, start.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "ButtonKeys.h"
#include "CCameraController.h"
#include "EngineTestDoubles.h"

namespace vimbrel::controller::test {

// Window handles the tests make up; only their identity matters.
inline ControllerWindow FakeWindow(int n) {
    return reinterpret_cast<ControllerWindow>(static_cast<std::uintptr_t>(0x1000 + 16 * n));
}

enum FakeWindowId {
    kPanel0 = 0,
    kPreview = 6,
    kCanvas,
    kMain,
    kOverlay,
    kWheel,
    kPicture,
    kFunctionPanel,
    kTabs,
    kListener0
};

// The key colour as the skin writes it, RRGGBB.
inline std::string Rgb(std::uint32_t key) {
    char text[8];
    std::snprintf(text, sizeof text, "%06X",
                  static_cast<unsigned>(((key & 0xFF) << 16) | (key & 0xFF00) | ((key >> 16) & 0xFF)));
    return text;
}

class CRecordingPorts final : public IControllerView,
                              public IControllerWindows,
                              public ICaptureSequences,
                              public IMediaFiles,
                              public IBrowseControl,
                              public ICameraModule,
                              public ISystemClock {
public:
    // --- view
    bool EnableButton(ControllerWindow p, std::uint32_t key, bool on) override {
        return Add("Enable(" + Name(p) + "," + Rgb(key) + "," + Bit(on) + ")");
    }
    bool SetToggle(ControllerWindow p, std::uint32_t key, bool alt) override {
        return Add("Toggle(" + Name(p) + "," + Rgb(key) + "," + Bit(alt) + ")");
    }
    bool ResetToggles(ControllerWindow p) override { return Add("Reset(" + Name(p) + ")"); }
    bool DisableAll(ControllerWindow p) override { return Add("DisableAll(" + Name(p) + ")"); }
    bool Show(ControllerWindow w, bool show) override { return Add("Show(" + Name(w) + "," + Bit(show) + ")"); }
    bool Minimize(ControllerWindow w) override { return Add("Minimize(" + Name(w) + ")"); }
    bool Close(ControllerWindow w) override { return Add("Close(" + Name(w) + ")"); }
    void ReleaseMouseCapture() override { Add("ReleaseCapture"); }
    bool Send(ControllerWindow w, unsigned message, std::intptr_t wp, std::intptr_t lp) override {
        char text[32];
        std::snprintf(text, sizeof text, "0x%X", message);
        return Add("Send(" + Name(w) + "," + text + "," + std::to_string(wp) + "," + std::to_string(lp) + ")");
    }
    // --- windows of the other parts
    ControllerWindow CreateStatusOverlay(ControllerWindow, const ControllerRect&, int m) override {
        Add("CreateStatusOverlay(" + std::to_string(m) + ")");
        return FakeWindow(kOverlay);
    }
    ControllerWindow CreateModeWheel(ControllerWindow, const ControllerRect&) override {
        Add("CreateModeWheel");
        return FakeWindow(kWheel);
    }
    ControllerWindow CreateModePicture(ControllerWindow, const ControllerRect&) override {
        Add("CreateModePicture");
        return FakeWindow(kPicture);
    }
    ControllerWindow CreateFunctionPanel(ControllerWindow, const ControllerRect&) override {
        Add("CreateFunctionPanel");
        return FakeWindow(kFunctionPanel);
    }
    int SetOverlayTime(int s) override { return Add("SetOverlayTime(" + std::to_string(s) + ")"); }
    int SetOverlayIcon(int i) override { return Add("SetOverlayIcon(" + std::to_string(i) + ")"); }
    int SetWheelMode(int m, int a) override {
        return Add("SetWheelMode(" + std::to_string(m) + "," + std::to_string(a) + ")");
    }
    int ShowModePicture(int m) override { return Add("ShowModePicture(" + std::to_string(m) + ")"); }
    int SetFunctionPanelMode(int m) override { return Add("SetFunctionPanelMode(" + std::to_string(m) + ")"); }
    int RelayoutFunctionPanel() override { return Add("RelayoutFunctionPanel"); }
    int UpdateItemPopup(int id) override { return Add("UpdateItemPopup(" + std::to_string(id) + ")"); }
    int SelectBrowseTab(int kind) override { return Add("SelectBrowseTab(" + std::to_string(kind) + ")"); }
    int QueryLeaveBrowse() override {
        Add("QueryLeaveBrowse");
        return leaveAnswer;
    }
    int ShowAbout(ControllerWindow owner) override { return Add("ShowAbout(" + Name(owner) + ")"); }
    void DestroyWindows() override { Add("DestroyWindows"); }
    // --- capture sequences
    int CaptureImage() override { return Add("CaptureImage"); }
    void StartImageTimer(int p) override { Add("StartImageTimer(" + std::to_string(p) + ")"); }
    void StartRecordTimer(int p) override { Add("StartRecordTimer(" + std::to_string(p) + ")"); }
    void StartBurst(int n) override { Add("StartBurst(" + std::to_string(n) + ")"); }
    void StartRecordingTime() override { Add("StartRecordingTime"); }
    int UpdateDateOverlay(int t) override { return Add("UpdateDateOverlay(" + std::to_string(t) + ")"); }
    void ClearLastDateText() override { Add("ClearLastDateText"); }
    void StopWorkers() override {
        Add("StopWorkers");
        engineCallsAtStopWorkers = fakeengine::Engine().Log().size();
    }
    // --- media files
    int MakeCaptureName(int kind, std::u16string* name) override {
        Add("MakeCaptureName(" + std::to_string(kind) + ")");
        if (!nameAvailable) return 0;
        static const char16_t* const kNames[] = {u"C:\\M\\image0001.jpg", u"C:\\M\\video0001.wmv",
                                                 u"C:\\M\\audio0001.wma", u"C:\\M\\monitor0001.jpg"};
        *name = nameOverride.empty() ? kNames[kind] : nameOverride;
        return 1;
    }
    int StartSlideShow() override { return Add("StartSlideShow"); }
    int MailSelected() override { return Add("MailSelected"); }
    int PrintSelected() override { return Add("PrintSelected"); }
    // --- browse and canvas
    int ShowMediaFile(const char16_t* path, int cls) override {
        return Add(std::string("ShowMediaFile(") + (path ? "path" : "null") + "," + std::to_string(cls) + ")");
    }
    int ShowAudioPicture() override { return Add("ShowAudioPicture"); }
    int StopPlayback() override { return Add("StopPlayback"); }
    int PlayPause() override { return Add("PlayPause"); }
    int SetPlaybackPosition(int p) override { return Add("SetPlaybackPosition(" + std::to_string(p) + ")"); }
    int Navigate(int d) override { return Add("Navigate(" + std::to_string(d) + ")"); }
    int QuerySaveModified() override {
        Add("QuerySaveModified");
        return saveAnswer;
    }
    int SaveModifiedPhoto() override { return Add("SaveModifiedPhoto"); }
    void ApplyPhotoEffect(int e) override { Add("ApplyPhotoEffect(" + std::to_string(e) + ")"); }
    void SetPhotoFrame(int e) override { Add("SetPhotoFrame(" + std::to_string(e) + ")"); }
    void SetPenColor(int v) override { Add("SetPenColor(" + std::to_string(v) + ")"); }
    void SetStamp(int e) override { Add("SetStamp(" + std::to_string(e) + ")"); }
    void SetCanvasTool(int t) override { Add("SetCanvasTool(" + std::to_string(t) + ")"); }
    void SetCanvasPenWidth(int w) override { Add("SetCanvasPenWidth(" + std::to_string(w) + ")"); }
    // --- camera module and clock
    int BindVideoQuality() override { return Add("BindVideoQuality"); }
    void RebindCameraModule() override { Add("RebindCameraModule"); }
    void StopRotationPoll() override { Add("StopRotationPoll"); }
    int MillisecondOfMinute() const override { return now; }

    std::vector<std::string> calls;
    int saveAnswer = 7;
    int leaveAnswer = 7;
    bool nameAvailable = true;
    std::u16string nameOverride;
    int now = 0;
    std::size_t engineCallsAtStopWorkers = 0;

private:
    bool Add(std::string call) {
        calls.push_back(std::move(call));
        return true;
    }
    static std::string Bit(bool on) { return on ? "1" : "0"; }
    static std::string Name(ControllerWindow w) {
        static const char* const kNames[] = {"p0",     "p1",   "p2",      "p3",    "p4",      "p5",       "preview",
                                             "canvas", "main", "overlay", "wheel", "picture", "function", "tabs"};
        for (int i = 0; i < 14; ++i) {
            if (w == FakeWindow(i)) return kNames[i];
        }
        for (int i = 0; i < 12; ++i) {
            if (w == FakeWindow(kListener0 + i)) return "listener" + std::to_string(i);
        }
        return "?";
    }
};

struct CameraControllerRig {
    explicit CameraControllerRig(
        const char* script = "video_devices=Cam;audio_devices=Mic;formats=640x480|320x240|1280x1024") {
        fakeengine::Engine().Reset();
        EXPECT_TRUE(fakeengine::Engine().Script(script));
        catalog.AddItem(0x280103, 0, u"Resolution", kCatalogItem, 0, 0);
        catalog.AddItem(0x030104, 1, u"Resolution", kCatalogItem, 0, 0);
        catalog.AddItem(0x030107, 2, u"ASFQuality", kCatalogItem, 0, 0);
        catalog.AddItem(0x040108, 3, u"WMAQuality", kCatalogItem, 0, 0);
    }

    // The main dialog's start-up, with the settings read first; the logs
    // are cleared afterwards. Answers what Start answered.
    int StartUp(bool withEngine = true) {
        controller.InitLook(1033);
        controller.Settings().LoadSettings();
        if (withEngine) controller.Engine().Attach(&moduleToken, FakeEngineApi());
        controller.SetMainWindow(FakeWindow(kMain));
        controller.StartEngine(FakeWindow(kPreview));
        controller.SetPhotoCanvas(FakeWindow(kCanvas));
        controller.CreateFunctionPanel(FakeWindow(kMain), {});
        controller.CreateModeWheel(FakeWindow(kMain), {});
        controller.CreateStatusOverlay(FakeWindow(kMain), {}, 0);
        controller.SetBrowseWindow(FakeWindow(kTabs), u"I", u"V", u"A", u"M");
        controller.SetModePanels(Panels());
        controller.CreateModePicture(FakeWindow(kMain), {});
        controller.SetBannerRect(1, 2, 3, 4);
        int started = controller.Start();
        ClearLogs();
        return started;
    }
    static std::array<ControllerWindow, kModeCount> Panels() {
        std::array<ControllerWindow, kModeCount> panels{};
        for (int i = 0; i < kModeCount; ++i) panels[static_cast<std::size_t>(i)] = FakeWindow(i);
        return panels;
    }
    void Store(int settingId, int value) { store.WriteDword(SettingValueName(settingId), value); }
    std::optional<std::uint32_t> Stored(int settingId) const { return store.ReadDword(SettingValueName(settingId)); }
    void ClearLogs() {
        fakeengine::Engine().ClearLog();
        ports.calls.clear();
    }
    std::vector<std::string> EngineLog() const { return fakeengine::Engine().Log(); }
    // The calls of the ports whose text starts with prefix.
    std::vector<std::string> Calls(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& call : ports.calls)
            if (call.compare(0, prefix.size(), prefix) == 0) found.push_back(call);
        return found;
    }
    // Refuses the named engine calls from now on, keeping the log.
    void Refuse(const std::string& names) {
        auto keep = fakeengine::Engine().Log();
        std::string script = "video_devices=Cam;audio_devices=Mic;formats=640x480|320x240|1280x1024;refuse=" + names;
        EXPECT_TRUE(fakeengine::Engine().Script(script));
        for (const std::string& line : keep) fakeengine::Engine().Record(line);
    }

    int moduleToken = 0;
    CMemorySettingsStore store;
    CLatin1CodePage codePage;
    CFeatureCatalog catalog;
    CRecordingPorts ports;
    CCameraController controller{
        ControllerPorts{ports, ports, store, codePage, ports, ports, ports, ports, ports, catalog, u"C:\\Vimbrel"}};
};

inline std::uint32_t Key(Button button) { return KeyOf(button); }

// A controller started in Mode_Video with the logs cleared.
class StartedControllerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(rig.StartUp(), 1); }
    void EnterMode(int mode) {
        ASSERT_EQ(rig.controller.SetMode(mode), 1);
        rig.ClearLogs();
    }
    int State() const { return rig.controller.GetCaptureState(); }
    CameraControllerRig rig;
};

}  // namespace vimbrel::controller::test
