#include "dshowbase/SampleCopy.h"
#include "failtrail/FailTrail.h"

#include "dshowbase/MediaType.h"

#include <cstring>

namespace dshowbase {
namespace {

// S_OK -> TRUE, S_FALSE -> FALSE; anything else is not a flag.
HRESULT CopyFlag(HRESULT answer, HRESULT (STDMETHODCALLTYPE IMediaSample::*setter)(BOOL), IMediaSample* output) {
    if (answer != S_OK && answer != S_FALSE) {
        return E_UNEXPECTED;
    }
    return (output->*setter)(answer == S_OK ? TRUE : FALSE);
}

}  // namespace

void CopySampleTimes(IMediaSample* input, IMediaSample* output) {
    REFERENCE_TIME start = 0;
    REFERENCE_TIME stop = 0;
    if (input->GetTime(&start, &stop) == S_OK) {
        output->SetTime(&start, &stop);
    }
    LONGLONG mediaStart = 0;
    LONGLONG mediaStop = 0;
    if (input->GetMediaTime(&mediaStart, &mediaStop) == S_OK) {
        output->SetMediaTime(&mediaStart, &mediaStop);
    }
}

HRESULT CopySample(IMediaSample* input, IMediaSample* output) {
    if (input == nullptr || output == nullptr) {
        return E_POINTER;
    }
    BYTE* source = nullptr;
    BYTE* target = nullptr;
    RETURN_IF_FAILED(input->GetPointer(&source));
    RETURN_IF_FAILED(output->GetPointer(&target));
    const long length = input->GetActualDataLength();
    if (length < 0 || length > output->GetSize() || length > input->GetSize()) {
        return VFW_E_BUFFER_OVERFLOW;
    }
    if (length > 0) {
        std::memcpy(target, source, static_cast<size_t>(length));
    }

    CopySampleTimes(input, output);

    RETURN_IF_FAILED(CopyFlag(input->IsSyncPoint(), &IMediaSample::SetSyncPoint, output));
    AM_MEDIA_TYPE* type = nullptr;
    if (input->GetMediaType(&type) == S_OK && type != nullptr) {
        output->SetMediaType(type);
        DeleteMediaType(type);
    }
    RETURN_IF_FAILED(CopyFlag(input->IsPreroll(), &IMediaSample::SetPreroll, output));
    RETURN_IF_FAILED(CopyFlag(input->IsDiscontinuity(), &IMediaSample::SetDiscontinuity, output));
    return output->SetActualDataLength(length);
}

}  // namespace dshowbase
