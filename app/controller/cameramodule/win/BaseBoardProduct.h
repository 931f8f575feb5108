#pragma once
// The base board's product name as WMI reports it (Win32_BaseBoard,
// "Product"): some camera models are built into boards that need their own
// handling. Joins COM on the calling thread for the query and leaves it
// again; "" when any step fails.

#include <string>

namespace vimbrel::controller {

std::u16string QueryBaseBoardProduct();

}  // namespace vimbrel::controller
