// The bench's file writer, created the way the engine creates the
// platform's (by CLSID_FileWriter, or by the friendly name "File writer"):
// samples land at the offsets their times give, IStream works during and
// after a run, the overwrite mode decides what happens to an existing file,
// and AVI Mux can finish a file through it.
#include "RiffMedia.h"
#include "StandInTestSupport.h"
#include "TestMedia.h"

using namespace standintest;

namespace {

std::vector<uint8_t> Text(const char* text) { return std::vector<uint8_t>(text, text + strlen(text)); }

struct WriterGraph {
    TestGraph graph;
    CPushSource* source;
    ComPtr<IBaseFilter> sourceFilter;
    ComPtr<IBaseFilter> writer;
    ComPtr<IFileSinkFilter2> sink;

    explicit WriterGraph(const TestFile& file, DWORD mode)
        : source(new CPushSource(ByteStreamType(), 64)), sourceFilter(source) {
        writer = Create<IBaseFilter>(CLSID_FileWriter);
        if (!writer || FAILED(writer.As(&sink))) {
            return;
        }
        sink->SetMode(mode);
        sink->SetFileName(file.Wide().c_str(), nullptr);
        graph.Add(sourceFilter.Get(), L"Source");
        graph.Add(writer.Get(), L"File writer");
        graph.Connect(source->Pin(), PinNamed(writer.Get(), L"in").Get());
    }
};

}  // namespace

class FileWriter : public ComTest {};

TEST_F(FileWriter, IsTheBenchWriterUnderThePlatformNames) {
    // Wine's writer answers neither of these; the engine's WAV graph needs
    // the first, AVI Mux the second.
    ComPtr<IBaseFilter> writer = Create<IBaseFilter>(CLSID_FileWriter);
    ASSERT_TRUE(writer);
    ComPtr<IFileSinkFilter2> sink;
    EXPECT_EQ(S_OK, writer.As(&sink));
    ComPtr<IStream> stream;
    EXPECT_EQ(S_OK, PinNamed(writer.Get(), L"in").As(&stream));
    EXPECT_EQ(CLSID_FileWriter, FindByFriendlyName(L"File writer"));
}

TEST_F(FileWriter, PlacesSamplesByTheirTimesAndCompletes) {
    TestFile file("offsets.bin");
    WriterGraph w(file, AM_FILE_OVERWRITE);
    ASSERT_TRUE(w.sink);
    ASSERT_EQ(S_OK, w.graph.control->Run());
    EXPECT_EQ(S_OK, w.source->Push(Text("HEADERXX"), 0, 8));
    EXPECT_EQ(S_OK, w.source->Push(Text("DATA1"), 8, 13));
    EXPECT_EQ(S_OK, w.source->Push(Text("TAIL"), CPushSource::kUntimed, 0));  // no time: after the last write
    EXPECT_EQ(S_OK, w.source->Push(Text("HEADERYY"), 0, 8));                  // a header fixed later
    EXPECT_EQ(S_OK, w.source->EndOfStream());
    EXPECT_TRUE(w.graph.WaitForEvent(EC_COMPLETE, 2000));
    ASSERT_EQ(S_OK, w.graph.control->Stop());
    EXPECT_EQ(Text("HEADERYYDATA1TAIL"), file.Bytes());
}

TEST_F(FileWriter, ModeDecidesWhatHappensToAnExistingFile) {
    for (DWORD mode : {0ul, static_cast<unsigned long>(AM_FILE_OVERWRITE)}) {
        TestFile file("mode.bin");
        ASSERT_TRUE(WriteBytes(file.Narrow(), Text("0123456789")));
        {
            WriterGraph w(file, mode);
            ASSERT_TRUE(w.sink);
            DWORD got = 99;
            EXPECT_EQ(S_OK, w.sink->GetMode(&got));
            EXPECT_EQ(mode, got);
            ASSERT_EQ(S_OK, w.graph.control->Run());
            EXPECT_EQ(S_OK, w.source->Push(Text("xy"), 2, 4));
            ASSERT_EQ(S_OK, w.graph.control->Stop());
        }
        // Mode 0 leaves the other bytes alone; overwrite starts from an
        // empty file (the gap before offset 2 reads as zeros).
        const std::vector<uint8_t> expected = mode == 0 ? Text("01xy456789") : std::vector<uint8_t>{0, 0, 'x', 'y'};
        EXPECT_EQ(expected, file.Bytes()) << "mode " << mode;
    }
}

