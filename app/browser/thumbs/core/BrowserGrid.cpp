#include "BrowserGrid.h"

namespace vimbrel::browser {

GridPoint FrameOrigin(int cell) { return GridPoint{(cell % 2) == 0 ? 16 : 132, 22 + kRowPitch * (cell / 2)}; }

GridPoint ThumbOrigin(int cell, int thumbWidth, int thumbHeight) {
    const GridPoint f = FrameOrigin(cell);
    return GridPoint{f.x + 5 + (100 - thumbWidth) / 2, f.y + 5 + (75 - thumbHeight) / 2};
}

GridPoint BadgeOrigin(int cell) {
    const GridPoint f = FrameOrigin(cell);
    return GridPoint{f.x + 85, f.y + 6};
}

GridRect HitRect(int cell, int clientWidth, int clientHeight) {
    const int columnWidth = (clientWidth - kScrollBarWidth) / 2;
    const int rowHeight = clientHeight / 4;
    const int column = cell % 2;
    const int row = cell / 2;
    return GridRect{column * columnWidth, row * rowHeight, (column + 1) * columnWidth, (row + 1) * rowHeight};
}

int HitCell(int x, int y, int clientWidth, int clientHeight) {
    for (int k = 0; k < kGridCells; ++k) {
        const GridRect r = HitRect(k, clientWidth, clientHeight);
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return k;
    }
    return -1;
}

int ScrollTarget(ScrollRequest request, int position, int thumbPosition, int maximum, int page) {
    int next = position;
    switch (request) {
    case ScrollRequest::LineUp: next = position - 1; break;
    case ScrollRequest::LineDown: next = position + 1; break;
    case ScrollRequest::PageUp: next = position - page; break;
    case ScrollRequest::PageDown: next = position + page; break;
    case ScrollRequest::Thumb: next = thumbPosition; break;
    case ScrollRequest::Top: next = 0; break;
    case ScrollRequest::Bottom: next = maximum; break;
    case ScrollRequest::Other: return -1;
    }
    const int last = maximum - 3;
    if (next > last) next = last;
    if (next < 0) next = 0;
    // With fewer than four rows the clamp cannot hold both ends.
    if (next > last) return -1;
    return next;
}

int ResetTopRow(int topRow, int items) {
    if (items < kGridCells) return 0;
    if (2 * topRow + 6 >= items) return items / 2 - 4;
    return topRow;
}

int TopRowShowing(int target, int topRow) {
    const int row = target / 2;
    if (row < topRow) return row;
    if (row - topRow > 3) return row - 3;
    return topRow;
}

PaintPlan PlanPaint(int from, int to) {
    PaintPlan plan;
    if (from == to) {
        plan.nothing = true;
        return plan;
    }
    const int delta = to - from;
    if (from < 0 || delta > 3 || delta < -3) {
        plan.everything = true;
        plan.firstCell = 0;
        plan.lastCell = kGridCells - 1;
        return plan;
    }
    plan.shiftRows = -delta;
    if (delta > 0) {
        // Scrolling down: the old rows move up, the bottom `delta` rows are new.
        plan.firstCell = (kGridRows - delta) * kGridColumns;
        plan.lastCell = kGridCells - 1;
    } else {
        plan.firstCell = 0;
        plan.lastCell = (-delta) * kGridColumns - 1;
    }
    return plan;
}

}  // namespace vimbrel::browser
