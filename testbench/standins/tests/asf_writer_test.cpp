// The WM ASF writer stand-in driven as the engine drives the writer: a
// system profile by GUID, the profile's streams walked and changed, the
// changed profile handed back, pins connected and a recording run. What it
// was told and what it received comes back in its record.
#include "AsfRecord.h"
#include "BenchStandIns.h"
#include "StandInTestSupport.h"

#include "dshowbase/AsfWriterInterfaces.h"

using namespace standintest;

namespace {

// The video system profiles by video bitrate index, and their rates.
const GUID kProfile100 = {0xD9F3C932, 0x5EA9, 0x4C6D, {0x89, 0xB4, 0x26, 0x86, 0xE5, 0x15, 0x42, 0x6E}};
const GUID kProfile256 = {0xAFE69B3A, 0x403F, 0x4A1B, {0x80, 0x07, 0x0E, 0x21, 0xCF, 0xB3, 0xDF, 0x84}};
const GUID kProfile384 = {0xF3D45FBB, 0x8782, 0x44DF, {0x97, 0xC6, 0x86, 0x78, 0xE2, 0xF9, 0xB1, 0x3D}};
const GUID kProfile768 = {0x0326EBB6, 0xF76E, 0x4964, {0xB0, 0xDB, 0xE7, 0x29, 0x97, 0x8D, 0x35, 0xEE}};

constexpr LONG kWidth = 32;
constexpr LONG kHeight = 24;
constexpr long kFrameBytes = kWidth * 3 * kHeight;

ComPtr<IWMProfile> CurrentProfile(IConfigAsfWriter* config) {
    ComPtr<IWMProfile> profile;
    config->GetCurrentProfile(profile.GetAddressOf());
    return profile;
}

ComPtr<IWMStreamConfig> Stream(IWMProfile* profile, DWORD index) {
    ComPtr<IWMStreamConfig> stream;
    profile->GetStream(index, stream.GetAddressOf());
    return stream;
}

GUID TypeOf(IWMStreamConfig* stream) {
    GUID type = GUID_NULL;
    stream->GetStreamType(&type);
    return type;
}

DWORD BitrateOf(IWMStreamConfig* stream) {
    DWORD bitrate = 0;
    stream->GetBitrate(&bitrate);
    return bitrate;
}

// What the engine does to the picture stream: the frame size into its
// VIDEOINFOHEADER (source and target rectangles, bitmap size).
HRESULT SetFrameSize(IWMStreamConfig* stream, LONG width, LONG height) {
    ComPtr<IWMMediaProps> props;
    HRESULT hr = stream->QueryInterface(__uuidof(IWMMediaProps), reinterpret_cast<void**>(props.GetAddressOf()));
    DWORD size = 0;
    if (SUCCEEDED(hr)) {
        hr = props->GetMediaType(nullptr, &size);
    }
    if (FAILED(hr)) {
        return hr;
    }
    std::vector<BYTE> buffer(size);
    WM_MEDIA_TYPE* type = reinterpret_cast<WM_MEDIA_TYPE*>(buffer.data());
    hr = props->GetMediaType(type, &size);
    if (FAILED(hr)) {
        return hr;
    }
    VIDEOINFOHEADER* info = reinterpret_cast<VIDEOINFOHEADER*>(type->pbFormat);
    info->rcSource = {0, 0, width, height};
    info->rcTarget = info->rcSource;
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = height;
    return props->SetMediaType(type);
}

standins::AsfRecord ReadRecord(const TestFile& file) {
    const std::vector<uint8_t> bytes = file.Bytes();
    standins::AsfRecord record;
    EXPECT_TRUE(standins::ParseAsfRecord(std::string(bytes.begin(), bytes.end()), &record));
    return record;
}

struct WriterUnderTest {
    ComPtr<IBaseFilter> filter = Create<IBaseFilter>(CLSID_WMAsfWriter);
    ComPtr<IConfigAsfWriter> config;
    ComPtr<IFileSinkFilter2> sink;
    WriterUnderTest() {
        if (filter) {
            filter.As(&config);
            filter.As(&sink);
        }
    }
};

// A pushed source connected to one of the writer's pins in a graph.
struct SourceIntoWriter {
    CPushSource* source;
    ComPtr<IBaseFilter> sourceFilter;
    TestGraph graph;
    HRESULT connected = E_FAIL;

