// The bench's AVI Mux, created by CLSID_AviDest as the engine creates it:
// input pins that appear as each connects, the interleaving settings, and
// the file it writes through the bench's file writer for pictures (8 x 6,
// ten a second) and sound (8 kHz, 16-bit mono), in time order or as the
// samples come.
#include "BenchStandIns.h"
#include "ByteOrder.h"
#include "RiffMedia.h"
#include "StandInTestSupport.h"
#include "TestMedia.h"

using namespace standintest;

namespace {

constexpr REFERENCE_TIME kTenth = 1000000;  // one frame, or 1600 bytes of sound

// Sound buffer n: 1600 bytes whose values follow their place in the whole
// recording.
std::vector<uint8_t> SoundBuffer(int n) {
    std::vector<uint8_t> bytes(1600);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = SoundByte(static_cast<size_t>(n) * 1600 + i);
    }
    return bytes;
}

std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, const standins::MediaChunk& chunk) {
    return std::vector<uint8_t>(bytes.begin() + static_cast<long>(chunk.offset),
                                bytes.begin() + static_cast<long>(chunk.offset + chunk.size));
}

// Pictures into "Input 01", sound into "Input 02", the output into the
// bench's file writer, connected in the order the engine connects them.
struct MuxGraph {
    TestGraph graph;
    AviShape shape;
    CPushSource* pictures;
    CPushSource* sound;
    ComPtr<IBaseFilter> picturesFilter;
    ComPtr<IBaseFilter> soundFilter;
    ComPtr<IBaseFilter> mux = Create<IBaseFilter>(CLSID_AviDest);
    ComPtr<IBaseFilter> writer = Create<IBaseFilter>(CLSID_FileWriter);
    ComPtr<IConfigInterleaving> interleaving;
    HRESULT connected = E_FAIL;

    MuxGraph(const TestFile& file, InterleavingMode mode)
        : pictures(new CPushSource(Rgb24Type(8, 6, kTenth), 8 * 6 * 3)),
          sound(new CPushSource(PcmType(1, 8000, 16), 1600)),
          picturesFilter(pictures),
          soundFilter(sound) {
        ComPtr<IFileSinkFilter> sink;
        if (!mux || !writer || FAILED(writer.As(&sink)) || FAILED(mux.As(&interleaving))) {
            return;
        }
        sink->SetFileName(file.Wide().c_str(), nullptr);
        interleaving->put_Mode(mode);
        graph.Add(picturesFilter.Get(), L"Pictures");
        graph.Add(soundFilter.Get(), L"Sound");
        graph.Add(mux.Get(), L"AVI Mux");
        graph.Add(writer.Get(), L"File writer");
        connected = graph.Connect(PinNamed(mux.Get(), L"AVI Out").Get(), PinNamed(writer.Get(), L"in").Get());
        if (SUCCEEDED(connected)) {
            connected = graph.Connect(pictures->Pin(), PinNamed(mux.Get(), L"Input 01").Get());
        }
        if (SUCCEEDED(connected)) {
            connected = graph.Connect(sound->Pin(), PinNamed(mux.Get(), L"Input 02").Get());
        }
    }

    // Sound runs ahead of the pictures by two buffers, as a microphone
    // that starts before a delayed camera does.
    void PushThreeTenths() {
        EXPECT_EQ(S_OK, sound->Push(SoundBuffer(0), 0, kTenth));
        EXPECT_EQ(S_OK, sound->Push(SoundBuffer(1), kTenth, 2 * kTenth));
        EXPECT_EQ(S_OK, pictures->Push(StoredFrame(shape, 0), 0, kTenth));
        EXPECT_EQ(S_OK, pictures->Push(StoredFrame(shape, 1), kTenth, 2 * kTenth));
        EXPECT_EQ(S_OK, sound->Push(SoundBuffer(2), 2 * kTenth, 3 * kTenth));
        EXPECT_EQ(S_OK, pictures->Push(StoredFrame(shape, 2), 2 * kTenth, 3 * kTenth));
        EXPECT_EQ(S_OK, pictures->EndOfStream());
        EXPECT_EQ(S_OK, sound->EndOfStream());
    }
};

// The six chunks' streams in file order, as "0" for a frame and "1" for
// sound, from the index.
std::string IndexOrder(const standins::MediaFile& media) {
    std::string order;
    for (const standins::AviIndexEntry& entry : media.index) {
        order += static_cast<char>(entry.id >> 8);
    }
    return order;
}

}  // namespace

class AviMux : public ComTest {};

