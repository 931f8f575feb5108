#pragma once
// Test doubles around the settings and device code: the scripted engine's
// function table, callbacks that write down what they were asked, a code
// page that widens bytes one to one, and a rig that wires them together.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "CControllerSettings.h"
#include "CEngineBinding.h"
#include "CEngineDevices.h"
#include "EngineApi.h"
#include "FakeEngine.h"
#include "FakeEngineCalls.h"
#include "FeatureCatalog.h"
#include "SettingsStore.h"

namespace vimbrel::controller::test {

// Every slot on the scripted engine, except the names in omit.
inline EngineApi FakeEngineApi(std::initializer_list<std::string_view> omit = {}) {
    EngineApi api;
#define VB_FAKE_SLOT(name, type) api.name = &fakeengine::name;
    VB_ENGINE_EXPORTS(VB_FAKE_SLOT)
#undef VB_FAKE_SLOT
    for (std::string_view left : omit) {
#define VB_FAKE_DROP(name, type)                                                                                       \
    if (left == #name) api.name = nullptr;
        VB_ENGINE_EXPORTS(VB_FAKE_DROP)
#undef VB_FAKE_DROP
    }
    return api;
}

class CRecordingCallbacks final : public IControllerCallbacks {
public:
    void RefreshOverlay() override { Add("RefreshOverlay"); }
    void RelayoutFunctionPanel() override { Add("RelayoutFunctionPanel"); }
    void UpdateItemPopup(int id) override { Add("UpdateItemPopup(" + Hex(id) + ")"); }
    void UpdateDateOverlay(int type) override { Add("UpdateDateOverlay(" + std::to_string(type) + ")"); }
    void ClearLastDateText() override { Add("ClearLastDateText"); }
    void NotifySliderListeners(int kind, std::intptr_t w, std::intptr_t l) override {
        Add("Notify(" + std::to_string(kind) + "," + std::to_string(w) + "," + std::to_string(l) + ")");
    }
    void ApplyPhotoEffect(int entry) override { Add("ApplyPhotoEffect(" + std::to_string(entry) + ")"); }
    void SetPhotoFrame(int entry) override { Add("SetPhotoFrame(" + std::to_string(entry) + ")"); }
    void SetPenColor(int value) override { Add("SetPenColor(" + std::to_string(value) + ")"); }
    void SetStamp(int value) override { Add("SetStamp(" + std::to_string(value) + ")"); }
    void SetCanvasTool(int tool) override { Add("SetCanvasTool(" + std::to_string(tool) + ")"); }
    void SetCanvasPenWidth(int width) override { Add("SetCanvasPenWidth(" + std::to_string(width) + ")"); }
    int BindVideoQuality() override {
        Add("BindVideoQuality");
        return bindVideoQualityResult;
    }
    void RebindCameraModule() override { Add("RebindCameraModule"); }

    int Count(const std::string& call) const {
        int n = 0;
        for (const std::string& each : calls) n += each == call ? 1 : 0;
        return n;
    }

    std::vector<std::string> calls;
    int bindVideoQualityResult = 1;

private:
    void Add(std::string call) { calls.push_back(std::move(call)); }
    static std::string Hex(int id) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%X", id);
        return text;
    }
};

// Bytes below 0x80 and Latin-1 letters widen as they are; 0xFF stands for
// a byte the code page cannot convert.
class CLatin1CodePage final : public ITextCodePage {
public:
    std::optional<std::u16string> AnsiToWide(std::string_view text) const override {
        std::u16string wide;
        for (char c : text) {
            auto byte = static_cast<unsigned char>(c);
            if (byte == 0xFF) return std::nullopt;
            wide += static_cast<char16_t>(byte);
        }
        return wide;
    }
    // Units above 0xFE have no byte here.
    std::optional<std::string> WideToAnsi(std::u16string_view text) const override {
        std::string ansi;
        for (char16_t unit : text) {
            if (unit >= 0xFF) return std::nullopt;
            ansi += static_cast<char>(unit);
        }
        return ansi;
    }
};

// The settings and device code over the scripted engine and a store in
// memory, with the catalogue items the engine's lists fill.
struct ControllerRig {
    ControllerRig() {
        fakeengine::Engine().Reset();
        catalog.AddItem(0x280103, 0, u"Resolution", kCatalogItem, 0, 0);
        catalog.AddItem(0x030104, 1, u"Resolution", kCatalogItem, 0, 0);
        catalog.AddItem(0x030107, 2, u"ASFQuality", kCatalogItem, 0, 0);
        catalog.AddItem(0x040108, 3, u"WMAQuality", kCatalogItem, 0, 0);
    }

    void AttachFake(std::initializer_list<std::string_view> omit = {}) {
        engine.Attach(&moduleToken, FakeEngineApi(omit));
    }
    void Script(std::string_view script) { ASSERT_TRUE(fakeengine::Engine().Script(script)); }
    std::vector<std::string> EngineLog() const { return fakeengine::Engine().Log(); }
    void ClearLogs() {
        fakeengine::Engine().ClearLog();
        callbacks.calls.clear();
    }
    std::vector<std::u16string> Entries(int settingId) const {
        std::vector<std::u16string> texts;
        for (const CatalogEntry* e = catalog.Entries(settingId); e; e = e->next.get()) texts.push_back(e->text);
        return texts;
    }
    std::optional<std::uint32_t> Stored(int settingId) const { return store.ReadDword(SettingValueName(settingId)); }

    int moduleToken = 0;
    CMemorySettingsStore store;
    CRecordingCallbacks callbacks;
    CLatin1CodePage codePage;
    CFeatureCatalog catalog;
    CEngineBinding engine{callbacks, codePage};
    CControllerSettings settings{engine, store, callbacks, u"C:\\Vimbrel"};
    CEngineDevices devices{engine, settings, catalog, callbacks};
};

inline bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    for (const std::string& each : lines) {
        if (each == line) return true;
    }
    return false;
}

}  // namespace vimbrel::controller::test
