#pragma once
// The thread the rotation poll runs on. The portable core only asks for one
// through this port: on Windows it is a plain thread stopped through the
// program's bounded stop; elsewhere (the native tests) a standard thread.

#include <functional>
#include <memory>

namespace vimbrel::controller {

class IPollThread {
public:
    virtual ~IPollThread() = default;
    // Runs body on a new thread; false when none could be made. Only one
    // thread at a time: the previous one must have been joined.
    virtual bool Start(std::function<void()> body) = 0;
    // The thread has been asked to end: waits for it within the port's
    // bound. True when it did not end by then and was terminated.
    virtual bool Join() = 0;
    // Started and not joined yet.
    virtual bool Joinable() const = 0;
};

// A standard thread, joined without a bound.
std::unique_ptr<IPollThread> StandardPollThread();

}  // namespace vimbrel::controller
