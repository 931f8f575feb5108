#include "DissolveOrder.h"

namespace slideshow {

int COccupancy::Claim(int start) {
    const int slots = Slots();
    if (slots == 0) return -1;
    int at = ((start % slots) + slots) % slots;
    for (int probed = 0; probed < slots; ++probed) {
        if (!shown_[static_cast<std::size_t>(at)]) {
            shown_[static_cast<std::size_t>(at)] = 1;
            return at;
        }
        at = at + 1 == slots ? 0 : at + 1;
    }
    return -1;
}

BlockGrid BlockGridFor(int screenWidth, int screenHeight) {
    if (screenWidth <= 0 || screenHeight <= 0) return BlockGrid{};
    return BlockGrid{screenWidth / kDissolveBlock + 1, screenHeight / kDissolveBlock + 1};
}

std::vector<int> BlockDissolveOrder(const BlockGrid& grid, const RandomSource& random) {
    std::vector<int> order;
    if (grid.columns <= 0 || grid.rows <= 0) return order;
    std::vector<COccupancy> rows(static_cast<std::size_t>(grid.rows), COccupancy(grid.columns));
    order.reserve(static_cast<std::size_t>(grid.columns) * static_cast<std::size_t>(grid.rows));
    for (int pass = 0; pass < grid.columns; ++pass) {
        for (COccupancy& row : rows) {
            order.push_back(row.Claim(random() % grid.columns));
        }
    }
    return order;
}

std::vector<int> ColumnDissolveOrder(int screenWidth, const RandomSource& random) {
    std::vector<int> order;
    if (screenWidth <= 0) return order;
    COccupancy columns(screenWidth);
    order.reserve(static_cast<std::size_t>(screenWidth));
    for (int step = 0; step < screenWidth; ++step) {
        // Only the low ten bits: on screens wider than 1024 pixels the
        // columns beyond are reached by probing to the right.
        order.push_back(columns.Claim((random() & 0x3FF) % screenWidth));
    }
    return order;
}

}  // namespace slideshow
