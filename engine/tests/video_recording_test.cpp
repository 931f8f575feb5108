// Video recordings through the flat API: the bench camera and microphone,
// the effects filter, and the stand-in WM ASF writer, whose record tells
// which profile and streams the engine chose and what reached each pin.
#include "engine/tests/RecordingTestSupport.h"

#include "ByteOrder.h"
#include "MessagePump.h"

#include <algorithm>
#include <string>

namespace enginetest {
namespace {

constexpr int kSetMute = 6;

class VideoRecording : public RecordingTest {
protected:
    LONGLONG DeliveredFrames() {
        LONGLONG frames = 0;
        bench_->GetDeliveredFrames(&frames);
        return frames;
    }

    // Whether the camera is streaming into a running graph: a few more
    // frames (a sixth of a second's worth) arrive. A loaded machine may
    // take seconds for them; a camera that stopped sends none at all.
    bool CameraStreams() {
        const LONGLONG before = DeliveredFrames();
        return testbench::PumpUntil([&] { return DeliveredFrames() >= before + 5; }, 10000);
    }
};

TEST_F(VideoRecording, AsfRecordingTakesTheSystemProfileOfEachVideoBitrateAtTheCamerasFrameSize) {
    // Format 2 is RGB24 640 x 480, a size none of the profiles has.
    ASSERT_EQ(1, Start(0, 2));
    const char* const profiles[] = {"{D9F3C932-5EA9-4C6D-89B4-2686E515426E}", "{AFE69B3A-403F-4A1B-8007-0E21CFB3DF84}",
                                    "{F3D45FBB-8782-44DF-97C6-8678E2F9B13D}", "{0326EBB6-F76E-4964-B0DB-E729978D35EE}"};
    for (int index = 0; index < 4; ++index) {
        ASSERT_EQ(1, SetVideoBitrate(index));
        CRecordingFile file("video_profile_" + std::to_string(index) + ".asf");
        const float seconds = Record(CaptureAV, file, 1200);
        EXPECT_GT(seconds, 1.0f);

        standins::AsfRecord record;
        ASSERT_TRUE(file.ReadAsfRecord(&record)) << index;
        EXPECT_EQ(profiles[index], record.profileGuid) << index;
        ASSERT_EQ(2u, record.streams.size()) << index;
        const standins::AsfStreamRecord* video = record.Stream("video");
        ASSERT_NE(nullptr, video);
        EXPECT_EQ(640, video->width);
        EXPECT_EQ(480, video->height);
        EXPECT_EQ(640, video->source.right);
        EXPECT_EQ(480, video->target.bottom);
        EXPECT_NE(nullptr, record.Stream("audio"));

        const standins::AsfPinRecord* pictures = record.Pin("video");
        ASSERT_NE(nullptr, pictures);
        // How many frames arrive depends on the machine's load; that they
        // arrive at all is what the profile walk must not break.
        EXPECT_GT(pictures->samples, 0u) << index;
        EXPECT_EQ(0u, pictures->wrongSize);
        // Nothing from the first half second after the start is written.
        EXPECT_GE(pictures->first, 5000000) << index;
        const standins::AsfPinRecord* sound = record.Pin("audio");
        ASSERT_NE(nullptr, sound);
        EXPECT_GT(sound->samples, 0u) << index;
        EXPECT_LT(sound->silent, sound->samples) << index;
    }
}

TEST_F(VideoRecording, WithoutAFormatChosenThePictureKeepsTheProfilesFrameSize) {
    ASSERT_EQ(1, Start(0));
    ASSERT_EQ(1, SetVideoBitrate(0));
    CRecordingFile file("video_own_size.asf");
    Record(CaptureAV, file, 700);
    standins::AsfRecord record;
    ASSERT_TRUE(file.ReadAsfRecord(&record));
    const standins::AsfStreamRecord* video = record.Stream("video");
    ASSERT_NE(nullptr, video);
    // The 100 Kbps profile's own size.
    EXPECT_EQ(176, video->width);
    EXPECT_EQ(144, video->height);
}

TEST_F(VideoRecording, VideoOnlyAsfHasASilentSoundStreamAndTheNextRecordingIsHeardAgain) {
    ASSERT_EQ(1, Start(1));
    CRecordingFile silent("video_silent.asf");
    Record(CaptureVideo, silent, 1000);
    standins::AsfRecord record;
    ASSERT_TRUE(silent.ReadAsfRecord(&record));
    const standins::AsfPinRecord* sound = record.Pin("audio");
    ASSERT_NE(nullptr, sound);
    ASSERT_GT(sound->samples, 0u);
    EXPECT_EQ(sound->samples, sound->silent);
    std::vector<BenchControlCall> calls = AudioControlCalls(standIns_.Get());
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(kSetMute, calls.back().method);
    EXPECT_EQ(1, calls.back().value);
    BOOL enabled = FALSE;
    double level = -1.0;
    LONG changes = 0;
    bench_->GetMixerLine(BENCH_MIXER_MICROPHONE, &enabled, &level, &changes);
    EXPECT_EQ(0.0, level);

    // The stored level survived: the next recording with sound is heard.
    ASSERT_EQ(1, SetMode(0));
    CRecordingFile heard("video_heard.asf");
    Record(CaptureAV, heard, 1000);
    ASSERT_TRUE(heard.ReadAsfRecord(&record));
    sound = record.Pin("audio");
    ASSERT_NE(nullptr, sound);
    EXPECT_LT(sound->silent, sound->samples);
    calls = AudioControlCalls(standIns_.Get());
    EXPECT_EQ(kSetMute, calls.back().method);
    EXPECT_EQ(0, calls.back().value);
    bench_->GetMixerLine(BENCH_MIXER_MICROPHONE, &enabled, &level, &changes);
    EXPECT_EQ(1.0, level);
}

// Frames the camera delivers over the recording's stretch of time, from
// the recording time read at the stop: the first half second is not
// written. The bench camera keeps its 30 frames a second only roughly on
// a busy machine, so the count may fall short, never much beyond.
void ExpectFramesFor(const standins::MediaFile& media, const standins::MediaStream& video, float seconds) {
    const double expected = (seconds - 0.5) * 30.0;
    EXPECT_NEAR(30.0, standins::FrameRate(media, video), 0.01);
    EXPECT_GE(static_cast<double>(video.chunks.size()), 0.5 * expected);
    EXPECT_LE(static_cast<double>(video.chunks.size()), expected + 3.0);
}

// Every stored frame is the bench's still scene, untouched by the plain
// effect settings.
void ExpectStillScene(IBenchDeviceControl* bench, const std::vector<uint8_t>& bytes,
                      const standins::MediaStream& video) {
    standins::VideoLayout layout;
    ASSERT_TRUE(standins::DescribeVideo(video, &layout));
    ASSERT_TRUE(standins::IsUncompressedRgb24(layout));
    ASSERT_EQ(320, layout.width);
    ASSERT_EQ(240, layout.height);
    std::vector<uint8_t> scene(320 * 240 * 3);
    ASSERT_EQ(S_OK, bench->RenderFrame(320, 240, 0, scene.data(), static_cast<DWORD>(scene.size())));
    for (size_t n = 0; n < video.chunks.size(); n += 7) {
        const standins::MediaChunk& chunk = video.chunks[n];
        ASSERT_LE(chunk.offset + chunk.size, bytes.size());
        const std::vector<uint8_t> frame(bytes.begin() + static_cast<long>(chunk.offset),
                                         bytes.begin() + static_cast<long>(chunk.offset + chunk.size));
        ASSERT_TRUE(frame == scene) << "frame " << n;
    }
}

TEST_F(VideoRecording, VideoOnlyAviHoldsTheCamerasFramesAtItsRateEvenOverAnOlderLongerFile) {
    ASSERT_EQ(S_OK, bench_->SetScenePattern(BENCH_SCENE_STILL));
    ASSERT_EQ(1, Start(1));
    ASSERT_EQ(1, SetVideoFileFormat(2));
    CRecordingFile file("video_only.avi");
    file.Write(std::vector<uint8_t>(12000000, 0xA5));
    const float seconds = Record(CaptureVideo, file, 1500);

    standins::MediaFile media;
    ASSERT_TRUE(file.ReadMedia(&media));
    ASSERT_EQ(1u, media.streams.size());
    ASSERT_EQ(standins::StreamKind::Video, media.streams[0].kind);
    ExpectFramesFor(media, media.streams[0], seconds);
    ExpectStillScene(bench_.Get(), file.Bytes(), media.streams[0]);
}

TEST_F(VideoRecording, AviWithSoundHoldsPicturesAndTheMicrophonesToneInterleavedAndIndexed) {
    ASSERT_EQ(S_OK, bench_->SetScenePattern(BENCH_SCENE_STILL));
    ASSERT_EQ(1, Start(0));
    ASSERT_EQ(1, SetVideoFileFormat(2));
    CRecordingFile file("video_sound.avi");
    // The sound runs on until the stop takes hold, which a loaded machine
    // may take a while to do after the time was read.
    ASSERT_EQ(1, CaptureAV(file.Path()));
    RecordFor(1500);
    const float seconds = RecordingTime();
    const DWORD stopping = GetTickCount();
    EXPECT_EQ(1, CaptureAV(nullptr));
    const float stopTook = SecondsSince(stopping);

    standins::MediaFile media;
    ASSERT_TRUE(file.ReadMedia(&media));
    ASSERT_EQ(2u, media.streams.size());
    // The pictures connect to the mux first, the sound after them.
    const standins::MediaStream& video = media.streams[0];
    const standins::MediaStream& sound = media.streams[1];
    ASSERT_EQ(standins::StreamKind::Video, video.kind);
    ASSERT_EQ(standins::StreamKind::Audio, sound.kind);
    ExpectFramesFor(media, video, seconds);
    ExpectStillScene(bench_.Get(), file.Bytes(), video);

    // The microphone's format, and sound from the start of the run to the
    // stop: no half-second delay on the sound pin, and every 100 ms buffer
    // in the file.
    standins::AudioLayout layout;
    ASSERT_TRUE(standins::DescribeAudio(sound, &layout));
    EXPECT_EQ(1, layout.formatTag);
    EXPECT_EQ(44100u, layout.samplesPerSec);
    EXPECT_EQ(16, layout.bitsPerSample);
    EXPECT_EQ(1, layout.channels);
    EXPECT_GE(standins::StreamLengthSeconds(media, sound), seconds - 0.35);
    EXPECT_LE(standins::StreamLengthSeconds(media, sound), seconds + stopTook + 0.35);
    const std::vector<uint8_t> bytes = file.Bytes();
    const uint8_t* first = bytes.data() + sound.chunks.front().offset;
    EXPECT_FALSE(std::all_of(first, first + sound.chunks.front().size, [](uint8_t b) { return b == 0; }))
        << "the sound is heard";

    // The headers were finished with what was written: frames in the main
    // and stream headers, sound in blocks of two bytes.
    EXPECT_EQ(video.chunks.size(), media.totalFrames);
    EXPECT_EQ(video.chunks.size(), video.headerLength);
    EXPECT_EQ(sound.dataBytes / 2, sound.headerLength);

    // Sound and pictures lie together: sound chunks come between the first
    // and the last picture.
    const uint64_t firstFrame = video.chunks.front().offset;
    const uint64_t lastFrame = video.chunks.back().offset;
    EXPECT_TRUE(std::any_of(sound.chunks.begin(), sound.chunks.end(), [&](const standins::MediaChunk& chunk) {
        return chunk.offset > firstFrame && chunk.offset < lastFrame;
    }));

    // The index lists every chunk in file order, each pointing at its
    // chunk's header ('movi' code + offset + 8 is the data).
    ASSERT_EQ(video.chunks.size() + sound.chunks.size(), media.index.size());
    size_t frames = 0;
    size_t buffers = 0;
    for (const standins::AviIndexEntry& entry : media.index) {
        const bool isFrame = entry.id == standins::FourCc('0', '0', 'd', 'c');
        ASSERT_TRUE(isFrame || entry.id == standins::FourCc('0', '1', 'w', 'b'));
        const standins::MediaChunk& chunk = isFrame ? video.chunks.at(frames++) : sound.chunks.at(buffers++);
        EXPECT_EQ(chunk.offset, media.moviCode + entry.offset + 8);
        EXPECT_EQ(chunk.size, entry.size);
    }
}

TEST_F(VideoRecording, AviRecordingsThatCannotBeMadeGiveThePreviewBack) {
    // An AVI file the writer cannot open (its folder does not exist) fails
    // the start; the camera streams into a running preview again, and the
    // next AVI recording is made.
    ASSERT_EQ(1, Start(0));
    ASSERT_EQ(1, SetVideoFileFormat(2));
    CRecordingFile nowhere("no_such_folder\\video.avi");
    EXPECT_EQ(0, CaptureAV(nowhere.Path()));
    float seconds = 0.0f;
    EXPECT_EQ(0, GetCurrentRecordingTime(&seconds));
    EXPECT_TRUE(CameraStreams());

    CRecordingFile file("video_after_avi_failure.avi");
    ASSERT_EQ(1, CaptureAV(file.Path()));
    RecordFor(300);
    EXPECT_EQ(1, CaptureAV(nullptr));
    EXPECT_TRUE(CameraStreams());
    standins::MediaFile media;
    EXPECT_TRUE(file.ReadMedia(&media));
}

TEST_F(VideoRecording, PauseHoldsTheTimeAndResumeGoesOn) {
    ASSERT_EQ(1, Start(0));
    CRecordingFile file("video_paused.asf");
    ExpectPauseHoldsTheTime(CaptureAV, file);
}

TEST_F(VideoRecording, TogglesRefuseOutsideTheirModeAndAnotherPathOnlyStops) {
    ASSERT_EQ(1, Start(1));
    CRecordingFile file("video_gates.asf");
    CRecordingFile other("video_gates_other.asf");
    EXPECT_EQ(0, CaptureAV(file.Path()));
    EXPECT_EQ(0, CaptureAudio(file.Path()));
    EXPECT_FALSE(file.Exists());
    ASSERT_EQ(1, SetMode(0));
    EXPECT_EQ(0, CaptureVideo(file.Path()));
    EXPECT_EQ(0, CaptureAV(nullptr));
    EXPECT_FALSE(file.Exists());

    ASSERT_EQ(1, CaptureAV(file.Path()));
    EXPECT_EQ(0, SetVideoBitrate(2));
    EXPECT_EQ(0, SetVideoFileFormat(2));
    EXPECT_EQ(1, SetImageFileFormat(3));
    EXPECT_EQ(0, SetMode(3));
    RecordFor(300);
    EXPECT_EQ(1, CaptureAV(other.Path()));
    EXPECT_FALSE(other.Exists());
    EXPECT_TRUE(file.Exists());
    float seconds = 0.0f;
    EXPECT_EQ(0, GetCurrentRecordingTime(&seconds));
    EXPECT_TRUE(CameraStreams());
}

TEST_F(VideoRecording, AFailedStartGivesThePreviewBackAndLeavesTheEngineIdle) {
    ASSERT_EQ(1, Start(0));
    CRecordingFile nowhere("no_such_folder\\video.asf");
    EXPECT_EQ(0, CaptureAV(nowhere.Path()));
    float seconds = 0.0f;
    EXPECT_EQ(0, GetCurrentRecordingTime(&seconds));
    EXPECT_TRUE(CameraStreams());

    CRecordingFile file("video_after_failure.asf");
    Record(CaptureAV, file, 1200);
    standins::AsfRecord record;
    ASSERT_TRUE(file.ReadAsfRecord(&record));
    const standins::AsfPinRecord* pictures = record.Pin("video");
    ASSERT_NE(nullptr, pictures);
    EXPECT_GT(pictures->samples, 0u);
}

// A suspend ends a video recording as the toggle would, also when no format
// was ever chosen and the resume has none to rebuild the preview with: the
// file is finished and the camera goes back to the preview.
TEST_F(VideoRecording, ASuspendFinishesTheRecordingAlsoWithoutAFormat) {
    ASSERT_EQ(1, Start(1));
    CRecordingFile file("video_suspended.asf");
    ASSERT_EQ(1, CaptureVideo(file.Path()));
    RecordFor(800);
    SendMessageA(FindHiddenWindow(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    SendMessageA(FindHiddenWindow(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    EXPECT_EQ(-1.0f, RecordingTime());
    standins::AsfRecord record;
    EXPECT_TRUE(file.ReadAsfRecord(&record)) << "the recording still runs";
    EXPECT_TRUE(CameraStreams());

    CRecordingFile again("video_after_resume.asf");
    Record(CaptureVideo, again, 500);
    EXPECT_TRUE(again.ReadAsfRecord(&record));
}

TEST_F(VideoRecording, TwentyCyclesLeakNothingHangNowhereAndThePreviewRunsAfterEachStop) {
    ASSERT_EQ(1, Start(0));
    CRecordingFile file("video_cycles.asf");
    CRecordingTimePoller poller;
    LONG devicesAfterFirst = 0;
    LONG standInsAfterFirst = 0;
    for (int cycle = 0; cycle < 20; ++cycle) {
        ASSERT_EQ(1, CaptureAV(file.Path())) << cycle;
        RecordFor(150);
        ASSERT_EQ(1, CaptureAV(nullptr)) << cycle;
        ASSERT_TRUE(CameraStreams()) << cycle;
        if (cycle == 0) {
            devicesAfterFirst = LiveDeviceObjects();
            standInsAfterFirst = LiveStandInObjects();
        }
    }
    poller.Stop();
    EXPECT_EQ(devicesAfterFirst, LiveDeviceObjects());
    EXPECT_EQ(standInsAfterFirst, LiveStandInObjects());
    EXPECT_EQ(0u, BoxesSaying(L"The camera is used by another program"));
}

}  // namespace
}  // namespace enginetest
