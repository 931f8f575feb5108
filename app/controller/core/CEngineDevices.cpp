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

std::u16string Ascii(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

std::u16string SizeText(int width, int height) {
    return Ascii(std::to_string(width) + "x" + std::to_string(height));
}

std::u16string KbpsText(int bitsPerSecond) {
    return Ascii(std::to_string(bitsPerSecond / 1000) + " Kbps");
}

// A device-name buffer the engine may fill to the last unit and still be
// read as a terminated text.
using NameBuffer = std::array<char16_t, kDeviceNameCapacity + 1>;

NameBuffer CopyName(const char16_t* saved) {
    NameBuffer buffer{};
    std::copy_n(saved, kDeviceNameCapacity, buffer.data());
    buffer[kDeviceNameCapacity - 1] = u'\0';
    return buffer;
}

bool SameName(const char16_t* a, const char16_t* b) {
    return std::u16string_view(a) == std::u16string_view(b);
}

void CopyInto(char16_t* field, const char16_t* text) {
    std::u16string_view view(text);
    std::size_t length = std::min(view.size(), kDeviceNameCapacity - 1);
    std::copy_n(view.data(), length, field);
    field[length] = u'\0';
}

}  // namespace

bool CEngineDevices::InVideoMode() const {
    return m_settings.ModeId() == 0 || m_settings.ModeId() == 1;
}

int CEngineDevices::StartEngine(EngineWindow preview) {
    if (preview == nullptr || !m_engine.IsLoaded()) return 0;
    m_preview = preview;
    const EngineApi& api = m_engine.Api();
    if (!api.SetPreviewWnd || api.SetPreviewWnd(preview) != 1) return 0;

    SettingsBlock& block = m_settings.Block();
    NameBuffer video = CopyName(block.videoDev);
    NameBuffer audio = CopyName(block.audioDev);
    // The saved resolution index points into our own sorted list, not the
    // engine's format list, so the engine keeps the camera's current format
    // (-1); the start of the controller sets the wanted one afterwards.
    if (!api.Initialize ||
        api.Initialize(0, -1, EngineText(video.data()), EngineText(audio.data()),
                       &m_engine.videoDeviceCount, &m_engine.audioDeviceCount) != 1)
        return 0;
    video.back() = u'\0';
    audio.back() = u'\0';
    // The engine opens another device when the saved one is gone; that one
    // becomes the saved one.
    if (!SameName(video.data(), block.videoDev)) {
        CopyInto(block.videoDev, video.data());
        m_settings.SaveSettingString(u"VideoDev", block.videoDev);
    }
    if (!SameName(audio.data(), block.audioDev)) {
        CopyInto(block.audioDev, audio.data());
        m_settings.SaveSettingString(u"AudioDev", block.audioDev);
    }

    if (!BuildResolutionLists(1)) return 0;

    if (block.imageResolutionIndex == -1) {
        block.imageResolutionIndex = m_engine.imageList.FirstIndexOfWidth(640);
        if (const ResolutionEntry* entry = m_engine.imageList.At(block.imageResolutionIndex)) {
            block.imageWidth = entry->width;
            block.imageHeight = entry->height;
        }
    }
    if (block.videoResolutionIndex == -1) {
        block.videoResolutionIndex = m_engine.videoList.FirstIndexOfWidth(320);
        if (const ResolutionEntry* entry = m_engine.videoList.At(block.videoResolutionIndex)) {
            block.videoWidth = entry->width;
            block.videoHeight = entry->height;
        }
    }

    if (!BuildVideoBitrateList() || !BuildAudioBitrateList() || !m_callbacks.BindVideoQuality() ||
        !m_settings.ReapplySettings())
        return 0;
    m_engine.SetMirrorMode(m_engine.GetMirrorMode(), 1);
    m_engine.SetShootMode(block.shootMode);
    return 1;
}

int CEngineDevices::AddImageResolution(int formatIndex, int width, int height) {
    return m_engine.imageList.Add(formatIndex, width, height);
}

int CEngineDevices::AddVideoResolution(int formatIndex, int width, int height) {
    return m_engine.videoList.Add(formatIndex, width, height);
}

int CEngineDevices::HasImageResolution(int width, int height) const {
    return m_engine.imageList.Has(width, height) ? 1 : 0;
}

int CEngineDevices::HasVideoResolution(int width, int height) const {
    return m_engine.videoList.Has(width, height) ? 1 : 0;
}

void CEngineDevices::FillResolutionItem(int settingId, const CResolutionList& list) {
    m_catalog.ClearEntries(settingId);
    CatalogItem* item = m_catalog.Find(settingId);
    for (int i = 0; i < list.Count(); ++i) {
        const ResolutionEntry* entry = list.At(i);
        CFeatureCatalog::AddEntry(*item, SizeText(entry->width, entry->height));
    }
}

