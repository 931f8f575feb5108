#include "ClassBrush.h"

#include <map>
#include <mutex>

namespace vimbrel::ui {

HBRUSH KeptClassBrush(Colour colour) {
    static std::mutex lock;
    static std::map<Colour, HBRUSH> brushes;
    std::lock_guard<std::mutex> hold(lock);
    HBRUSH& brush = brushes[colour];
    if (!brush) brush = CreateSolidBrush(colour);
    return brush;
}

}  // namespace vimbrel::ui
