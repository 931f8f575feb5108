#include "SkinImageLoader.h"

#include "SkinModule.h"
#include "WideText.h"

#include <objbase.h>
#include <wrl/client.h>

namespace vimbrel::ui {

using Microsoft::WRL::ComPtr;

std::unique_ptr<Gdiplus::Bitmap> DecodeSkinImage(const void* data, size_t size) {
    if (!data || size == 0 || size > 0xFFFFFFFFu) return nullptr;
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return nullptr;
    ULONG written = 0;
    if (FAILED(stream->Write(data, static_cast<ULONG>(size), &written)) || written != size) {
        return nullptr;
    }
    LARGE_INTEGER start{};
    if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) return nullptr;
    // The bitmap keeps its own reference to the stream for lazy decoding;
    // ours goes when this function returns.
    std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromStream(stream.Get()));
    if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
    return bitmap;
}

std::unique_ptr<Gdiplus::Bitmap> LoadSkinImage(const wchar_t* name, SkinSourceKind kind, const wchar_t* source,
                                               const wchar_t* resourceType) {
    if (!name || !*name) return nullptr;
    if (kind == SkinSourceKind::Folder) {
        std::u16string path;
        if (!source || !JoinSkinPath(ViewAsU16(source), ViewAsU16(name), path)) return nullptr;
        std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromFile(ViewAsWide(path)));
        if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
        return bitmap;
    }
    // A skin library is freed again whether or not the image decoded: the
    // bytes are copied into the stream before the module goes.
    CSkinModule module(kind, source);
    const void* data = nullptr;
    DWORD size = 0;
    if (!module.FindBytes(name, resourceType, data, size)) return nullptr;
    return DecodeSkinImage(data, size);
}

}  // namespace vimbrel::ui
