// The pin and filter info owners give back the reference each query hands
// out: when filled again and when they go.
#include "GraphFixture.h"
#include "TestFilters.h"

#include "dshowbase/InfoOwners.h"

#include <gtest/gtest.h>

namespace basetest {
namespace {

ULONG References(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

class InfoOwnersTest : public ComTest {};

TEST_F(InfoOwnersTest, EachQueryHoldsOneReferenceUntilRefilledOrGone) {
    TestGraph graph;
    ComPtr<IBaseFilter> sink(new CTestSink());
    ASSERT_EQ(S_OK, graph.Add(sink.Get(), L"sink"));
    const ComPtr<IPin> in = PinOf(sink.Get(), L"In");
    ASSERT_TRUE(in);
    const ULONG graphBefore = References(graph.graph.Get());
    const ULONG sinkBefore = References(sink.Get());
    {
        dshowbase::CFilterInfo filterInfo;
        dshowbase::CPinInfo pinInfo;
        ASSERT_EQ(S_OK, sink->QueryFilterInfo(filterInfo.put()));
        ASSERT_EQ(S_OK, sink->QueryFilterInfo(filterInfo.put()));
        ASSERT_EQ(S_OK, in->QueryPinInfo(pinInfo.put()));
        ASSERT_EQ(S_OK, in->QueryPinInfo(pinInfo.put()));
        EXPECT_EQ(L"sink", filterInfo.Name());
        EXPECT_EQ(L"In", pinInfo.Name());
        EXPECT_EQ(sink.Get(), pinInfo->pFilter);
        EXPECT_EQ(graphBefore + 1, References(graph.graph.Get()));
        EXPECT_EQ(sinkBefore + 1, References(sink.Get()));
    }
    EXPECT_EQ(graphBefore, References(graph.graph.Get()));
    EXPECT_EQ(sinkBefore, References(sink.Get()));
}

}  // namespace
}  // namespace basetest
