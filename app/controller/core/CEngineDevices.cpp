#include "CEngineDevices.h"

#include <algorithm>
#include <array>
#include <string>

namespace vimbrel::controller {
namespace {

// More formats than any camera lists: a bogus count must not keep the
// program asking for ever.
constexpr int kMaxFormatsAsked = 4096;
constexpr int kMaxBitratesAsked = 256;

std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

std::u16string SizeText(int width, int height) { return Ascii(std::to_string(width) + "x" + std::to_string(height)); }

std::u16string KbpsText(int bitsPerSecond) { return Ascii(std::to_string(bitsPerSecond / 1000) + " Kbps"); }

// A device-name buffer the engine may fill to the last unit and still be
// read as a terminated text.
using NameBuffer = std::array<char16_t, kDeviceNameCapacity + 1>;

NameBuffer CopyName(const char16_t* saved) {
    NameBuffer buffer{};
    std::copy_n(saved, kDeviceNameCapacity, buffer.data());
    buffer[kDeviceNameCapacity - 1] = u'\0';
    return buffer;
}

bool SameName(const char16_t* a, const char16_t* b) { return std::u16string_view(a) == std::u16string_view(b); }

void CopyInto(char16_t* field, const char16_t* text) {
    std::u16string_view view(text);
    std::size_t length = std::min(view.size(), kDeviceNameCapacity - 1);
    std::copy_n(view.data(), length, field);
    field[length] = u'\0';
}

}  // namespace

bool CEngineDevices::InVideoMode() const { return settings_.ModeId() == 0 || settings_.ModeId() == 1; }

int CEngineDevices::StartEngine(EngineWindow preview) {
    if (preview == nullptr || !engine_.IsLoaded()) return 0;
    preview_ = preview;
    const EngineApi& api = engine_.Api();
    if (!api.SetPreviewWnd || api.SetPreviewWnd(preview) != 1) return 0;

    SettingsBlock& block = settings_.Block();
    NameBuffer video = CopyName(block.videoDev);
    NameBuffer audio = CopyName(block.audioDev);
    // The saved resolution index points into our own sorted list, not the
    // engine's format list, so the engine keeps the camera's current format
    // (-1); the start of the controller sets the wanted one afterwards.
    if (!api.Initialize || api.Initialize(0, -1, EngineText(video.data()), EngineText(audio.data()),
                                          &engine_.videoDeviceCount, &engine_.audioDeviceCount) != 1)
        return 0;
    video.back() = u'\0';
    audio.back() = u'\0';
    // The engine opens another device when the saved one is gone; that one
    // becomes the saved one.
    if (!SameName(video.data(), block.videoDev)) {
        CopyInto(block.videoDev, video.data());
        settings_.SaveSettingString(u"VideoDev", block.videoDev);
    }
    if (!SameName(audio.data(), block.audioDev)) {
        CopyInto(block.audioDev, audio.data());
        settings_.SaveSettingString(u"AudioDev", block.audioDev);
    }

    if (!BuildResolutionLists(1)) return 0;

    if (block.imageResolutionIndex == -1) {
        block.imageResolutionIndex = engine_.imageList.FirstIndexOfWidth(640);
        if (const ResolutionEntry* entry = engine_.imageList.At(block.imageResolutionIndex)) {
            block.imageWidth = entry->width;
            block.imageHeight = entry->height;
        }
    }
    if (block.videoResolutionIndex == -1) {
        block.videoResolutionIndex = engine_.videoList.FirstIndexOfWidth(320);
        if (const ResolutionEntry* entry = engine_.videoList.At(block.videoResolutionIndex)) {
            block.videoWidth = entry->width;
            block.videoHeight = entry->height;
        }
    }

    if (!BuildVideoBitrateList() || !BuildAudioBitrateList() || !callbacks_.BindVideoQuality() ||
        !settings_.ReapplySettings())
        return 0;
    engine_.SetMirrorMode(engine_.GetMirrorMode(), 1);
    engine_.SetShootMode(block.shootMode);
    return 1;
}

int CEngineDevices::AddImageResolution(int formatIndex, int width, int height) {
    return engine_.imageList.Add(formatIndex, width, height);
}

int CEngineDevices::AddVideoResolution(int formatIndex, int width, int height) {
    return engine_.videoList.Add(formatIndex, width, height);
}

int CEngineDevices::HasImageResolution(int width, int height) const {
    return engine_.imageList.Has(width, height) ? 1 : 0;
}

int CEngineDevices::HasVideoResolution(int width, int height) const {
    return engine_.videoList.Has(width, height) ? 1 : 0;
}

void CEngineDevices::FillResolutionItem(int settingId, const CResolutionList& list) {
    catalog_.ClearEntries(settingId);
    CatalogItem* item = catalog_.Find(settingId);
    for (int i = 0; i < list.Count(); ++i) {
        const ResolutionEntry* entry = list.At(i);
        CFeatureCatalog::AddEntry(*item, SizeText(entry->width, entry->height));
    }
}

int CEngineDevices::BuildResolutionLists(int apply) {
    CResolutionList& images = engine_.imageList;
    CResolutionList& videos = engine_.videoList;
    images.Clear();
    videos.Clear();
    const EngineApi& api = engine_.Api();
    if (!engine_.IsLoaded() || !api.GetVideoFormat) return 0;

    std::array<char, 260> subtype{};
    int count = -1;
    int width = 0, height = 0;
    if (api.GetVideoFormat(&count, subtype.data(), &width, &height) != 1) return 0;
    count = std::min(count, kMaxFormatsAsked);
    for (int i = 0; i < count; ++i) {
        int index = i;
        width = 0;
        height = 0;
        if (api.GetVideoFormat(&index, subtype.data(), &width, &height) != 1) continue;
        if (width <= 0 || height <= 0) continue;
        if (!images.Has(width, height)) AddImageResolution(i, width, height);
        if (width <= kMaxVideoWidth && height <= kMaxVideoHeight && !videos.Has(width, height))
            AddVideoResolution(i, width, height);
    }

    // A saved index beyond the list falls back to its last entry. Sizes are
    // read only from an entry that exists: an empty list leaves index -1.
    SettingsBlock& block = settings_.Block();
    if (block.imageResolutionIndex >= images.Count()) block.imageResolutionIndex = images.Count() - 1;
    if (block.videoResolutionIndex >= videos.Count()) block.videoResolutionIndex = videos.Count() - 1;
    if (const ResolutionEntry* entry = images.At(block.imageResolutionIndex)) {
        block.imageWidth = entry->width;
        block.imageHeight = entry->height;
    }
    if (const ResolutionEntry* entry = videos.At(block.videoResolutionIndex)) {
        block.videoWidth = entry->width;
        block.videoHeight = entry->height;
    }
    callbacks_.RefreshOverlay();

    if (!catalog_.Find(kSettingImageResolution) || !catalog_.Find(kSettingVideoResolution)) return 0;
    FillResolutionItem(kSettingImageResolution, images);
    FillResolutionItem(kSettingVideoResolution, videos);

    if (apply == 1) {
        const ResolutionEntry* entry = InVideoMode() ? videos.At(block.videoResolutionIndex)
                                                     : images.At(block.imageResolutionIndex);
        if (entry) engine_.SetVideoFormat(entry->formatIndex);
    }
    return 1;
}

// The item is emptied first, so a second build does not list the rates twice.
int CEngineDevices::BuildBitrateList(int settingId, BitrateFn query) {
    CatalogItem* item = catalog_.Find(settingId);
    if (item == nullptr || query == nullptr || !engine_.IsLoaded()) return 0;
    catalog_.ClearEntries(settingId);
    int count = -1;
    int bitsPerSecond = 0;
    if (query(&count, &bitsPerSecond) != 1) return 1;  // nothing to offer; the start goes on
    count = std::min(count, kMaxBitratesAsked);
    for (int i = 0; i < count; ++i) {
        int index = i;
        bitsPerSecond = 0;
        if (query(&index, &bitsPerSecond) == 1) CFeatureCatalog::AddEntry(*item, KbpsText(bitsPerSecond));
    }
    return 1;
}

int CEngineDevices::BuildVideoBitrateList() {
    return BuildBitrateList(kSettingAsfQuality, engine_.Api().GetSupportedVideoBitrate);
}

int CEngineDevices::BuildAudioBitrateList() {
    return BuildBitrateList(kSettingWmaQuality, engine_.Api().GetSupportedAudioBitrate);
}

int CEngineDevices::SelectVideoDevice(int index) {
    const EngineApi& api = engine_.Api();
    if (index < 0 || !engine_.IsLoaded() || !api.SelectVideoDevice) return 0;
    SettingsBlock& block = settings_.Block();
    int width = InVideoMode() ? block.videoWidth : block.imageWidth;
    int height = InVideoMode() ? block.videoHeight : block.imageHeight;
    if (api.SelectVideoDevice(index, width, height) != 1) return 0;

    int asked = index;
    std::array<char16_t, kDeviceNameCapacity> name{};
    if (engine_.GetVideoDeviceName(&asked, name.data())) {
        CopyInto(block.videoDev, name.data());
        settings_.SaveSettingString(u"VideoDev", block.videoDev);
        BuildResolutionLists(0);
        callbacks_.UpdateItemPopup(kSettingImageResolution);
        callbacks_.UpdateItemPopup(kSettingVideoResolution);
        callbacks_.RebindCameraModule();
    }
    return callbacks_.BindVideoQuality();
}

int CEngineDevices::SelectAudioDevice(int index) {
    const EngineApi& api = engine_.Api();
    if (index < 0 || !engine_.IsLoaded() || !api.SelectAudioDevice) return 0;
    if (api.SelectAudioDevice(index) != 1) return 0;
    int asked = index;
    std::array<char16_t, kDeviceNameCapacity> name{};
    if (engine_.GetAudioDeviceName(&asked, name.data())) {
        CopyInto(settings_.Block().audioDev, name.data());
        settings_.SaveSettingString(u"AudioDev", settings_.Block().audioDev);
    }
    int stored = 0;
    double volume = settings_.LoadSettingValue(kSettingMicrophoneVolume, &stored) ? stored * 0.01
                                                                                  : settings_.AudioVolume();
    settings_.SetAudioVolume(volume);
    return 1;
}

}  // namespace vimbrel::controller