    SourceIntoWriter(const WriterUnderTest& writer, const AM_MEDIA_TYPE& type, long bufferSize, const wchar_t* pin)
        : source(new CPushSource(type, bufferSize)), sourceFilter(source) {
        graph.Add(sourceFilter.Get(), L"Capture");
        graph.Add(writer.filter.Get(), L"WM ASF Writer");
        connected = graph.Connect(source->Pin(), PinNamed(writer.filter.Get(), pin).Get());
    }
};

}  // namespace

class AsfWriter : public ComTest {};

TEST_F(AsfWriter, StartsWithTheVideoProfileOf256Kbps) {
    WriterUnderTest writer;
    ASSERT_TRUE(writer.config && writer.sink);
    EXPECT_EQ(CLSID_WMAsfWriter, FindByFriendlyName(L"WM ASF Writer"));
    GUID current = GUID_NULL;
    EXPECT_EQ(S_OK, writer.config->GetCurrentProfileGuid(&current));
    EXPECT_EQ(kProfile256, current);
    EXPECT_EQ((std::vector<std::wstring>{L"Audio Input 01", L"Video Input 01"}), PinNames(writer.filter.Get()));
    DWORD mode = 0;
    EXPECT_EQ(S_OK, writer.sink->GetMode(&mode));
    EXPECT_EQ(static_cast<DWORD>(AM_FILE_OVERWRITE), mode);
    EXPECT_EQ(E_INVALIDARG, writer.sink->SetMode(0));  // the writer only replaces files
}

TEST_F(AsfWriter, SystemProfilesByGuidCarryTheirRates) {
    WriterUnderTest writer;
    const struct {
        GUID guid;
        DWORD rate;
    } profiles[] = {{kProfile100, 100000}, {kProfile256, 256000}, {kProfile384, 384000}, {kProfile768, 768000}};
    for (const auto& expected : profiles) {
        ASSERT_EQ(S_OK, writer.config->ConfigureFilterUsingProfileGuid(expected.guid));
        GUID current = GUID_NULL;
        writer.config->GetCurrentProfileGuid(&current);
        EXPECT_EQ(expected.guid, current);
        ComPtr<IWMProfile> profile = CurrentProfile(writer.config.Get());
        DWORD count = 0;
        ASSERT_EQ(S_OK, profile->GetStreamCount(&count));
        ASSERT_EQ(2u, count);
        ComPtr<IWMStreamConfig> audio = Stream(profile.Get(), 0);
        ComPtr<IWMStreamConfig> video = Stream(profile.Get(), 1);
        EXPECT_EQ(MEDIATYPE_Audio, TypeOf(audio.Get()));
        EXPECT_EQ(MEDIATYPE_Video, TypeOf(video.Get()));
        EXPECT_EQ(expected.rate, BitrateOf(audio.Get()) + BitrateOf(video.Get()));
    }
    // An unknown GUID changes nothing.
    const GUID unknown = {0x12345678, 0, 0, {0, 0, 0, 0, 0, 0, 0, 1}};
    EXPECT_EQ(E_FAIL, writer.config->ConfigureFilterUsingProfileGuid(unknown));
    GUID current = GUID_NULL;
    writer.config->GetCurrentProfileGuid(&current);
    EXPECT_EQ(kProfile768, current);
}

