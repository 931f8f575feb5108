// "WAV Dest" in the graph the engine builds for WAV recordings: the sound
// source rendered through WAV Dest into the file writer. The files are
// checked field by field against the WAVE layout: 12 bytes of RIFF header,
// a 24-byte format chunk, the data chunk's 8-byte header, then the sound.
#include "BenchDevices.h"
#include "BenchStandIns.h"
#include "ByteOrder.h"
#include "RiffMedia.h"
#include "StandInTestSupport.h"
#include "TestMedia.h"

#include <mmreg.h>

using namespace standintest;
using standins::ReadLe16;
using standins::ReadLe32;

namespace {

std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, size_t from, size_t count) {
    return std::vector<uint8_t>(bytes.begin() + static_cast<long>(from),
                                bytes.begin() + static_cast<long>(from + count));
}

// The engine's WAV graph around a source: WAV Dest and the file writer in
// the graph, the source's pin rendered into them.
struct WavGraph {
    TestGraph graph;
    ComPtr<IBaseFilter> wavDest = Create<IBaseFilter>(CLSID_BenchWavDest);
    ComPtr<IBaseFilter> writer = Create<IBaseFilter>(CLSID_FileWriter);
    HRESULT built = E_FAIL;

    WavGraph(IBaseFilter* source, IPin* output, const TestFile& file) {
        ComPtr<IFileSinkFilter2> sink;
        if (!wavDest || !writer || FAILED(writer.As(&sink))) {
            return;
        }
        graph.Add(source, L"Audio Capture");
        graph.Add(writer.Get(), L"File Writer");
        graph.Add(wavDest.Get(), L"WAV Dest");
        sink->SetMode(AM_FILE_OVERWRITE);
        sink->SetFileName(file.Wide().c_str(), nullptr);
        built = graph.graph->Render(output);
    }
};

size_t FilterCount(IGraphBuilder* graph) {
    ComPtr<IEnumFilters> filters;
    graph->EnumFilters(filters.GetAddressOf());
    size_t count = 0;
    ComPtr<IBaseFilter> filter;
    while (filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        ++count;
    }
    return count;
}

}  // namespace

class WavDest : public ComTest {};

TEST_F(WavDest, RendersIntoTheWriterAndFixesTheHeaderAtStop) {
    CPushSource* source = new CPushSource(PcmType(1, 8000, 16), 800);
    ComPtr<IBaseFilter> sourceFilter(source);
    TestFile file("tone.wav");
    WavGraph wav(sourceFilter.Get(), source->Pin(), file);
    ASSERT_EQ(S_OK, wav.built);
    // Rendering used the two filters in the graph and added nothing.
    EXPECT_EQ(3u, FilterCount(wav.graph.graph.Get()));
    ComPtr<IPin> connected;
    EXPECT_EQ(S_OK, PinNamed(wav.writer.Get(), L"in")->ConnectedTo(connected.GetAddressOf()));

    const std::vector<uint8_t> sound = SoundBytes(4000);
    ASSERT_EQ(S_OK, wav.graph.control->Run());
    for (size_t i = 0; i < 5; ++i) {
        ASSERT_EQ(S_OK, source->Push(Slice(sound, i * 800, 800), i * 500000LL, (i + 1) * 500000LL));
    }
    ASSERT_EQ(S_OK, wav.graph.control->Stop());

    const std::vector<uint8_t> bytes = file.Bytes();
    ASSERT_EQ(44u + 4000u, bytes.size());
    EXPECT_EQ(0, memcmp(bytes.data(), "RIFF", 4));
    EXPECT_EQ(36u + 4000u, ReadLe32(&bytes[4]));
    EXPECT_EQ(0, memcmp(&bytes[8], "WAVEfmt ", 8));
    EXPECT_EQ(16u, ReadLe32(&bytes[16]));
    EXPECT_EQ(1u, ReadLe16(&bytes[20]));  // PCM
    EXPECT_EQ(1u, ReadLe16(&bytes[22]));  // mono
    EXPECT_EQ(8000u, ReadLe32(&bytes[24]));
    EXPECT_EQ(16000u, ReadLe32(&bytes[28]));
    EXPECT_EQ(2u, ReadLe16(&bytes[32]));
    EXPECT_EQ(16u, ReadLe16(&bytes[34]));
    EXPECT_EQ(0, memcmp(&bytes[36], "data", 4));
    EXPECT_EQ(4000u, ReadLe32(&bytes[40]));
    EXPECT_EQ(sound, Slice(bytes, 44, 4000));
}

