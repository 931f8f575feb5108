#include "PassThroughFilter.h"

#include "BenchDevices.h"

#include "dshowbase/Negotiation.h"
#include "dshowbase/SampleCopy.h"

#include <new>

namespace bench {

dshowbase::CUnknown* CPassThroughFilter::CreateCopy(HRESULT*) {
    return new (std::nothrow) CPassThroughFilter(CLSID_BenchPassThrough, dshowbase::TransformMode::Copy);
}

dshowbase::CUnknown* CPassThroughFilter::CreateInPlace(HRESULT*) {
    return new (std::nothrow) CPassThroughFilter(CLSID_BenchInPlacePassThrough, dshowbase::TransformMode::InPlace);
}

CPassThroughFilter::CPassThroughFilter(REFCLSID clsid, dshowbase::TransformMode mode)
    : CTransformFilter(L"bench pass-through", clsid, mode) {}

HRESULT CPassThroughFilter::CheckInputType(const dshowbase::CMediaType* input) {
    if (input == nullptr) {
        return E_POINTER;
    }
    return input->IsPartiallySpecified() ? VFW_E_TYPE_NOT_ACCEPTED : S_OK;
}

HRESULT CPassThroughFilter::CheckTransform(const dshowbase::CMediaType* input, const dshowbase::CMediaType* output) {
    if (input == nullptr || output == nullptr) {
        return E_POINTER;
    }
    return *input == *output ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CPassThroughFilter::GetMediaType(int position, dshowbase::CMediaType* output) {
    if (!InputPin()->IsConnected()) {
        return E_UNEXPECTED;
    }
    return dshowbase::OfferSingleType(position, output, InputPin()->CurrentMediaType());
}

HRESULT CPassThroughFilter::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    if (!InputPin()->IsConnected()) {
        return E_UNEXPECTED;
    }
    return dshowbase::SetAllocatorAtLeast(
        allocator, request, 1, static_cast<long>(dshowbase::FrameBufferSize(InputPin()->CurrentMediaType())));
}

HRESULT CPassThroughFilter::Transform(IMediaSample* input, IMediaSample* output) {
    return dshowbase::CopySample(input, output);
}

HRESULT CPassThroughFilter::TransformInPlace(IMediaSample*) { return S_OK; }

}  // namespace bench