TEST_F(AsfWriter, VideoOnlyRecordingRecordsProfileStreamAndFrames) {
    TestFile file("video.asf");
    WriterUnderTest writer;
    // The engine's walk without a microphone: the 384 kbps profile, its
    // sound stream removed, the picture stream set to the camera's size.
    ASSERT_EQ(S_OK, writer.config->ConfigureFilterUsingProfileGuid(kProfile384));
    ComPtr<IWMProfile> profile = CurrentProfile(writer.config.Get());
    ASSERT_EQ(S_OK, profile->RemoveStream(Stream(profile.Get(), 0).Get()));
    ComPtr<IWMStreamConfig> video = Stream(profile.Get(), 0);
    ASSERT_EQ(MEDIATYPE_Video, TypeOf(video.Get()));
    const DWORD videoRate = BitrateOf(video.Get());
    ASSERT_EQ(S_OK, SetFrameSize(video.Get(), kWidth, kHeight));
    ASSERT_EQ(S_OK, profile->ReconfigStream(video.Get()));
    ASSERT_EQ(S_OK, writer.config->ConfigureFilterUsingProfile(profile.Get()));
    EXPECT_EQ((std::vector<std::wstring>{L"Video Input 01"}), PinNames(writer.filter.Get()));

    SourceIntoWriter recording(writer, Rgb24Type(kWidth, kHeight, 333333), kFrameBytes, L"Video Input 01");
    ASSERT_EQ(S_OK, recording.connected);
    CPushSource* source = recording.source;
    TestGraph& graph = recording.graph;
    ASSERT_EQ(S_OK, writer.sink->SetFileName(file.Wide().c_str(), nullptr));
    ASSERT_EQ(S_OK, graph.control->Run());
    for (int n = 0; n < 3; ++n) {
        ASSERT_EQ(S_OK, source->Push(std::vector<uint8_t>(kFrameBytes, static_cast<uint8_t>(n)), n * 333333LL,
                                     (n + 1) * 333333LL));
    }
    ASSERT_EQ(S_OK, source->Push(std::vector<uint8_t>(100, 7), 999999, 1333332));  // not a whole frame
    ASSERT_EQ(S_OK, source->EndOfStream());
    EXPECT_TRUE(graph.WaitForEvent(EC_COMPLETE, 2000));
    ASSERT_EQ(S_OK, graph.control->Stop());

    const standins::AsfRecord record = ReadRecord(file);
    EXPECT_EQ("{F3D45FBB-8782-44DF-97C6-8678E2F9B13D}", record.profileGuid);
    EXPECT_EQ("profile", record.profileSource);
    EXPECT_EQ(2u, record.configurations);
    ASSERT_EQ(1u, record.streams.size());
    const standins::AsfStreamRecord& stream = record.streams[0];
    EXPECT_EQ("video", stream.type);
    EXPECT_EQ(videoRate, stream.bitrate);
    EXPECT_EQ(kWidth, stream.width);
    EXPECT_EQ(kHeight, stream.height);
    EXPECT_EQ(kWidth, stream.source.right);
    EXPECT_EQ(kHeight, stream.target.bottom);
    ASSERT_EQ(1u, record.pins.size());
    const standins::AsfPinRecord& pin = record.pins[0];
    EXPECT_EQ("Video Input 01", pin.name);
    EXPECT_TRUE(pin.connected);
    EXPECT_EQ("RGB24 32x24", pin.format);
    EXPECT_EQ(4u, pin.samples);
    EXPECT_EQ(3u * kFrameBytes + 100u, pin.bytes);
    EXPECT_EQ(0, pin.first);
    EXPECT_EQ(1333332, pin.last);
    EXPECT_EQ(1u, pin.wrongSize);
    EXPECT_TRUE(pin.endOfStream);
}

TEST_F(AsfWriter, SoundOnlyRecordingRecordsBitrateAndSilence) {
    TestFile file("sound.asf");
    WriterUnderTest writer;
    // The engine's walk for a sound recording on the writer's own profile:
    // the picture stream removed, the sound stream given the chosen rate.
    ComPtr<IWMProfile> profile = CurrentProfile(writer.config.Get());
    ComPtr<IWMStreamConfig> audio = Stream(profile.Get(), 0);
    ASSERT_EQ(MEDIATYPE_Audio, TypeOf(audio.Get()));
    ASSERT_EQ(S_OK, audio->SetBitrate(64000));
    ASSERT_EQ(S_OK, profile->ReconfigStream(audio.Get()));
    ASSERT_EQ(S_OK, profile->RemoveStream(Stream(profile.Get(), 1).Get()));
    ASSERT_EQ(S_OK, writer.config->ConfigureFilterUsingProfile(profile.Get()));
    EXPECT_EQ((std::vector<std::wstring>{L"Audio Input 01"}), PinNames(writer.filter.Get()));

    SourceIntoWriter recording(writer, PcmType(1, 8000, 16), 800, L"Audio Input 01");
    ASSERT_EQ(S_OK, recording.connected);
    CPushSource* source = recording.source;
    TestGraph& graph = recording.graph;
    ASSERT_EQ(S_OK, writer.sink->SetFileName(file.Wide().c_str(), nullptr));
    ASSERT_EQ(S_OK, graph.control->Run());
    ASSERT_EQ(S_OK, source->Push(std::vector<uint8_t>(800, 0), 0, 500000));
    ASSERT_EQ(S_OK, source->Push(std::vector<uint8_t>(800, 3), 500000, 1000000));
    ASSERT_EQ(S_OK, source->Push(std::vector<uint8_t>(800, 0), 1000000, 1500000));
    ASSERT_EQ(S_OK, graph.control->Stop());

    const standins::AsfRecord record = ReadRecord(file);
    EXPECT_EQ("{AFE69B3A-403F-4A1B-8007-0E21CFB3DF84}", record.profileGuid);  // made from the default
    ASSERT_EQ(1u, record.streams.size());
    EXPECT_EQ("audio", record.streams[0].type);
    EXPECT_EQ(64000u, record.streams[0].bitrate);
    ASSERT_NE(nullptr, record.Pin("audio"));
    EXPECT_EQ("PCM 8000 Hz 1 ch 16 bit", record.Pin("audio")->format);
    EXPECT_EQ(3u, record.Pin("audio")->samples);
    EXPECT_EQ(2u, record.Pin("audio")->silent);
    EXPECT_FALSE(record.Pin("audio")->endOfStream);
}

