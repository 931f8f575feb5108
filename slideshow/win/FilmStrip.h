// The film strip: a row of film frames, each with a picture, its date and
// its name, crawling right across the middle of the screen one frame per
// picture in ten seconds, while the picture at the strip's left end grows
// out of its frame to the whole screen, stays, and fades back.
#pragma once

#include "DibBuffer.h"
#include "ScreenBuffers.h"
#include "SlideList.h"

#include <windows.h>

namespace slideshow {

struct FilmStripContext {
    CSlideList& list;
    CScreenBuffers& buffers;
    const CDibBuffer* frame;  // the film frame picture; null: nothing to lay
    HANDLE event;             // the player's event; may be null
    HWND notify;              // gets WM_PLAYER_REFRESH on every move; may be null
};

// Lays a fresh strip from the cursor and runs cycles until the list ends
// (1), the event is set (1, within about 10 ms), or the frame is missing or
// a picture cannot be loaded (0; the cursor has moved past that picture).
int FilmStrip(const FilmStripContext& context);

// The film frame the player loaded at start; it keeps it, the strip only
// borrows it while the worker runs.
void SetSharedFilmFrame(const CDibBuffer* frame);
// The player worker's call: the process's list, buffers, event and frame.
int FilmStrip();

}  // namespace slideshow
