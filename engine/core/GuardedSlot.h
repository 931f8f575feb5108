// One shared reference that some threads replace while others use it. A
// reader takes its own counted copy under the lock and works on that, so a
// concurrent replacement cannot free the object under it. The old object is
// released after the lock is dropped: its destructor may take a long time.
#pragma once

#include <mutex>
#include <utility>

namespace camera {

namespace slotdetail {
// The object a reference stands for. Compared by address: some smart
// pointers convert to bool, so == between two of them compares only
// whether each is set.
template <class Ref>
auto Address(const Ref& ref, int) -> decltype(ref.Get()) {
    return ref.Get();
}
template <class Ref>
auto Address(const Ref& ref, long) -> decltype(ref.get()) {
    return ref.get();
}
}  // namespace slotdetail

template <class Ref>
class CGuardedSlot {
public:
    Ref Get() const {
        std::lock_guard<std::mutex> hold(lock_);
        return ref_;
    }

    // Returns the previous reference so that the caller drops it outside.
    Ref Exchange(Ref next) {
        std::lock_guard<std::mutex> hold(lock_);
        std::swap(ref_, next);
        return next;
    }

    void Reset() { Exchange(Ref{}); }

    // Clears the slot only when it still holds expected: a handler that
    // finished with one object must not drop its successor.
    bool ResetIfHolding(const Ref& expected) {
        Ref dropped;
        std::lock_guard<std::mutex> hold(lock_);
        if (slotdetail::Address(ref_, 0) != slotdetail::Address(expected, 0)) return false;
        std::swap(ref_, dropped);
        return true;
    }

    explicit operator bool() const {
        std::lock_guard<std::mutex> hold(lock_);
        return static_cast<bool>(ref_);
    }

private:
    mutable std::mutex lock_;
    Ref ref_{};
};

}  // namespace camera
