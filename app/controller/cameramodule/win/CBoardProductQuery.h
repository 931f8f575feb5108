#pragma once
// The board's product name, asked of WMI once per run on a thread of its
// own as the program starts: WMI can take seconds to answer, and neither a
// picture (the board's own copy quirk) nor a camera change (the board
// family that takes no module) may wait for it on the user-interface
// thread. Both read the one answer.

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>

#include "winowners/KernelOwners.h"

namespace vimbrel::controller {

class CBoardProductQuery {
public:
    // The question itself; given the stop event it must answer soon after.
    using Query = std::function<std::u16string(HANDLE stop)>;

    // Starts the query at once (WMI unless replaced).
    explicit CBoardProductQuery(Query query = nullptr);
    ~CBoardProductQuery() { Stop(); }
    CBoardProductQuery(const CBoardProductQuery&) = delete;
    CBoardProductQuery& operator=(const CBoardProductQuery&) = delete;

    // The product name: the query's answer, waited for while it still runs
    // (it ends by itself within its own bound). "" when it failed.
    std::u16string Product() const;
    // Asks a query still running to stop and waits for it within a bound.
    void Stop();
    // Whether the stop had to terminate the query; for tests.
    bool Terminated() const { return terminated_; }

private:
    static DWORD WINAPI Main(void* self);

    Query query_;
    winowners::UniqueHandle stop_;
    winowners::UniqueHandle thread_;
    mutable std::mutex lock_;
    std::u16string product_;
    bool terminated_ = false;
};

}  // namespace vimbrel::controller