TEST_F(AviMux, IsTheBenchMuxWithAFreeInputAfterEachConnectedOne) {
    EXPECT_EQ(CLSID_AviDest, FindByFriendlyName(BENCH_AVI_MUX_NAME));
    ComPtr<IBaseFilter> mux = Create<IBaseFilter>(CLSID_AviDest);
    ASSERT_TRUE(mux);
    EXPECT_EQ((std::vector<std::wstring>{L"AVI Out", L"Input 01"}), PinNames(mux.Get()));

    TestGraph graph;
    CPushSource* bytes = new CPushSource(ByteStreamType(), 64);
    CPushSource* sound = new CPushSource(PcmType(2, 44100, 16), 4410);
    ComPtr<IBaseFilter> bytesFilter(bytes);
    ComPtr<IBaseFilter> soundFilter(sound);
    graph.Add(mux.Get(), L"AVI Mux");
    graph.Add(bytesFilter.Get(), L"Bytes");
    graph.Add(soundFilter.Get(), L"Sound");
    // Neither pictures nor PCM: refused, and no pin is added for it.
    EXPECT_TRUE(FAILED(graph.Connect(bytes->Pin(), PinNamed(mux.Get(), L"Input 01").Get())));
    EXPECT_EQ(2u, PinNames(mux.Get()).size());
    ASSERT_EQ(S_OK, graph.Connect(sound->Pin(), PinNamed(mux.Get(), L"Input 01").Get()));
    EXPECT_EQ((std::vector<std::wstring>{L"AVI Out", L"Input 01", L"Input 02"}), PinNames(mux.Get()));

    // The output needs a pin it can write the file through (IStream); a
    // sink that only takes samples is refused, and without an output the
    // mux does not start.
    CKeepingSink* keeper = new CKeepingSink(MEDIATYPE_Stream);
    ComPtr<IBaseFilter> keeperFilter(keeper);
    graph.Add(keeperFilter.Get(), L"Keeper");
    EXPECT_TRUE(FAILED(graph.Connect(PinNamed(mux.Get(), L"AVI Out").Get(), keeper->Pin())));
    EXPECT_EQ(VFW_E_NOT_CONNECTED, mux->Pause());
}

TEST_F(AviMux, InterleavingSettingsAreKeptAndChangeOnlyWhileStopped) {
    TestFile file("mux_settings.avi");
    MuxGraph w(file, INTERLEAVE_NONE);
    ASSERT_EQ(S_OK, w.connected);
    InterleavingMode mode = INTERLEAVE_FULL;
    EXPECT_EQ(S_OK, w.interleaving->get_Mode(&mode));
    EXPECT_EQ(INTERLEAVE_NONE, mode);
    EXPECT_EQ(E_INVALIDARG, w.interleaving->put_Mode(static_cast<InterleavingMode>(4)));
    EXPECT_EQ(S_OK, w.interleaving->put_Mode(INTERLEAVE_CAPTURE));
    EXPECT_EQ(S_OK, w.interleaving->get_Mode(&mode));
    EXPECT_EQ(INTERLEAVE_CAPTURE, mode);

    REFERENCE_TIME interleave = 0;
    REFERENCE_TIME preroll = -1;
    EXPECT_EQ(S_OK, w.interleaving->get_Interleaving(&interleave, &preroll));
    EXPECT_EQ(10000000, interleave);
    EXPECT_EQ(0, preroll);
    const REFERENCE_TIME half = 5000000;
    const REFERENCE_TIME none = 0;
    EXPECT_EQ(E_POINTER, w.interleaving->put_Interleaving(nullptr, &none));
    EXPECT_EQ(E_INVALIDARG, w.interleaving->put_Interleaving(&none, &none));
    EXPECT_EQ(S_OK, w.interleaving->put_Interleaving(&half, &half));
    EXPECT_EQ(S_OK, w.interleaving->get_Interleaving(&interleave, &preroll));
    EXPECT_EQ(half, interleave);
    EXPECT_EQ(half, preroll);

    ASSERT_EQ(S_OK, w.graph.control->Run());
    EXPECT_EQ(VFW_E_NOT_STOPPED, w.interleaving->put_Mode(INTERLEAVE_FULL));
    EXPECT_EQ(VFW_E_NOT_STOPPED, w.interleaving->put_Interleaving(&half, &none));
    ASSERT_EQ(S_OK, w.graph.control->Stop());
}

