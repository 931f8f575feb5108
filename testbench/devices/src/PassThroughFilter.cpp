#include "PassThroughFilter.h"

#include "BenchDevices.h"

#include "dshowbase/SampleCopy.h"

#include <new>

namespace bench {

dshowbase::CUnknown* CPassThroughFilter::CreateCopy(HRESULT*)
{
    return new (std::nothrow) CPassThroughFilter(CLSID_BenchPassThrough, dshowbase::TransformMode::Copy);
}

dshowbase::CUnknown* CPassThroughFilter::CreateInPlace(HRESULT*)
{
    return new (std::nothrow)
        CPassThroughFilter(CLSID_BenchInPlacePassThrough, dshowbase::TransformMode::InPlace);
}

CPassThroughFilter::CPassThroughFilter(REFCLSID clsid, dshowbase::TransformMode mode)
    : CTransformFilter(L"bench pass-through", clsid, mode)
{
}

HRESULT CPassThroughFilter::CheckInputType(const dshowbase::CMediaType* input)
{
    if (input == nullptr) {
        return E_POINTER;
    }
    return input->IsPartiallySpecified() ? VFW_E_TYPE_NOT_ACCEPTED : S_OK;
}

HRESULT CPassThroughFilter::CheckTransform(const dshowbase::CMediaType* input,
                                           const dshowbase::CMediaType* output)
{
    if (input == nullptr || output == nullptr) {
        return E_POINTER;
    }
    return *input == *output ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CPassThroughFilter::GetMediaType(int position, dshowbase::CMediaType* output)
{
    if (output == nullptr) {
        return E_POINTER;
    }
    if (!InputPin()->IsConnected()) {
        return E_UNEXPECTED;
    }
    if (position < 0) {
        return E_INVALIDARG;
    }
    if (position > 0) {
        return VFW_S_NO_MORE_ITEMS;
    }
    *output = InputPin()->CurrentMediaType();
    return S_OK;
}

HRESULT CPassThroughFilter::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    if (allocator == nullptr || request == nullptr) {
        return E_POINTER;
    }
    if (!InputPin()->IsConnected()) {
        return E_UNEXPECTED;
    }
    const long needed = static_cast<long>(dshowbase::FrameBufferSize(InputPin()->CurrentMediaType()));
    if (needed <= 0) {
        return VFW_E_INVALIDMEDIATYPE;
    }
    request->cBuffers = request->cBuffers > 1 ? request->cBuffers : 1;
    request->cbBuffer = request->cbBuffer > needed ? request->cbBuffer : needed;
    if (request->cbAlign <= 0) {
        request->cbAlign = 1;
    }
    ALLOCATOR_PROPERTIES actual{};
    const HRESULT hr = allocator->SetProperties(request, &actual);
    if (FAILED(hr)) {
        return hr;
    }
    return (actual.cBuffers < 1 || actual.cbBuffer < needed) ? E_FAIL : S_OK;
}

HRESULT CPassThroughFilter::Transform(IMediaSample* input, IMediaSample* output)
{
    return dshowbase::CopySample(input, output);
}

HRESULT CPassThroughFilter::TransformInPlace(IMediaSample*)
{
    return S_OK;
}

} // namespace bench