TEST_F(FileWriter, StreamWritesDuringAndAfterTheRun) {
    TestFile file("stream.bin");
    WriterGraph w(file, AM_FILE_OVERWRITE);
    ASSERT_TRUE(w.sink);
    ComPtr<IStream> stream;
    ASSERT_EQ(S_OK, PinNamed(w.writer.Get(), L"in").As(&stream));
    ASSERT_EQ(S_OK, w.graph.control->Run());
    EXPECT_EQ(S_OK, w.source->Push(Text("abcdefgh"), 0, 8));
    LARGE_INTEGER at{};
    at.QuadPart = 2;
    ULARGE_INTEGER position{};
    EXPECT_EQ(S_OK, stream->Seek(at, STREAM_SEEK_SET, &position));
    EXPECT_EQ(2u, position.QuadPart);
    ULONG written = 0;
    EXPECT_EQ(S_OK, stream->Write("CD", 2, &written));
    EXPECT_EQ(2u, written);
    ASSERT_EQ(S_OK, w.graph.control->Stop());

    // After the writer stopped (a multiplexer fixing its header), the file
    // is opened again for the write.
    at.QuadPart = -1;
    EXPECT_EQ(S_OK, stream->Seek(at, STREAM_SEEK_END, &position));
    EXPECT_EQ(7u, position.QuadPart);
    EXPECT_EQ(S_OK, stream->Write("H!", 2, nullptr));
    EXPECT_EQ(Text("abCDefgH!"), file.Bytes());

    STATSTG stat{};
    EXPECT_EQ(S_OK, stream->Stat(&stat, STATFLAG_NONAME));
    EXPECT_EQ(9u, stat.cbSize.QuadPart);
    at.QuadPart = 0;
    stream->Seek(at, STREAM_SEEK_SET, nullptr);
    char back[16] = {};
    ULONG read = 0;
    EXPECT_EQ(S_FALSE, stream->Read(back, sizeof(back), &read));  // fewer bytes than asked
    EXPECT_EQ(9u, read);
    EXPECT_STREQ("abCDefgH!", back);
    at.QuadPart = -20;
    EXPECT_EQ(STG_E_INVALIDFUNCTION, stream->Seek(at, STREAM_SEEK_CUR, nullptr));
}

TEST_F(FileWriter, RefusesWhatCannotBeWritten) {
    ComPtr<IBaseFilter> writer = Create<IBaseFilter>(CLSID_FileWriter);
    ComPtr<IFileSinkFilter2> sink;
    ASSERT_EQ(S_OK, writer.As(&sink));
    EXPECT_EQ(E_INVALIDARG, sink->SetMode(2));
    EXPECT_EQ(E_POINTER, sink->SetFileName(nullptr, nullptr));
    EXPECT_EQ(E_INVALIDARG, sink->SetFileName(L"", nullptr));
    LPOLESTR name = nullptr;
    EXPECT_EQ(E_FAIL, sink->GetCurFile(&name, nullptr));

    // No file name: the writer will not start and lose everything. (The
    // filter is asked directly: a graph whose Run fails hangs Wine 8 when
    // it is released.)
    CPushSource* source = new CPushSource(ByteStreamType(), 64);
    ComPtr<IBaseFilter> sourceFilter(source);
    TestGraph graph;
    graph.Add(sourceFilter.Get(), L"Source");
    graph.Add(writer.Get(), L"File writer");
    ASSERT_EQ(S_OK, graph.Connect(source->Pin(), PinNamed(writer.Get(), L"in").Get()));
    EXPECT_EQ(E_UNEXPECTED, writer->Pause());
    FILTER_STATE state = State_Running;
    EXPECT_EQ(S_OK, writer->GetState(0, &state));
    EXPECT_EQ(State_Stopped, state);

    TestFile file("refusals.bin");
    ASSERT_EQ(S_OK, sink->SetFileName(file.Wide().c_str(), nullptr));
    ASSERT_EQ(S_OK, graph.control->Run());
    EXPECT_EQ(VFW_E_NOT_STOPPED, sink->SetFileName(L"other.bin", nullptr));
    // A sample before the start of the file is refused, not written.
    EXPECT_EQ(E_INVALIDARG, source->Push(Text("X"), -5, -4));
    graph.control->Stop();
    EXPECT_EQ(S_OK, sink->GetCurFile(&name, nullptr));
    EXPECT_EQ(file.Wide(), std::wstring(name));
    CoTaskMemFree(name);
}

