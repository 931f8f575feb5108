#include "dshowbase/Negotiation.h"
#include "failtrail/FailTrail.h"

namespace dshowbase {

HRESULT OfferSingleType(int position, CMediaType* out, const AM_MEDIA_TYPE& offered) {
    if (out == nullptr) {
        return E_POINTER;
    }
    if (position < 0) {
        return E_INVALIDARG;
    }
    if (position > 0) {
        return VFW_S_NO_MORE_ITEMS;
    }
    return out->Set(offered) ? S_OK : E_OUTOFMEMORY;
}

HRESULT SetAllocatorAtLeast(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request, long minBuffers,
                            long bufferBytes) {
    if (allocator == nullptr || request == nullptr) {
        return E_POINTER;
    }
    if (bufferBytes <= 0 || minBuffers <= 0) {
        return VFW_E_INVALIDMEDIATYPE;
    }
    request->cBuffers = request->cBuffers > minBuffers ? request->cBuffers : minBuffers;
    request->cbBuffer = request->cbBuffer > bufferBytes ? request->cbBuffer : bufferBytes;
    if (request->cbAlign <= 0) {
        request->cbAlign = 1;
    }
    ALLOCATOR_PROPERTIES actual{};
    RETURN_IF_FAILED(allocator->SetProperties(request, &actual));
    return (actual.cBuffers < minBuffers || actual.cbBuffer < bufferBytes) ? E_FAIL : S_OK;
}

}  // namespace dshowbase
