#include "engine/win/AsfProfileConfig.h"

#include "engine/core/AsfStreamWalk.h"
#include "engine/win/MediaGuids.h"
#include "engine/core/RecordingRules.h"
#include "engine/core/RecordingSettings.h"
#include "dshowbase/AsfWriterInterfaces.h"
#include "failtrail/FailTrail.h"

#include <vector>

namespace camera {

namespace {

struct FrameSize {
    LONG width = 0;
    LONG height = 0;
};

// The profile's streams as the walks see them.
class CWmProfileStreams final : public IAsfProfileStreams {
public:
    CWmProfileStreams(IWMProfile* profile, const FrameSize& frame) : profile_(profile), frame_(frame) {}

    StepResult StreamCount(std::uint32_t& count) override {
        DWORD streams = 0;
        const HRESULT hr = profile_->GetStreamCount(&streams);
        count = streams;
        return hr;
    }

    StepResult ReadStream(std::uint32_t index, AsfStreamType& type) override {
        current_.Reset();
        HRESULT hr = profile_->GetStream(index, current_.GetAddressOf());
        if (SUCCEEDED(hr) && !current_) hr = E_UNEXPECTED;
        GUID streamType = GUID_NULL;
        if (SUCCEEDED(hr)) hr = current_->GetStreamType(&streamType);
        // Windows Media stream types are the DirectShow major types.
        type = streamType == MEDIATYPE_Audio   ? AsfStreamType::Audio
               : streamType == MEDIATYPE_Video ? AsfStreamType::Video
                                               : AsfStreamType::Other;
        return hr;
    }

    StepResult RemoveStream() override { return profile_->RemoveStream(current_.Get()); }

    StepResult FitVideoFrame() override {
        ComPtr<IWMMediaProps> props;
        RETURN_IF_FAILED(QueryTo(current_.Get(), __uuidof(IWMMediaProps), props));
        DWORD size = 0;
        RETURN_IF_FAILED(props->GetMediaType(nullptr, &size));
        RETURN_HR_IF(E_UNEXPECTED, size < sizeof(WM_MEDIA_TYPE));
        // The type and its format block come back in one allocation; new[]
        // aligns it for the structure's pointers.
        std::vector<BYTE> buffer(size);
        WM_MEDIA_TYPE* type = reinterpret_cast<WM_MEDIA_TYPE*>(buffer.data());
        RETURN_IF_FAILED(props->GetMediaType(type, &size));
        // A picture stream described otherwise keeps its own frame size
        // rather than having a foreign block written over.
        if (type->formattype != FORMAT_VideoInfo || type->pbFormat == nullptr ||
            type->cbFormat < sizeof(VIDEOINFOHEADER))
            return S_OK;
        VIDEOINFOHEADER* info = reinterpret_cast<VIDEOINFOHEADER*>(type->pbFormat);
        info->rcSource = RECT{0, 0, frame_.width, frame_.height};
        info->rcTarget = info->rcSource;
        info->bmiHeader.biWidth = frame_.width;
        info->bmiHeader.biHeight = frame_.height;
        RETURN_IF_FAILED(props->SetMediaType(type));
        return profile_->ReconfigStream(current_.Get());
    }

    StepResult SetAudioBitrate(std::uint32_t bitsPerSecond) override {
        RETURN_IF_FAILED(current_->SetBitrate(bitsPerSecond));
        return profile_->ReconfigStream(current_.Get());
    }

private:
    IWMProfile* profile_;
    FrameSize frame_;
    ComPtr<IWMStreamConfig> current_;
};

HRESULT QueryAsfConfig(IBaseFilter* writer, ComPtr<IConfigAsfWriter>& config) {
    return SUCCEEDED(QueryTo(writer, IID_IConfigAsfWriter, config)) ? S_OK : E_FAIL;
}

HRESULT CurrentProfile(IConfigAsfWriter* config, ComPtr<IWMProfile>& profile) {
    HRESULT hr = config->GetCurrentProfile(profile.ReleaseAndGetAddressOf());
    if (SUCCEEDED(hr) && !profile) hr = E_UNEXPECTED;
    return hr;
}

}  // namespace

HRESULT ConfigureAsfVideoProfile(CaptureEngineState& state, IBaseFilter* writer) {
    ComPtr<IConfigAsfWriter> config;
    RETURN_IF_FAILED(QueryAsfConfig(writer, config));
    if (const MediaGuid* system = AsfVideoProfileFor(state.values.videoBitrateIndex)) {
        RETURN_IF_FAILED(config->ConfigureFilterUsingProfileGuid(ToGuid(*system)));
    }
    ComPtr<IWMProfile> profile;
    RETURN_IF_FAILED(CurrentProfile(config.Get(), profile));

    // Without a chosen format the engine knows no frame size to give.
    FrameSize frame;
    const CVideoFormat* format = state.values.currentFormatIndex >= 0
                                     ? state.videoFormats.At(state.values.currentFormatIndex)
                                     : nullptr;
    if (format != nullptr) frame = FrameSize{format->Width(), format->Height()};
    CWmProfileStreams streams(profile.Get(), frame);
    RETURN_IF_FAILED(WalkVideoProfile(streams, state.audioDevices.Count() > 0, format != nullptr));
    return config->ConfigureFilterUsingProfile(profile.Get());
}

HRESULT ConfigureAsfAudioProfile(CaptureEngineState& state, IBaseFilter* writer) {
    ComPtr<IConfigAsfWriter> config;
    ComPtr<IWMProfile> profile;
    HRESULT hr = QueryAsfConfig(writer, config);
    if (SUCCEEDED(hr)) hr = CurrentProfile(config.Get(), profile);
    if (FAILED(hr)) return hr;
    const int index = state.values.audioBitrateIndex;
    RETURN_HR_IF(E_UNEXPECTED, index < 0 || index >= kBitrateCount);
    CWmProfileStreams streams(profile.Get(), FrameSize{});
    RETURN_IF_FAILED(WalkSoundProfile(streams, static_cast<std::uint32_t>(kAudioBitrates[index])));
    return config->ConfigureFilterUsingProfile(profile.Get());
}

}  // namespace camera