TEST_F(WavDest, OddSoundLengthIsPadded) {
    CPushSource* source = new CPushSource(PcmType(1, 8000, 8), 16);
    ComPtr<IBaseFilter> sourceFilter(source);
    TestFile file("odd.wav");
    WavGraph wav(sourceFilter.Get(), source->Pin(), file);
    ASSERT_EQ(S_OK, wav.built);
    ASSERT_EQ(S_OK, wav.graph.control->Run());
    ASSERT_EQ(S_OK, source->Push({1, 2, 3}, 0, 1));
    ASSERT_EQ(S_OK, source->Push({4, 5}, 1, 2));
    ASSERT_EQ(S_OK, wav.graph.control->Stop());

    // Five bytes of sound and a pad byte; the RIFF size counts the pad, the
    // data size does not.
    const std::vector<uint8_t> bytes = file.Bytes();
    ASSERT_EQ(44u + 5u + 1u, bytes.size());
    EXPECT_EQ(36u + 6u, ReadLe32(&bytes[4]));
    EXPECT_EQ(5u, ReadLe32(&bytes[40]));
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3, 4, 5, 0}), Slice(bytes, 44, 6));
}

TEST_F(WavDest, RecordingWithoutSoundIsAnEmptyWave) {
    CPushSource* source = new CPushSource(PcmType(2, 44100, 16), 1024);
    ComPtr<IBaseFilter> sourceFilter(source);
    TestFile file("empty.wav");
    ASSERT_TRUE(WriteBytes(file.Narrow(), std::vector<uint8_t>(500, 0xEE)));
    WavGraph wav(sourceFilter.Get(), source->Pin(), file);
    ASSERT_EQ(S_OK, wav.built);
    ASSERT_EQ(S_OK, wav.graph.control->Run());
    ASSERT_EQ(S_OK, wav.graph.control->Stop());
    const std::vector<uint8_t> bytes = file.Bytes();
    ASSERT_EQ(44u, bytes.size());  // the old 500 bytes are gone
    EXPECT_EQ(36u, ReadLe32(&bytes[4]));
    EXPECT_EQ(2u, ReadLe16(&bytes[22]));
    EXPECT_EQ(176400u, ReadLe32(&bytes[28]));
    EXPECT_EQ(0u, ReadLe32(&bytes[40]));
}

