#pragma once
// The item pictures of the function panel: three strips (normal, hover,
// disabled) of 20 x 20 cells, one column per setting id.

namespace vimbrel::controller {

constexpr int kItemImageWidth = 20;
constexpr int kItemImageHeight = 20;
constexpr int kItemImageColumns = 27;

// Picture states: 0 normal, 1 hover, 2 disabled; one strip each.
constexpr int kItemImageStateCount = 3;

// The strip column of a setting id; 0 for an id without a picture.
int ItemImageIndex(int settingId);

}  // namespace vimbrel::controller