TEST_F(AsfWriter, ChangesCountOnlyWhenHandedBack) {
    WriterUnderTest writer;
    ComPtr<IWMProfile> profile = CurrentProfile(writer.config.Get());
    // A stream taken from a profile is a copy until ReconfigStream...
    ComPtr<IWMStreamConfig> video = Stream(profile.Get(), 1);
    const DWORD rate = BitrateOf(video.Get());
    ASSERT_EQ(S_OK, video->SetBitrate(1));
    EXPECT_EQ(rate, BitrateOf(Stream(profile.Get(), 1).Get()));
    // ...and a profile is a copy until the writer is configured with it.
    ASSERT_EQ(S_OK, profile->ReconfigStream(video.Get()));
    EXPECT_EQ(1u, BitrateOf(Stream(profile.Get(), 1).Get()));
    EXPECT_EQ(rate, BitrateOf(Stream(CurrentProfile(writer.config.Get()).Get(), 1).Get()));
    ASSERT_EQ(S_OK, writer.config->ConfigureFilterUsingProfile(profile.Get()));
    EXPECT_EQ(1u, BitrateOf(Stream(CurrentProfile(writer.config.Get()).Get(), 1).Get()));
    GUID current = kProfile768;
    writer.config->GetCurrentProfileGuid(&current);
    EXPECT_EQ(GUID_NULL, current);  // a handed-in profile is no system profile
}

TEST_F(AsfWriter, RefusesWhatTheWriterCannotDo) {
    WriterUnderTest writer;
    ComPtr<IWMProfile> profile = CurrentProfile(writer.config.Get());
    ComPtr<IWMStreamConfig> video = Stream(profile.Get(), 1);

    // A short buffer for the media type is refused and told the size.
    ComPtr<IWMMediaProps> props;
    ASSERT_EQ(S_OK, video->QueryInterface(__uuidof(IWMMediaProps), reinterpret_cast<void**>(props.GetAddressOf())));
    DWORD size = 0;
    ASSERT_EQ(S_OK, props->GetMediaType(nullptr, &size));
    EXPECT_EQ(sizeof(WM_MEDIA_TYPE) + sizeof(VIDEOINFOHEADER), size);
    std::vector<BYTE> small(size - 1);
    DWORD smallSize = size - 1;
    EXPECT_TRUE(FAILED(props->GetMediaType(reinterpret_cast<WM_MEDIA_TYPE*>(small.data()), &smallSize)));
    EXPECT_EQ(size, smallSize);
    // A picture stream cannot be turned into a sound stream.
    WM_MEDIA_TYPE sound{};
    sound.majortype = MEDIATYPE_Audio;
    EXPECT_EQ(E_INVALIDARG, props->SetMediaType(&sound));
    // Two sound streams: the writer has one sound pin.
    ComPtr<IWMStreamConfig> second = Stream(profile.Get(), 0);
    ASSERT_EQ(S_OK, second->SetStreamNumber(3));
    ASSERT_EQ(S_OK, profile->AddStream(second.Get()));
    EXPECT_EQ(E_INVALIDARG, writer.config->ConfigureFilterUsingProfile(profile.Get()));

    // Every pin of the profile must be connected before it starts. (The
    // filter is asked directly: a graph whose Run fails hangs Wine 8 when
    // it is released.)
    TestFile file("refusals.asf");
    ASSERT_EQ(S_OK, writer.sink->SetFileName(file.Wide().c_str(), nullptr));
    SourceIntoWriter recording(writer, Rgb24Type(kWidth, kHeight, 333333), kFrameBytes, L"Video Input 01");
    ASSERT_EQ(S_OK, recording.connected);
    TestGraph& graph = recording.graph;
    EXPECT_EQ(VFW_E_NOT_CONNECTED, writer.filter->Pause());
    FILTER_STATE state = State_Running;
    EXPECT_EQ(S_OK, writer.filter->GetState(0, &state));
    EXPECT_EQ(State_Stopped, state);

    // A profile may not take away a connected pin's stream.
    ComPtr<IWMProfile> soundOnly = CurrentProfile(writer.config.Get());
    ASSERT_EQ(S_OK, soundOnly->RemoveStream(Stream(soundOnly.Get(), 1).Get()));
    EXPECT_EQ(VFW_E_ALREADY_CONNECTED, writer.config->ConfigureFilterUsingProfile(soundOnly.Get()));

    // Without the sound stream it runs; while it runs it takes no profile.
    ComPtr<IWMProfile> videoOnly = CurrentProfile(writer.config.Get());
    ASSERT_EQ(S_OK, videoOnly->RemoveStream(Stream(videoOnly.Get(), 0).Get()));
    ASSERT_EQ(S_OK, writer.config->ConfigureFilterUsingProfile(videoOnly.Get()));
    ASSERT_EQ(S_OK, graph.control->Run());
    EXPECT_EQ(VFW_E_WRONG_STATE, writer.config->ConfigureFilterUsingProfileGuid(kProfile100));
    EXPECT_EQ(VFW_E_NOT_STOPPED, writer.sink->SetFileName(L"other.asf", nullptr));
    graph.control->Stop();
}

