// The transform filter and the push source in real Wine graphs:
// test source -> test transform (inverts bytes) -> test sink.
#include "GraphFixture.h"
#include "TestFilters.h"

#include "dshowbase/InfoOwners.h"
#include "dshowbase/Module.h"

#include <gtest/gtest.h>

namespace basetest {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr size_t kFrameBytes = kWidth * 3 * kHeight;

struct Chain {
    CTestSource* source;
    CTestTransform* transform;
    CTestSink* sink;
    ComPtr<IBaseFilter> sourceFilter;
    ComPtr<IBaseFilter> transformFilter;
    ComPtr<IBaseFilter> sinkFilter;
    TestGraph graph;

    explicit Chain(dshowbase::TransformMode mode, WORD sourceBits = 24)
        : source(new CTestSource(kWidth, kHeight, sourceBits)),
          transform(new CTestTransform(mode)),
          sink(new CTestSink()),
          sourceFilter(source),
          transformFilter(transform),
          sinkFilter(sink) {
        graph.Add(sourceFilter.Get(), L"source");
        graph.Add(transformFilter.Get(), L"transform");
        graph.Add(sinkFilter.Get(), L"sink");
    }
    HRESULT ConnectAll() {
        HRESULT hr = graph.Connect(PinOf(sourceFilter.Get(), L"Out").Get(),
                                   PinOf(transformFilter.Get(), L"XForm In").Get());
        if (FAILED(hr)) {
            return hr;
        }
        return graph.Connect(PinOf(transformFilter.Get(), L"XForm Out").Get(), PinOf(sinkFilter.Get(), L"In").Get());
    }
};

void ExpectInvertedPattern(const std::vector<ReceivedFrame>& frames) {
    ASSERT_FALSE(frames.empty());
    for (const ReceivedFrame& frame : frames) {
        ASSERT_EQ(kFrameBytes, frame.bytes.size());
        ASSERT_GE(frame.mediaTime, 0);
        for (size_t i = 0; i < frame.bytes.size(); ++i) {
            ASSERT_EQ(255 - PatternByte(i, frame.mediaTime), frame.bytes[i])
                << "frame " << frame.mediaTime << " byte " << i;
        }
    }
}

class TransformFilterTest : public ComTest {};

TEST_F(TransformFilterTest, CopyPathDeliversEveryFrameTransformed) {
    Chain chain(dshowbase::TransformMode::Copy);
    ASSERT_EQ(S_OK, chain.ConnectAll());

    // The output offers exactly the input's type.
    AM_MEDIA_TYPE connected{};
    ASSERT_EQ(S_OK, PinOf(chain.transformFilter.Get(), L"XForm Out")->ConnectionMediaType(&connected));
    EXPECT_TRUE(dshowbase::MediaTypesEqual(connected, VideoType(kWidth, kHeight, 24, MEDIASUBTYPE_RGB24)));
    dshowbase::FreeMediaType(connected);

    ASSERT_TRUE(SUCCEEDED(chain.graph.Run()));
    ASSERT_TRUE(chain.sink->WaitForFrames(5, 5000));
    ASSERT_TRUE(SUCCEEDED(chain.graph.Stop()));
    ExpectInvertedPattern(chain.sink->Frames());
    EXPECT_EQ(1, chain.transform->starts);
    EXPECT_EQ(1, chain.transform->stops);
}

TEST_F(TransformFilterTest, InPlacePathSharesTheUpstreamAllocator) {
    Chain chain(dshowbase::TransformMode::InPlace);
    ASSERT_EQ(S_OK, chain.ConnectAll());
    ASSERT_TRUE(chain.transform->SharesAllocator());
    ASSERT_TRUE(SUCCEEDED(chain.graph.Run()));
    ASSERT_TRUE(chain.sink->WaitForFrames(5, 5000));
    chain.graph.Stop();
    ExpectInvertedPattern(chain.sink->Frames());
    EXPECT_GT(chain.transform->inPlaceWithoutCopy, 0);
}

TEST_F(TransformFilterTest, RefusedTypesLeaveThePinsUnconnected) {
    Chain chain(dshowbase::TransformMode::Copy, 32);  // RGB32 source
    const HRESULT hr = chain.ConnectAll();
    EXPECT_TRUE(FAILED(hr));
    ComPtr<IPin> peer;
    EXPECT_EQ(VFW_E_NOT_CONNECTED, PinOf(chain.transformFilter.Get(), L"XForm In")->ConnectedTo(peer.GetAddressOf()));
    EXPECT_EQ(VFW_E_NOT_CONNECTED, PinOf(chain.sourceFilter.Get(), L"Out")->ConnectedTo(peer.GetAddressOf()));

    // The output cannot connect before the input knows its type.
    EXPECT_TRUE(FAILED(chain.graph.Connect(PinOf(chain.transformFilter.Get(), L"XForm Out").Get(),
                                           PinOf(chain.sinkFilter.Get(), L"In").Get())));
}

TEST_F(TransformFilterTest, ConnectionsAreRefusedWhileRunning) {
    Chain chain(dshowbase::TransformMode::Copy);
    ASSERT_EQ(S_OK, chain.graph.Connect(PinOf(chain.sourceFilter.Get(), L"Out").Get(),
                                        PinOf(chain.transformFilter.Get(), L"XForm In").Get()));
    ASSERT_TRUE(SUCCEEDED(chain.transformFilter->Pause()));
    ComPtr<IPin> input = PinOf(chain.transformFilter.Get(), L"XForm In");
    EXPECT_EQ(VFW_E_NOT_STOPPED, input->Disconnect());
    ASSERT_TRUE(SUCCEEDED(chain.transformFilter->Stop()));
    EXPECT_EQ(S_OK, input->Disconnect());
    EXPECT_EQ(S_FALSE, input->Disconnect());
}

TEST_F(TransformFilterTest, GraphEventsReachTheApplication) {
    Chain chain(dshowbase::TransformMode::Copy);
    chain.transform->eventCode = EC_USER + 0x64;
    ASSERT_EQ(S_OK, chain.ConnectAll());
    ASSERT_TRUE(SUCCEEDED(chain.graph.Run()));
    LONG_PTR p1 = 0;
    LONG_PTR p2 = 0;
    EXPECT_TRUE(chain.graph.WaitForEvent(EC_USER + 0x64, &p1, &p2, 5000));
    EXPECT_EQ(11, p1);
    EXPECT_EQ(22, p2);
    chain.graph.Stop();
}

TEST_F(TransformFilterTest, EndOfStreamAndFlushPassDownstream) {
    Chain chain(dshowbase::TransformMode::Copy);
    ASSERT_EQ(S_OK, chain.ConnectAll());
    ASSERT_TRUE(SUCCEEDED(chain.graph.Run()));
    ASSERT_TRUE(chain.sink->WaitForFrames(1, 5000));
    ComPtr<IPin> input = PinOf(chain.transformFilter.Get(), L"XForm In");

    // Playing the upstream filter's part by hand.
    EXPECT_EQ(S_OK, input->BeginFlush());
    EXPECT_EQ(1, chain.sink->FlushCount());
    EXPECT_EQ(S_OK, input->EndFlush());
    EXPECT_EQ(S_OK, input->EndOfStream());
    EXPECT_EQ(1, chain.sink->EndOfStreamCount());
    // After end of stream the input refuses samples until it is flushed.
    ComPtr<IMemInputPin> memInput;
    ASSERT_TRUE(SUCCEEDED(input.As(&memInput)));
    ComPtr<IMemAllocator> allocator;
    ASSERT_EQ(S_OK, memInput->GetAllocator(allocator.GetAddressOf()));
    ComPtr<IMediaSample> sample;
    ASSERT_EQ(S_OK, allocator->GetBuffer(sample.GetAddressOf(), nullptr, nullptr, 0));
    sample->SetActualDataLength(0);
    EXPECT_EQ(VFW_E_SAMPLE_REJECTED_EOS, memInput->Receive(sample.Get()));
    sample.Reset();
    chain.graph.Stop();
}

TEST_F(TransformFilterTest, RepeatedRunsAndStopsNeitherHangNorLeak) {
    const LONG before = dshowbase::LiveObjectCount();
    {
        Chain chain(dshowbase::TransformMode::Copy);
        ASSERT_EQ(S_OK, chain.ConnectAll());
        for (int cycle = 0; cycle < 20; ++cycle) {
            chain.sink->Clear();
            ASSERT_TRUE(SUCCEEDED(chain.graph.Run())) << cycle;
            ASSERT_TRUE(chain.sink->WaitForFrames(2, 5000)) << cycle;
            ASSERT_TRUE(SUCCEEDED(chain.graph.Stop())) << cycle;
        }
        EXPECT_EQ(20, chain.transform->starts);
        EXPECT_EQ(20, chain.transform->stops);
        // A stopped graph delivers nothing more.
        chain.sink->Clear();
        Sleep(50);
        EXPECT_TRUE(chain.sink->Frames().empty());
    }
    EXPECT_EQ(before, dshowbase::LiveObjectCount());
}

TEST_F(TransformFilterTest, PinsAndStateAnswerLikeAFilter) {
    Chain chain(dshowbase::TransformMode::Copy);
    ComPtr<IEnumPins> pins;
    ASSERT_EQ(S_OK, chain.transformFilter->EnumPins(pins.GetAddressOf()));
    IPin* fetchedPins[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(S_FALSE, pins->Next(3, fetchedPins, &fetched));
    ComPtr<IPin> found[3];
    for (int i = 0; i < 3; ++i) {
        found[i].Attach(fetchedPins[i]);
    }
    ASSERT_EQ(2u, fetched);
    dshowbase::CPinInfo info;
    found[0]->QueryPinInfo(info.put());
    EXPECT_STREQ(L"XForm In", info->achName);
    EXPECT_EQ(PINDIR_INPUT, info->dir);
    found[1]->QueryPinInfo(info.put());
    EXPECT_STREQ(L"XForm Out", info->achName);
    EXPECT_EQ(PINDIR_OUTPUT, info->dir);

    ComPtr<IPin> missing;
    EXPECT_EQ(VFW_E_NOT_FOUND, chain.transformFilter->FindPin(L"Nope", missing.GetAddressOf()));

    dshowbase::CFilterInfo filterInfo;
    ASSERT_EQ(S_OK, chain.transformFilter->QueryFilterInfo(filterInfo.put()));
    EXPECT_STREQ(L"transform", filterInfo->achName);
    ASSERT_NE(nullptr, filterInfo->pGraph);

    // A live source cannot cue while paused.
    ASSERT_EQ(S_OK, chain.ConnectAll());
    ASSERT_TRUE(SUCCEEDED(chain.sourceFilter->Pause()));
    FILTER_STATE state = State_Stopped;
    EXPECT_EQ(VFW_S_CANT_CUE, chain.sourceFilter->GetState(0, &state));
    EXPECT_EQ(State_Paused, state);
    chain.sourceFilter->Stop();
    ComPtr<IAMFilterMiscFlags> flags;
    ASSERT_TRUE(SUCCEEDED(chain.sourceFilter.As(&flags)));
    EXPECT_EQ(static_cast<ULONG>(AM_FILTER_MISC_FLAGS_IS_SOURCE), flags->GetMiscFlags());
}

}  // namespace
}  // namespace basetest