TEST_F(WavDest, WriterWithoutStreamGetsAFreshHeaderAfterEveryBuffer) {
    CPushSource* source = new CPushSource(PcmType(1, 8000, 16), 800);
    ComPtr<IBaseFilter> sourceFilter(source);
    CKeepingSink* sink = new CKeepingSink(MEDIATYPE_Stream);
    ComPtr<IBaseFilter> sinkFilter(sink);
    ComPtr<IBaseFilter> wavDest = Create<IBaseFilter>(CLSID_BenchWavDest);
    TestGraph graph;
    graph.Add(sourceFilter.Get(), L"Source");
    graph.Add(wavDest.Get(), L"WAV Dest");
    graph.Add(sinkFilter.Get(), L"Sink");
    ASSERT_EQ(S_OK, graph.Connect(source->Pin(), PinNamed(wavDest.Get(), L"XForm In").Get()));
    ASSERT_EQ(S_OK, graph.Connect(PinNamed(wavDest.Get(), L"XForm Out").Get(), sink->Pin()));

    const std::vector<uint8_t> sound = SoundBytes(1600);
    ASSERT_EQ(S_OK, graph.control->Run());
    ASSERT_EQ(S_OK, source->Push(Slice(sound, 0, 800), 0, 1));
    std::vector<uint8_t> file = sink->AsFile();
    ASSERT_EQ(44u + 800u, file.size());
    EXPECT_EQ(800u, ReadLe32(&file[40]));
    ASSERT_EQ(S_OK, source->Push(Slice(sound, 800, 800), 1, 2));
    ASSERT_EQ(S_OK, graph.control->Stop());

    file = sink->AsFile();
    ASSERT_EQ(44u + 1600u, file.size());
    EXPECT_EQ(36u + 1600u, ReadLe32(&file[4]));
    EXPECT_EQ(1600u, ReadLe32(&file[40]));
    EXPECT_EQ(sound, Slice(file, 44, 1600));
    // Every sample carries its byte offset as its time.
    for (const SinkSample& sample : sink->Samples()) {
        EXPECT_TRUE(sample.timed);
    }
}

TEST_F(WavDest, TakesPcmOnly) {
    ComPtr<IBaseFilter> wavDest = Create<IBaseFilter>(CLSID_BenchWavDest);
    ASSERT_TRUE(wavDest);
    ComPtr<IPin> input = PinNamed(wavDest.Get(), L"XForm In");
    dshowbase::CMediaType floats = PcmType(1, 8000, 32);
    reinterpret_cast<WAVEFORMATEX*>(floats.pbFormat)->wFormatTag = WAVE_FORMAT_IEEE_FLOAT;
    dshowbase::CMediaType lying = PcmType(2, 8000, 16);
    reinterpret_cast<WAVEFORMATEX*>(lying.pbFormat)->nBlockAlign = 2;  // one channel's worth
    const dshowbase::CMediaType stereo = PcmType(2, 48000, 16);
    const dshowbase::CMediaType video = Rgb24Type(8, 6, 1000000);
    EXPECT_EQ(S_OK, input->QueryAccept(&stereo));
    EXPECT_NE(S_OK, input->QueryAccept(&floats));
    EXPECT_NE(S_OK, input->QueryAccept(&lying));
    EXPECT_NE(S_OK, input->QueryAccept(&video));
}

TEST_F(WavDest, LiveMicrophoneRecordingLastsAsLongAsTheRun) {
    ComPtr<IBaseFilter> microphone = Create<IBaseFilter>(CLSID_BenchMicrophone);
    ASSERT_TRUE(microphone);
    TestFile file("microphone.wav");
    WavGraph wav(microphone.Get(), PinNamed(microphone.Get(), L"Capture").Get(), file);
    ASSERT_EQ(S_OK, wav.built);
    const DWORD started = GetTickCount();
    ASSERT_EQ(S_OK, wav.graph.control->Run());
    Sleep(1200);
    ASSERT_EQ(S_OK, wav.graph.control->Stop());
    const double seconds = (GetTickCount() - started) / 1000.0;

    const std::vector<uint8_t> bytes = file.Bytes();
    standins::MemoryByteSource reader(bytes);
    standins::MediaFile media;
    ASSERT_EQ(standins::ParseStatus::Ok, standins::ParseRiffMedia(reader, &media));
    ASSERT_EQ(standins::Container::Wave, media.container);
    // The header describes exactly the bytes that follow it.
    EXPECT_EQ(bytes.size() - 8, ReadLe32(&bytes[4]));
    EXPECT_EQ(bytes.size() - 44, ReadLe32(&bytes[40]));
    EXPECT_EQ(0u, media.streams[0].dataBytes % 2);
    // A buffer holds 100 ms; the first may come late and the last be cut.
    EXPECT_NEAR(seconds, standins::StreamLengthSeconds(media, media.streams[0]), 0.3);
}
