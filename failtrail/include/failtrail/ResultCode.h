// The result code of COM and DirectShow calls as portable code sees it: 32
// bits, negative for a failure, zero and the small positives for the kinds
// of success. It has the width and bit patterns of the platform's HRESULT,
// so a value passes between the two unchanged.
#pragma once

#include <cstdint>

namespace failtrail {

using HResult = std::int32_t;

}  // namespace failtrail
