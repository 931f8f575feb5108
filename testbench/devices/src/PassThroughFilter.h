// A transform that hands every frame on unchanged: the smallest filter built
// on the base layer, and a stand-in wherever a test needs a filter between
// two others. Any fully specified type is taken; the output type is the
// input type. The copy kind copies each sample; the in-place kind passes
// the sample itself when it shares the allocator.
#pragma once

#include "dshowbase/TransformFilter.h"

namespace bench {

class CPassThroughFilter : public dshowbase::CTransformFilter {
public:
    static dshowbase::CUnknown* CreateCopy(HRESULT* result);
    static dshowbase::CUnknown* CreateInPlace(HRESULT* result);

    CPassThroughFilter(REFCLSID clsid, dshowbase::TransformMode mode);

    HRESULT CheckInputType(const dshowbase::CMediaType* input) override;
    HRESULT CheckTransform(const dshowbase::CMediaType* input, const dshowbase::CMediaType* output) override;
    HRESULT GetMediaType(int position, dshowbase::CMediaType* output) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT Transform(IMediaSample* input, IMediaSample* output) override;
    HRESULT TransformInPlace(IMediaSample* sample) override;
};

}  // namespace bench
