// Small answers most pins give alike: one offered media type, and an
// allocator set up for buffers of at least a given size.
#pragma once

#include "dshowbase/MediaType.h"

namespace dshowbase {

// GetMediaType of a pin that offers exactly one type: E_POINTER, E_INVALIDARG
// for a negative position, the type at 0, VFW_S_NO_MORE_ITEMS after it.
HRESULT OfferSingleType(int position, CMediaType* out, const AM_MEDIA_TYPE& offered);

// Raises the request to at least minBuffers buffers of bufferBytes (keeping
// larger wishes of the other pin), sets it on the allocator and checks what
// was granted: E_FAIL when fewer or smaller buffers came back.
HRESULT SetAllocatorAtLeast(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request, long minBuffers, long bufferBytes);

}  // namespace dshowbase
