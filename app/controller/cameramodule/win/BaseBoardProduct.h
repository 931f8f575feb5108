#pragma once
// The base board's product name as WMI reports it (Win32_BaseBoard,
// "Product"): some camera models are built into boards that need their own
// handling. Joins COM on the calling thread for the query and leaves it
// again; "" when any step fails. Slow: the program asks it once, off the
// user-interface thread (CBoardProductQuery).

#include <windows.h>

#include <string>

namespace vimbrel::controller {

// How long the query goes on asking for its first object.
inline constexpr DWORD kBoardQueryBoundMs = 5000;

// Each ask for the query's first object waits no time; while WMI has not
// produced it yet the question is asked again every 50 ms, until the object
// comes, stop (may be null) is set, or the bound has passed.
std::u16string QueryBaseBoardProduct(HANDLE stop = nullptr);

}  // namespace vimbrel::controller
