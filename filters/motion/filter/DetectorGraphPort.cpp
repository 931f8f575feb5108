#include "DetectorGraphPort.h"

#include <wrl/client.h>

namespace movesense {

motion::IMotionEventSink* CDetectorGraphPort::QueryEventSink() {
    sink_ = nullptr;
    IFilterGraph* graph = filter_->Graph();
    if (!graph) return nullptr;
    Microsoft::WRL::ComPtr<IMediaEventSink> sink;
    if (FAILED(graph->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(sink.GetAddressOf()))) || !sink)
        return nullptr;
    sink_ = sink.Get();
    return this;
}

void CDetectorGraphPort::Notify(std::int32_t code, std::intptr_t param1, std::intptr_t param2) {
    if (sink_) sink_->Notify(code, static_cast<LONG_PTR>(param1), static_cast<LONG_PTR>(param2));
}

}  // namespace movesense
