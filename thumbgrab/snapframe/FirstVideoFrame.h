// The media detector's side of a thumbnail: find the file's first video
// stream and read its frame at the start as a packed DIB.
#pragma once

#include <windows.h>
#include <qedit.h>

#include <cstdint>
#include <vector>

namespace snapframe {

// Opens the file and makes its first video stream the current one;
// *hasVideo tells whether there is one. Streams whose type cannot be asked
// are passed over. A failure to open the file or count its streams is the
// result.
HRESULT SelectFirstVideoStream(IMediaDet* detector, BSTR fileName, bool* hasVideo);

// The frame at stream time 0 scaled by the detector to width x height, as
// a packed DIB whose header has been checked against its size.
HRESULT ReadFrameAtStart(IMediaDet* detector, long width, long height, std::vector<uint8_t>* dib);

}  // namespace snapframe
