// Copies one media sample into another: the data up to the input's actual
// length, stream and media times, the sync-point, preroll and discontinuity
// flags, an attached media type, and the actual length. The copy-transform
// filters start every frame with it.
#pragma once

#include <dshow.h>

namespace dshowbase {

// E_POINTER for a null sample; VFW_E_BUFFER_OVERFLOW when the output buffer
// is smaller than the input's data (nothing is written then); E_UNEXPECTED
// when a flag query answers neither S_OK nor S_FALSE.
HRESULT CopySample(IMediaSample* input, IMediaSample* output);

// Only the stream and media times, each when the input has them.
void CopySampleTimes(IMediaSample* input, IMediaSample* output);

}  // namespace dshowbase
