// Feeds arbitrary sizes, mouse points and file names through the canvas's
// rules and checks what they promise: the view lies on the canvas, mapped
// points are computed without overflow, a segment gives one tip per step,
// stamp orientations keep every pixel, and the encoder choice never reads
// past the name.
#include "BrushStamp.h"
#include "CanvasEditState.h"
#include "EncoderChoice.h"
#include "PenStroke.h"
#include "ViewLayout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace vimbrel::canvas;

namespace {

template <typename T>
T Take(const uint8_t*& data, size_t& size) {
    T value{};
    const size_t n = std::min(sizeof(T), size);
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int W = 1 + Take<uint16_t>(data, size) % 4096;
    const int H = 1 + Take<uint16_t>(data, size) % 4096;
    const int w = Take<int32_t>(data, size);
    const int h = Take<int32_t>(data, size);
    const ViewLayout layout = ComputeViewLayout(W, H, w, h);
    if (layout.view.x < 0 || layout.view.y < 0 || layout.view.Right() > W || layout.view.Bottom() > H ||
        layout.view.Empty() || !(layout.scale >= 1.0f))
        std::abort();

    // Mouse points are 16-bit in a message.
    const CanvasPoint a{Take<int16_t>(data, size), Take<int16_t>(data, size)};
    const CanvasPoint b{Take<int16_t>(data, size), Take<int16_t>(data, size)};
    const float width = 1.0f + Take<uint8_t>(data, size);
    const int64_t expected = std::max(std::llabs(static_cast<int64_t>(b.x) - a.x),
                                      std::llabs(static_cast<int64_t>(b.y) - a.y)) +
                             1;
    if (ForEachSegmentTip(a, b, width, [](CanvasPoint) {}) != expected) std::abort();
    const CanvasPoint fa = MapToPicture(layout, a);
    const CanvasPoint fb = MapToPicture(layout, b);
    (void)SegmentRepaintRect(a, b, width);
    (void)CentredStampRect(fa, w, h, 0.5f * layout.scale);
    (void)fb;

    const size_t nameChars = std::min<size_t>(Take<uint8_t>(data, size), size / 2);
    std::u16string name(nameChars, u'\0');
    if (nameChars) std::memcpy(&name[0], data, nameChars * 2);
    data += nameChars * 2;
    size -= nameChars * 2;
    const std::u16string_view mime = EncoderMimeTypeFor(name);
    if (!mime.empty() && mime.substr(0, 6) != u"image/") std::abort();

    // Command stream for the stamp and the history.
    StampTransformState transform;
    CanvasEditState history;
    history.PictureSet();
    StampPixels stamp{3, 2, {1, 2, 3, 4, 5, 6}};
    while (size > 0) {
        const uint8_t op = Take<uint8_t>(data, size);
        transform.Apply(150 + op % 10);
        switch (op % 7) {
        case 0: history.Record(); break;
        case 1: history.Undo(); break;
        case 2: history.Redo(); break;
        case 3: history.BeginLayer(op & 0x80 ? CanvasLayer::Effect : CanvasLayer::Frame); break;
        case 4: history.AbandonLayer(); break;
        case 5: history.CommitLayer(op & 0x80 ? CanvasLayer::Effect : CanvasLayer::Frame); break;
        default: history.RemoveLayer(CanvasLayer::Frame); break;
        }
        if (!history.Ring().IsValid(history.Ring().Top())) std::abort();
    }
    StampPixels turned = Oriented(stamp, transform.Orientation());
    std::sort(turned.pixels.begin(), turned.pixels.end());
    if (turned.pixels != stamp.pixels || turned.width * turned.height != 6) std::abort();
    return 0;
}
