#include "ItemPictures.h"

namespace vimbrel::controller {

int ItemImageIndex(int settingId) {
    struct Column {
        int settingId;
        int column;
    };
    // Resolution has two ids (pictures and video) and one picture.
    static constexpr Column kColumns[] = {
        {0x000, 0},   {0x100, 1},   {0x101, 2},   {0x102, 3},   {0x103, 4},   {0x104, 4},   {0x105, 5},
        {0x106, 6},   {0x107, 7},   {0x108, 8},   {0x109, 9},   {0x10A, 10},  {0x10B, 11},  {0x200, 12},
        {0x201, 13},  {0x202, 14},  {0x300, 15},  {0x400, 16},  {0x401, 17},  {0x500, 18},  {0x1000, 19},
        {0x1001, 20}, {0x1002, 21}, {0x1100, 22}, {0x1200, 23}, {0x1300, 24}, {0x1301, 25}, {0x1400, 26},
    };
    for (const Column& entry : kColumns) {
        if (entry.settingId == settingId) return entry.column;
    }
    return 0;
}

}  // namespace vimbrel::controller
