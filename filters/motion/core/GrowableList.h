// A list of plain records that keeps its storage when emptied, so that a
// detection pass after the first few reuses what earlier passes allocated.
// It grows by doubling: a noisy full-size picture can hold tens of thousands
// of regions, and growing by a fixed step made that quadratic.
#pragma once

#include <cstddef>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <type_traits>

namespace motion {

template <typename T>
class GrowableList {
    static_assert(std::is_trivially_copyable<T>::value, "records are copied as bytes");

public:
    static constexpr std::size_t kInitialRoom = 10;

    std::size_t Count() const { return count_; }
    std::size_t Room() const { return room_; }
    void Clear() { count_ = 0; }

    T& operator[](std::size_t i) { return items_[i]; }
    const T& operator[](std::size_t i) const { return items_[i]; }
    T* begin() { return items_.get(); }
    T* end() { return items_.get() + count_; }
    const T* begin() const { return items_.get(); }
    const T* end() const { return items_.get() + count_; }

    // False (and nothing appended) when the list cannot grow.
    bool Append(const T& item) {
        if (count_ == room_ && !Reserve(room_ ? room_ * 2 : kInitialRoom)) return false;
        items_[count_++] = item;
        return true;
    }

    // Makes room for at least n records, keeping the ones held.
    bool Reserve(std::size_t n) {
        if (n <= room_) return true;
        // The largest array the compiler allows is PTRDIFF_MAX bytes; past it
        // array new throws even in its nothrow form (on 32-bit builds).
        if (n > static_cast<std::size_t>(std::numeric_limits<std::ptrdiff_t>::max()) / sizeof(T)) return false;
        std::unique_ptr<T[]> bigger(new (std::nothrow) T[n]);
        if (!bigger) return false;
        if (count_) std::memcpy(bigger.get(), items_.get(), count_ * sizeof(T));
        items_ = std::move(bigger);
        room_ = n;
        return true;
    }

private:
    std::unique_ptr<T[]> items_;
    std::size_t count_ = 0;
    std::size_t room_ = 0;
};

}  // namespace motion
