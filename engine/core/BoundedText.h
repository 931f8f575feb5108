// Copies into the fixed-size, caller-owned text buffers of the flat API.
// A text that does not fit is cut and always terminated.
#pragma once

#include <cstddef>
#include <string_view>

namespace camera {

template <class Char>
void CopyTerminated(Char* target, std::size_t capacity, std::basic_string_view<Char> text) {
    if (target == nullptr || capacity == 0) return;
    const std::size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
    for (std::size_t i = 0; i < n; ++i) target[i] = text[i];
    target[n] = Char{};
}

// Length of a terminated text in a buffer of known capacity, never reading
// past it; a buffer without terminator counts as full.
template <class Char>
std::size_t BoundedLength(const Char* text, std::size_t capacity) {
    std::size_t n = 0;
    while (n < capacity && text[n] != Char{}) ++n;
    return n;
}

}  // namespace camera
