// Sound recordings through the flat API against the bench microphone and
// the stand-ins for "WAV Dest", the file writer and the WM ASF writer. The
// engine runs in the sound mode, which needs no preview.
#include "engine/tests/RecordingTestSupport.h"
#include "Scene.h"

#include <string>
#include <thread>

namespace enginetest {
namespace {

using SoundRecording = RecordingTest;

constexpr double kBytesPerSecond = 44100 * 2;

TEST_F(SoundRecording, WavFileHoldsTheMicrophonesToneForTheRecordingTime) {
    ASSERT_EQ(1, Start(2));
    CRecordingFile file("sound_tone.wav");
    const DWORD started = GetTickCount();
    const float seconds = Record(CaptureAudio, file, 1500);
    EXPECT_GT(seconds, 1.3f);
    EXPECT_LT(seconds, SecondsSince(started) + 0.3f);

    standins::MediaFile media;
    ASSERT_TRUE(file.ReadMedia(&media));
    EXPECT_EQ(standins::Container::Wave, media.container);
    ASSERT_EQ(1u, media.streams.size());
    standins::AudioLayout layout;
    ASSERT_TRUE(standins::DescribeAudio(media.streams[0], &layout));
    EXPECT_EQ(1, layout.formatTag);
    EXPECT_EQ(1, layout.channels);
    EXPECT_EQ(44100u, layout.samplesPerSec);
    EXPECT_EQ(16, layout.bitsPerSample);
    EXPECT_NEAR(seconds, standins::StreamLengthSeconds(media, media.streams[0]), 0.3);

    // The microphone line got the engine's level (1.0): the tone at full
    // level, from its first sample on.
    const std::vector<uint8_t> bytes = file.Bytes();
    ASSERT_FALSE(media.streams[0].chunks.empty());
    const standins::MediaChunk& data = media.streams[0].chunks[0];
    ASSERT_GE(data.size, 2000u);
    for (uint64_t k = 0; k < 1000; ++k) {
        const size_t at = static_cast<size_t>(data.offset + 2 * k);
        const int16_t sample = static_cast<int16_t>(bytes[at] | bytes[at + 1] << 8);
        ASSERT_EQ(benchscene::ToneSample(k, 1.0), sample) << "sample " << k;
    }
}

TEST_F(SoundRecording, AnExistingWavFileIsReplacedNotWrittenOver) {
    ASSERT_EQ(1, Start(2));
    CRecordingFile file("sound_replaced.wav");
    file.Write(std::vector<uint8_t>(2000000, 0x5A));
    const DWORD started = GetTickCount();
    Record(CaptureAudio, file, 500);
    standins::MediaFile media;
    ASSERT_TRUE(file.ReadMedia(&media));
    ASSERT_EQ(1u, media.streams.size());
    // Header and sound only: nothing of the old, longer file is left.
    EXPECT_EQ(44u + media.streams[0].dataBytes, file.Bytes().size());
    EXPECT_LT(media.streams[0].dataBytes, (SecondsSince(started) + 0.3) * kBytesPerSecond);
}

TEST_F(SoundRecording, TimeStartsNearZeroStandsStillWhilePausedAndGoesOnAfterResume) {
    ASSERT_EQ(1, Start(2));
    CRecordingFile file("sound_paused.wav");
    ExpectPauseHoldsTheTime(CaptureAudio, file);
}

TEST_F(SoundRecording, TogglesRefuseOutsideTheirModeAndWhileAnotherStateHolds) {
    ASSERT_EQ(1, Start(2));
    CRecordingFile file("sound_gates.wav");
    CRecordingFile other("sound_gates_other.wav");
    float seconds = 0.0f;
    // Idle: nothing to stop, pause or time.
    EXPECT_EQ(0, CaptureAudio(nullptr));
    EXPECT_EQ(0, Pause());
    EXPECT_EQ(0, Resume());
    EXPECT_EQ(0, GetCurrentRecordingTime(&seconds));
    // The video toggles need their own modes.
    EXPECT_EQ(0, CaptureAV(file.Path()));
    EXPECT_EQ(0, CaptureVideo(file.Path()));
    EXPECT_FALSE(file.Exists());

    ASSERT_EQ(1, CaptureAudio(file.Path()));
    EXPECT_EQ(0, GetCurrentRecordingTime(nullptr));
    EXPECT_EQ(0, SetMode(0));
    EXPECT_EQ(0, SetAudioFileFormat(0));
    EXPECT_EQ(0, SetAudioBitrate(1));
    // Another path stops the recording and starts nothing.
    EXPECT_EQ(1, CaptureAudio(other.Path()));
    EXPECT_EQ(0, GetCurrentRecordingTime(&seconds));
    EXPECT_FALSE(other.Exists());
    EXPECT_TRUE(file.Exists());

    ASSERT_EQ(1, SetMode(4));
    EXPECT_EQ(0, CaptureAudio(other.Path()));
    EXPECT_FALSE(other.Exists());
}

TEST_F(SoundRecording, PathsThatDoNotFitAreRefusedAndThoseThatDoAreUsedWhole) {
    ASSERT_EQ(1, Start(2));
    // 128 characters would lose the terminator; 127 just fit.
    CRecordingFile tooLong(std::string(124, 'a') + ".wav");
    EXPECT_EQ(0, CaptureAudio(tooLong.Path()));
    EXPECT_FALSE(tooLong.Exists());
    CRecordingFile longest(std::string(123, 'b') + ".wav");
    EXPECT_EQ(0, CaptureAudio(""));
    Record(CaptureAudio, longest, 200);
    EXPECT_TRUE(longest.Exists());
}

TEST_F(SoundRecording, AFailedStartLeavesTheMicrophoneFreeForTheNext) {
    ASSERT_EQ(1, Start(2));
    CRecordingFile nowhere("no_such_folder\\sound.wav");
    EXPECT_EQ(0, CaptureAudio(nowhere.Path()));
    float seconds = 0.0f;
    EXPECT_EQ(0, GetCurrentRecordingTime(&seconds)) << "the failed start counts as recording";

    CRecordingFile file("sound_after_failure.wav");
    Record(CaptureAudio, file, 400);
    standins::MediaFile media;
    ASSERT_TRUE(file.ReadMedia(&media));
    EXPECT_GT(media.streams.at(0).dataBytes, 0u);
}

TEST_F(SoundRecording, WmaFilesKeepOnlyTheSoundStreamAtTheChosenBitrate) {
    ASSERT_EQ(1, Start(2));
    ASSERT_EQ(1, SetAudioFileFormat(0));
    const uint32_t rates[] = {40000, 64000, 96000, 128000};
    for (int index = 0; index < 4; ++index) {
        ASSERT_EQ(1, SetAudioBitrate(index));
        CRecordingFile file("sound_" + std::to_string(index) + ".wma");
        Record(CaptureAudio, file, 300);
        standins::AsfRecord record;
        ASSERT_TRUE(file.ReadAsfRecord(&record)) << index;
        ASSERT_EQ(1u, record.streams.size()) << index;
        EXPECT_EQ("audio", record.streams[0].type);
        EXPECT_EQ(rates[index], record.streams[0].bitrate);
        EXPECT_EQ("profile", record.profileSource);
        ASSERT_EQ(1u, record.pins.size());
        EXPECT_EQ("audio", record.pins[0].type);
        EXPECT_GT(record.pins[0].samples, 0u) << index;
        EXPECT_EQ(0u, record.pins[0].silent) << index;
    }
}

// An AVI of sound alone, finished whether the recording ends by the toggle
// or by a power suspend; a suspend also lets the mux and file writer go.
void ExpectFinishedSoundAvi(const CRecordingFile& file, float seconds) {
    standins::MediaFile media;
    ASSERT_TRUE(file.ReadMedia(&media));
    ASSERT_EQ(1u, media.streams.size());
    const standins::MediaStream& sound = media.streams[0];
    EXPECT_EQ(standins::StreamKind::Audio, sound.kind);
    EXPECT_NEAR(seconds, standins::StreamLengthSeconds(media, sound), 0.3);
    EXPECT_EQ(sound.dataBytes / 2, sound.headerLength);
    EXPECT_EQ(0u, media.totalFrames);
    EXPECT_EQ(sound.chunks.size(), media.index.size());
}

TEST_F(SoundRecording, AviSoundFilesHoldTheToneAndASuspendFinishesThemAndLetsTheirFiltersGo) {
    ASSERT_EQ(1, Start(2));
    ASSERT_EQ(1, SetAudioFileFormat(1));
    CRecordingFile file("sound.avi");
    const float seconds = Record(CaptureAudio, file, 800);
    ExpectFinishedSoundAvi(file, seconds);
    const LONG standInsIdle = LiveStandInObjects();

    CRecordingFile suspended("sound_suspended.avi");
    ASSERT_EQ(1, CaptureAudio(suspended.Path()));
    RecordFor(800);
    const float beforeSuspend = RecordingTime();
    SendMessageA(FindHiddenWindow(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    EXPECT_EQ(standInsIdle, LiveStandInObjects()) << "the mux or the file writer is still held";
    EXPECT_EQ(-1.0f, RecordingTime());
    ExpectFinishedSoundAvi(suspended, beforeSuspend);

    // After the resume the engine is idle and records again.
    SendMessageA(FindHiddenWindow(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    CRecordingFile again("sound_after_resume.avi");
    ExpectFinishedSoundAvi(again, Record(CaptureAudio, again, 500));
}

TEST_F(SoundRecording, AStartFromAThreadThatNeverJoinedComWorks) {
    ASSERT_EQ(1, Start(2));
    CRecordingFile file("sound_thread.wav");
    int started = -1;
    HRESULT joinedAfter = E_FAIL;
    std::thread timer([&] {
        started = CaptureAudio(file.Path());
        // S_OK would mean the engine made its filters on a thread outside
        // COM, which works here only because another thread of the process
        // is in the multithreaded apartment.
        joinedAfter = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(joinedAfter)) CoUninitialize();
    });
    timer.join();
    EXPECT_EQ(1, started);
    EXPECT_NE(S_OK, joinedAfter);
    RecordFor(300);
    EXPECT_EQ(1, CaptureAudio(nullptr));
    standins::MediaFile media;
    EXPECT_TRUE(file.ReadMedia(&media));
}

TEST_F(SoundRecording, TwentyCyclesLeakNothingWhileAnotherThreadReadsTheTime) {
    ASSERT_EQ(1, Start(2));
    CRecordingFile file("sound_cycles.wav");
    CRecordingTimePoller poller;
    LONG devicesAfterFirst = 0;
    LONG standInsAfterFirst = 0;
    for (int cycle = 0; cycle < 20; ++cycle) {
        ASSERT_EQ(1, CaptureAudio(file.Path())) << cycle;
        RecordFor(100);
        ASSERT_EQ(1, CaptureAudio(nullptr)) << cycle;
        if (cycle == 0) {
            devicesAfterFirst = LiveDeviceObjects();
            standInsAfterFirst = LiveStandInObjects();
        }
    }
    EXPECT_GT(poller.Stop(), 0);
    EXPECT_EQ(devicesAfterFirst, LiveDeviceObjects());
    EXPECT_EQ(standInsAfterFirst, LiveStandInObjects());
    standins::MediaFile media;
    EXPECT_TRUE(file.ReadMedia(&media));
}

}  // namespace
}  // namespace enginetest
