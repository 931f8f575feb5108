#include "ScreenPopups.h"

#include "ScreenInput.h"

namespace vimbrel::screentest {

POINT ImageCellCentre(int cell) { return {7 + 37 * (cell % 4) + 16, 25 + 29 * (cell / 4) + 12}; }

std::vector<COLORREF> ImageTile(const CScreenPicture& popup, int cell) {
    std::vector<COLORREF> pixels;
    const int left = 7 + 37 * (cell % 4), top = 25 + 29 * (cell / 4);
    for (int y = top + 1; y < top + 23; ++y)
        for (int x = left + 1; x < left + 31; ++x) pixels.push_back(popup.At(x, y));
    return pixels;
}

std::vector<std::pair<int, int>> LookAlikeTiles(const std::vector<std::vector<COLORREF>>& tiles) {
    std::vector<std::pair<int, int>> alike;
    for (size_t a = 0; a < tiles.size(); ++a)
        for (size_t b = a + 1; b < tiles.size(); ++b) {
            int apart = 0;
            for (size_t i = 0; i < tiles[a].size() && i < tiles[b].size(); ++i)
                apart += !Near(tiles[a][i], tiles[b][i], 8);
            if (apart <= 30) alike.emplace_back(static_cast<int>(a), static_cast<int>(b));
        }
    return alike;
}

HWND HoverForPopup(const CProgramRun& run, HWND button) {
    MoveMouseTo(CentreOf(button));
    HWND popup = nullptr;
    WaitFor(
        [&] {
            const auto shown = run.ShownPopups();
            popup = shown.size() == 1 ? shown.front() : nullptr;
            return popup != nullptr;
        },
        5000);
    return popup;
}

}  // namespace vimbrel::screentest