TEST_F(AsfWriter, UnwritablePathFailsTheStart) {
    WriterUnderTest writer;
    ComPtr<IWMProfile> profile = CurrentProfile(writer.config.Get());
    ASSERT_EQ(S_OK, profile->RemoveStream(Stream(profile.Get(), 0).Get()));
    ASSERT_EQ(S_OK, writer.config->ConfigureFilterUsingProfile(profile.Get()));
    ASSERT_EQ(S_OK, writer.sink->SetFileName(L"no-such-folder\\video.asf", nullptr));
    SourceIntoWriter recording(writer, Rgb24Type(kWidth, kHeight, 333333), kFrameBytes, L"Video Input 01");
    ASSERT_EQ(S_OK, recording.connected);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), writer.filter->Pause());
    FILTER_STATE state = State_Running;
    EXPECT_EQ(S_OK, writer.filter->GetState(0, &state));
    EXPECT_EQ(State_Stopped, state);
}

TEST_F(AsfWriter, LeavesNoObjectBehind) {
    ComPtr<IBenchStandInControl> control = Create<IBenchStandInControl>(CLSID_BenchStandInControl);
    ASSERT_TRUE(control);
    LONG before = 0;
    ASSERT_EQ(S_OK, control->GetLiveObjectCount(&before));
    {
        TestFile file("leaks.asf");
        WriterUnderTest writer;
        ComPtr<IWMProfile> profile = CurrentProfile(writer.config.Get());
        ComPtr<IWMStreamConfig> video = Stream(profile.Get(), 1);
        ASSERT_EQ(S_OK, SetFrameSize(video.Get(), kWidth, kHeight));
        ASSERT_EQ(S_OK, profile->ReconfigStream(video.Get()));
        ASSERT_EQ(S_OK, profile->RemoveStream(Stream(profile.Get(), 0).Get()));
        ASSERT_EQ(S_OK, writer.config->ConfigureFilterUsingProfile(profile.Get()));
        SourceIntoWriter recording(writer, Rgb24Type(kWidth, kHeight, 333333), kFrameBytes, L"Video Input 01");
        ASSERT_EQ(S_OK, recording.connected);
        ASSERT_EQ(S_OK, writer.sink->SetFileName(file.Wide().c_str(), nullptr));
        ASSERT_EQ(S_OK, recording.graph.control->Run());
        ASSERT_EQ(S_OK, recording.source->Push(std::vector<uint8_t>(kFrameBytes, 1), 0, 333333));
        ASSERT_EQ(S_OK, recording.graph.control->Stop());
    }
    LONG after = 0;
    ASSERT_EQ(S_OK, control->GetLiveObjectCount(&after));
    EXPECT_EQ(before, after);
}
