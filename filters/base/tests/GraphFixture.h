// COM set-up and a filter graph for the Wine tests of the base layer and of
// the test bench.
#pragma once

#include <dshow.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

namespace basetest {

using Microsoft::WRL::ComPtr;

class ComTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))); }
    void TearDown() override { CoUninitialize(); }
};

inline ComPtr<IPin> PinOf(IBaseFilter* filter, const wchar_t* id) {
    ComPtr<IPin> pin;
    filter->FindPin(id, pin.GetAddressOf());
    return pin;
}

struct TestGraph {
    ComPtr<IGraphBuilder> graph;
    ComPtr<IMediaControl> control;
    ComPtr<IMediaEvent> events;

    TestGraph() {
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                         reinterpret_cast<void**>(graph.GetAddressOf()));
        if (graph) {
            graph.As(&control);
            graph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(events.GetAddressOf()));
        }
    }
    // A test that fails half-way leaves no graph running behind it.
    ~TestGraph() {
        if (control) {
            control->Stop();
        }
    }
    TestGraph(const TestGraph&) = delete;
    TestGraph& operator=(const TestGraph&) = delete;

    HRESULT Add(IBaseFilter* filter, const wchar_t* name) { return graph->AddFilter(filter, name); }
    HRESULT Connect(IPin* out, IPin* in) { return graph->ConnectDirect(out, in, nullptr); }
    HRESULT Run() { return control->Run(); }
    HRESULT Stop() { return control->Stop(); }
    // The next event with this code, within the time; false when none came.
    bool WaitForEvent(long code, LONG_PTR* param1, LONG_PTR* param2, DWORD timeoutMs) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs) {
            long got = 0;
            LONG_PTR p1 = 0;
            LONG_PTR p2 = 0;
            if (events->GetEvent(&got, &p1, &p2, 50) == S_OK) {
                events->FreeEventParams(got, p1, p2);
                if (got == code) {
                    *param1 = p1;
                    *param2 = p2;
                    return true;
                }
            }
        }
        return false;
    }
    bool WaitForEvent(long code, DWORD timeoutMs) {
        LONG_PTR param1 = 0;
        LONG_PTR param2 = 0;
        return WaitForEvent(code, &param1, &param2, timeoutMs);
    }
};

}  // namespace basetest
