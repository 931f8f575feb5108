// The cut and the two dissolves: the new picture is composed off screen,
// then copied to the window at once, block by block or column by column.
#include "Transitions.h"

#include "SlideComposer.h"

#include <vector>

namespace slideshow {

namespace {

bool CopyToWindow(const CScreenBuffers& buffers, int x, int y, int width, int height) {
    return BitBlt(buffers.Target(), x, y, width, height, buffers.Composition().Dc(), x, y, SRCCOPY) != FALSE;
}

bool CopyWholeBuffer(const CScreenBuffers& buffers) {
    return CopyToWindow(buffers, 0, 0, buffers.Width(), buffers.Height());
}

}  // namespace

int CutTransition(const TransitionContext& context) {
    CScreenBuffers& buffers = context.buffers;
    if (!ComposeFitted(context.picture, buffers.Composition(), Backdrop::AroundPicture)) return 0;
    return CopyWholeBuffer(buffers) ? 1 : 0;
}

int BlockDissolveTransition(const TransitionContext& context) {
    CScreenBuffers& buffers = context.buffers;
    if (!ComposeFitted(context.picture, buffers.Composition(), Backdrop::AroundPicture)) return 0;
    const BlockGrid grid = BlockGridFor(buffers.Width(), buffers.Height());
    const std::vector<int> order = BlockDissolveOrder(grid, context.random);
    std::size_t next = 0;
    for (int pass = 0; pass < grid.columns; ++pass) {
        for (int row = 0; row < grid.rows; ++row, ++next) {
            const int column = order[next];
            // Only the blocks that change go to the screen; the grid's spare
            // column and row reach past the edge and are clipped there.
            CopyToWindow(buffers, column * kDissolveBlock, row * kDissolveBlock, kDissolveBlock, kDissolveBlock);
        }
        Sleep(1);
    }
    return CopyWholeBuffer(buffers) ? 1 : 0;
}

int ColumnDissolveTransition(const TransitionContext& context) {
    CScreenBuffers& buffers = context.buffers;
    if (!ComposeFitted(context.picture, buffers.Composition(), Backdrop::AroundPicture)) return 0;
    const std::vector<int> order = ColumnDissolveOrder(buffers.Width(), context.random);
    for (std::size_t step = 0; step < order.size(); ++step) {
        CopyToWindow(buffers, order[step], 0, 1, buffers.Height());
        if (ColumnDissolvePausesAfter(static_cast<int>(step))) Sleep(1);
    }
    return CopyWholeBuffer(buffers) ? 1 : 0;
}

int RunTransition(int mode, const TransitionContext& context) {
    switch (mode) {
    case 1: return CutTransition(context);
    case 2: return BlockDissolveTransition(context);
    case 3: return CrossFadeTransition(context);
    case 4: return PanTransition(context);
    case 5: return ColumnDissolveTransition(context);
    default: return 1;
    }
}

}  // namespace slideshow
