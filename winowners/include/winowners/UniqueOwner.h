// One owner for every kind of handle: it holds a handle, gives it back
// exactly once (when it goes, on reset() or when put() hands its slot to a
// call that fills it), and moves but never copies. A kind is a small
// traits struct saying what an empty handle looks like, which values are
// real handles and how one is given back; UniqueAny makes the traits from a
// handle type and its close function.
#pragma once

#include <cstddef>
#include <utility>

namespace winowners {

template <class Traits>
class UniqueOwner {
public:
    using pointer = typename Traits::type;

    UniqueOwner() noexcept = default;
    UniqueOwner(std::nullptr_t) noexcept {}  // `return nullptr;` for "none"
    explicit UniqueOwner(pointer value) noexcept : value_(value) {}
    ~UniqueOwner() { Close(); }

    UniqueOwner(UniqueOwner&& other) noexcept : value_(other.release()) {}
    UniqueOwner& operator=(UniqueOwner&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    UniqueOwner(const UniqueOwner&) = delete;
    UniqueOwner& operator=(const UniqueOwner&) = delete;

    pointer get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return Traits::valid(value_); }

    // Gives up ownership without closing; the caller now owns the handle.
    pointer release() noexcept { return std::exchange(value_, Traits::empty()); }

    void reset(pointer value = Traits::empty()) noexcept {
        Close();
        value_ = value;
    }

    // For calls that hand a handle back through an out-parameter: the
    // handle held so far is closed first, so filling the slot leaks nothing.
    pointer* put() noexcept {
        reset();
        return &value_;
    }

private:
    void Close() noexcept {
        if (Traits::valid(value_)) {
            Traits::close(value_);
        }
        value_ = Traits::empty();
    }

    pointer value_ = Traits::empty();
};

// Traits for the common case: the null value is the only empty one.
template <class Handle, auto CloseFunction>
struct CloseWith {
    using type = Handle;
    static constexpr Handle empty() noexcept { return Handle(); }
    static bool valid(Handle value) noexcept { return value != Handle(); }
    static void close(Handle value) noexcept { CloseFunction(value); }
};

template <class Handle, auto CloseFunction>
using UniqueAny = UniqueOwner<CloseWith<Handle, CloseFunction>>;

}  // namespace winowners
