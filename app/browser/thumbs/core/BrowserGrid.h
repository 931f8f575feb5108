// Where the thumbnail browser draws and hit-tests its 2 x 4 grid, and how
// its scroll position moves.
#pragma once

namespace vimbrel::browser {

constexpr int kGridColumns = 2;
constexpr int kGridRows = 4;
constexpr int kGridCells = kGridColumns * kGridRows;
constexpr int kRowPitch = 90;  // pixels between grid rows
constexpr int kScrollBarWidth = 16;

struct GridPoint {
    int x = 0;
    int y = 0;
};
struct GridRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

// Top-left of the frame of cell k (0..7): x 16 or 132, y 22 + 90 x row.
GridPoint FrameOrigin(int cell);
// Where a w x h thumbnail goes, centred in the frame's 100 x 75 window.
GridPoint ThumbOrigin(int cell, int thumbWidth, int thumbHeight);
// The video badge's top-left.
GridPoint BadgeOrigin(int cell);

// Hit cells: the drawing area (client width less the scroll bar) cut into
// two columns of (width - 16) / 2 and four rows of height / 4 — the
// client width is passed, as the browser holds it.
GridRect HitRect(int cell, int clientWidth, int clientHeight);
// The cell under a point, or -1.
int HitCell(int x, int y, int clientWidth, int clientHeight);

inline int RowCount(int items) { return (items + 1) / 2; }

// Scroll-bar requests.
enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, Thumb, Top, Bottom, Other };

// The new top row for a request, or -1 when the position must stay
// (fewer than four rows, or a request that moves nothing). `maximum` is the
// range's upper end (rows - 1), `page` 4 rows.
int ScrollTarget(ScrollRequest request, int position, int thumbPosition, int maximum, int page);

// The top row the view resets to after the list changed.
int ResetTopRow(int topRow, int items);

// The top row that brings `target`'s row into view from `topRow`.
int TopRowShowing(int target, int topRow);

// What a move of the grid from row `from` to row `to` must draw.
struct PaintPlan {
    bool nothing = false;     // same row
    bool everything = false;  // first paint or a jump of more than 3 rows
    int shiftRows = 0;        // rows the old picture moves (negative: up)
    int firstCell = 0;        // cells firstCell..lastCell are drawn anew
    int lastCell = -1;
};
PaintPlan PlanPaint(int from, int to);

}  // namespace vimbrel::browser