int CEngineDevices::BuildResolutionLists(int apply) {
    CResolutionList& images = m_engine.imageList;
    CResolutionList& videos = m_engine.videoList;
    images.Clear();
    videos.Clear();
    const EngineApi& api = m_engine.Api();
    if (!m_engine.IsLoaded() || !api.GetVideoFormat) return 0;

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
    SettingsBlock& block = m_settings.Block();
    if (block.imageResolutionIndex >= images.Count())
        block.imageResolutionIndex = images.Count() - 1;
    if (block.videoResolutionIndex >= videos.Count())
        block.videoResolutionIndex = videos.Count() - 1;
    if (const ResolutionEntry* entry = images.At(block.imageResolutionIndex)) {
        block.imageWidth = entry->width;
        block.imageHeight = entry->height;
    }
    if (const ResolutionEntry* entry = videos.At(block.videoResolutionIndex)) {
        block.videoWidth = entry->width;
        block.videoHeight = entry->height;
    }
    m_callbacks.RefreshOverlay();

    if (!m_catalog.Find(kSettingImageResolution) || !m_catalog.Find(kSettingVideoResolution))
        return 0;
    FillResolutionItem(kSettingImageResolution, images);
    FillResolutionItem(kSettingVideoResolution, videos);

    if (apply == 1) {
        const ResolutionEntry* entry = InVideoMode() ? videos.At(block.videoResolutionIndex)
                                                     : images.At(block.imageResolutionIndex);
        if (entry) m_engine.SetVideoFormat(entry->formatIndex);
    }
    return 1;
}

// The item is emptied first, so a second build does not list the rates twice.
int CEngineDevices::BuildBitrateList(int settingId, BitrateFn query) {
    CatalogItem* item = m_catalog.Find(settingId);
    if (item == nullptr || query == nullptr || !m_engine.IsLoaded()) return 0;
    m_catalog.ClearEntries(settingId);
    int count = -1;
    int bitsPerSecond = 0;
    if (query(&count, &bitsPerSecond) != 1) return 1;  // nothing to offer; the start goes on
    count = std::min(count, kMaxBitratesAsked);
    for (int i = 0; i < count; ++i) {
        int index = i;
        bitsPerSecond = 0;
        if (query(&index, &bitsPerSecond) == 1)
            CFeatureCatalog::AddEntry(*item, KbpsText(bitsPerSecond));
    }
    return 1;
}

int CEngineDevices::BuildVideoBitrateList() {
    return BuildBitrateList(kSettingAsfQuality, m_engine.Api().GetSupportedVideoBitrate);
}

int CEngineDevices::BuildAudioBitrateList() {
    return BuildBitrateList(kSettingWmaQuality, m_engine.Api().GetSupportedAudioBitrate);
}

int CEngineDevices::SelectVideoDevice(int index) {
    const EngineApi& api = m_engine.Api();
    if (index < 0 || !m_engine.IsLoaded() || !api.SelectVideoDevice) return 0;
    SettingsBlock& block = m_settings.Block();
    int width = InVideoMode() ? block.videoWidth : block.imageWidth;
    int height = InVideoMode() ? block.videoHeight : block.imageHeight;
    if (api.SelectVideoDevice(index, width, height) != 1) return 0;

    int asked = index;
    std::array<char16_t, kDeviceNameCapacity> name{};
    if (m_engine.GetVideoDeviceName(&asked, name.data())) {
        CopyInto(block.videoDev, name.data());
        m_settings.SaveSettingString(u"VideoDev", block.videoDev);
        BuildResolutionLists(0);
        m_callbacks.UpdateItemPopup(kSettingImageResolution);
        m_callbacks.UpdateItemPopup(kSettingVideoResolution);
        m_callbacks.RebindCameraModule();
    }
    return m_callbacks.BindVideoQuality();
}

int CEngineDevices::SelectAudioDevice(int index) {
    const EngineApi& api = m_engine.Api();
    if (index < 0 || !m_engine.IsLoaded() || !api.SelectAudioDevice) return 0;
    if (api.SelectAudioDevice(index) != 1) return 0;
    int asked = index;
    std::array<char16_t, kDeviceNameCapacity> name{};
    if (m_engine.GetAudioDeviceName(&asked, name.data())) {
        CopyInto(m_settings.Block().audioDev, name.data());
        m_settings.SaveSettingString(u"AudioDev", m_settings.Block().audioDev);
    }
    int stored = 0;
    double volume = m_settings.LoadSettingValue(kSettingMicrophoneVolume, &stored)
                        ? stored * 0.01
                        : m_settings.AudioVolume();
    m_settings.SetAudioVolume(volume);
    return 1;
}

}  // namespace vimbrel::controller