TEST_F(AviMux, FullInterleavingWritesPicturesAndSoundInTimeOrderOverAnOlderLongerFile) {
    TestFile file("mux_full.avi");
    ASSERT_TRUE(WriteBytes(file.Narrow(), std::vector<uint8_t>(20000, 0xA5)));
    MuxGraph w(file, INTERLEAVE_FULL);
    ASSERT_EQ(S_OK, w.connected);
    ASSERT_EQ(S_OK, w.graph.control->Run());
    w.PushThreeTenths();
    EXPECT_TRUE(w.graph.WaitForEvent(EC_COMPLETE, 3000));
    ASSERT_EQ(S_OK, w.graph.control->Stop());

    // Headers 326 bytes (RIFF 12, hdrl 12, avih 64, picture strl 124,
    // sound strl 102, movi 12), three frames of 8 + 144, three sound
    // chunks of 8 + 1600, and idx1 of 8 + 6 x 16: 5710 bytes, the older
    // file's tail cut off.
    const std::vector<uint8_t> bytes = file.Bytes();
    ASSERT_EQ(5710u, bytes.size());
    standins::MemoryByteSource source(bytes);
    standins::MediaFile media;
    ASSERT_EQ(standins::ParseStatus::Ok, standins::ParseRiffMedia(source, &media));
    ASSERT_EQ(2u, media.streams.size());
    const standins::MediaStream& video = media.streams[0];
    const standins::MediaStream& sound = media.streams[1];
    ASSERT_EQ(standins::StreamKind::Video, video.kind);
    ASSERT_EQ(standins::StreamKind::Audio, sound.kind);
    ASSERT_EQ(3u, video.chunks.size());
    ASSERT_EQ(3u, sound.chunks.size());
    // Equal times: the picture (stream 0) first; the sound that came early
    // waited for its picture.
    EXPECT_EQ("010101", IndexOrder(media));
    EXPECT_EQ(334u, video.chunks[0].offset);
    EXPECT_EQ(334u + 152, sound.chunks[0].offset);
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(StoredFrame(w.shape, n), Slice(bytes, video.chunks[n])) << n;
        EXPECT_EQ(SoundBuffer(n), Slice(bytes, sound.chunks[n])) << n;
    }
    EXPECT_DOUBLE_EQ(10.0, standins::FrameRate(media, video));
    EXPECT_EQ(100000u, media.microSecPerFrame);
    EXPECT_EQ(3u, media.totalFrames);
    EXPECT_EQ(3u, video.headerLength);
    EXPECT_EQ(2400u, sound.headerLength);  // 4800 bytes in blocks of 2
    EXPECT_DOUBLE_EQ(0.3, standins::StreamLengthSeconds(media, sound));
    EXPECT_EQ(0x10u, media.index[0].flags);  // AVIIF_KEYFRAME: every uncompressed frame stands alone
    EXPECT_EQ(4u, media.index[0].offset);    // the first chunk, 4 bytes after 'movi'
}

TEST_F(AviMux, OtherModesWriteAsTheSamplesComeAndAStopWithoutEndFinishesTheFile) {
    TestFile file("mux_capture.avi");
    MuxGraph w(file, INTERLEAVE_CAPTURE);
    ASSERT_EQ(S_OK, w.connected);
    ASSERT_EQ(S_OK, w.graph.control->Run());
    EXPECT_EQ(S_OK, w.sound->Push(SoundBuffer(0), 0, kTenth));
    EXPECT_EQ(S_OK, w.sound->Push(SoundBuffer(1), kTenth, 2 * kTenth));
    EXPECT_EQ(S_OK, w.pictures->Push(StoredFrame(w.shape, 0), 0, kTenth));
    // A live recording ends by a stop, not by the end of its streams.
    ASSERT_EQ(S_OK, w.graph.control->Stop());

    const std::vector<uint8_t> bytes = file.Bytes();
    ASSERT_EQ(326u + 2 * 1608 + 152 + 8 + 3 * 16, bytes.size());
    standins::MemoryByteSource source(bytes);
    standins::MediaFile media;
    ASSERT_EQ(standins::ParseStatus::Ok, standins::ParseRiffMedia(source, &media));
    EXPECT_EQ("110", IndexOrder(media));
    EXPECT_EQ(1u, media.totalFrames);
    EXPECT_EQ(1600u, media.streams[1].headerLength);

    // The next run starts a new file over it.
    ASSERT_EQ(S_OK, w.graph.control->Run());
    EXPECT_EQ(S_OK, w.pictures->Push(StoredFrame(w.shape, 5), 0, kTenth));
    ASSERT_EQ(S_OK, w.graph.control->Stop());
    const std::vector<uint8_t> second = file.Bytes();
    ASSERT_EQ(326u + 152 + 8 + 16, second.size());
    standins::MemoryByteSource again(second);
    ASSERT_EQ(standins::ParseStatus::Ok, standins::ParseRiffMedia(again, &media));
    ASSERT_EQ(1u, media.streams[0].chunks.size());
    EXPECT_EQ(StoredFrame(w.shape, 5), Slice(second, media.streams[0].chunks[0]));
    EXPECT_TRUE(media.streams[1].chunks.empty());
}