TEST_F(FileWriter, AviMuxFinishesItsFileThroughIt) {
    AviShape shape;  // 8 x 6 frames, rows of 24 bytes: packed and padded alike
    TestFile file("mux.avi");
    CPushSource* source = new CPushSource(Rgb24Type(shape.width, shape.height, 1000000), 8 * 6 * 3);
    ComPtr<IBaseFilter> sourceFilter(source);
    ComPtr<IBaseFilter> mux = Create<IBaseFilter>(CLSID_AviDest);
    ComPtr<IBaseFilter> writer = Create<IBaseFilter>(CLSID_FileWriter);
    ASSERT_TRUE(mux && writer);
    ComPtr<IFileSinkFilter> sink;
    ASSERT_EQ(S_OK, writer.As(&sink));
    ASSERT_EQ(S_OK, sink->SetFileName(file.Wide().c_str(), nullptr));

    TestGraph graph;
    graph.Add(sourceFilter.Get(), L"Source");
    graph.Add(mux.Get(), L"AVI Mux");
    graph.Add(writer.Get(), L"File writer");
    // Wine's own mux writes only fully interleaved files, and the mode
    // must be set before its pins connect; the bench's mux takes it too.
    ComPtr<IConfigInterleaving> interleaving;
    ASSERT_EQ(S_OK, mux.As(&interleaving));
    ASSERT_EQ(S_OK, interleaving->put_Mode(INTERLEAVE_FULL));
    // Output first, as with Wine's own mux: it reconnects its connected
    // inputs when its output connects, and its input pin then hands out a
    // null allocator.
    ASSERT_EQ(S_OK, graph.graph->Connect(PinNamed(mux.Get(), L"AVI Out").Get(), PinNamed(writer.Get(), L"in").Get()));
    ASSERT_EQ(S_OK, graph.graph->Connect(source->Pin(), PinNamed(mux.Get(), L"Input 01").Get()));
    ASSERT_EQ(S_OK, graph.control->Run());
    for (int n = 0; n < 10; ++n) {
        ASSERT_EQ(S_OK, source->Push(StoredFrame(shape, n), n * 1000000LL, (n + 1) * 1000000LL)) << n;
    }
    source->EndOfStream();
    graph.WaitForEvent(EC_COMPLETE, 3000);
    ASSERT_EQ(S_OK, graph.control->Stop());

    const std::vector<uint8_t> bytes = file.Bytes();
    standins::MemoryByteSource reader(bytes);
    standins::MediaFile media;
    ASSERT_EQ(standins::ParseStatus::Ok, standins::ParseRiffMedia(reader, &media)) << bytes.size() << " bytes";
    ASSERT_EQ(1u, media.streams.size());
    const standins::MediaStream& video = media.streams[0];
    ASSERT_EQ(10u, video.chunks.size());
    EXPECT_DOUBLE_EQ(10.0, standins::FrameRate(media, video));
    for (int n = 0; n < 10; ++n) {
        const std::vector<uint8_t> frame(bytes.begin() + static_cast<long>(video.chunks[n].offset),
                                         bytes.begin() +
                                             static_cast<long>(video.chunks[n].offset + video.chunks[n].size));
        EXPECT_EQ(StoredFrame(shape, n), frame) << "frame " << n;
    }
}
