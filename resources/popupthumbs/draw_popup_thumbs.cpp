// Draws the effect, frame and stamp popups' thumbnail strips into a folder:
//   filter.png   the live filter's entries through the effects filter,
//   filteri.png  the photo filter's entries through the photo editor,
//   frame.png    the sample picture under each photo frame,
//   stamp.png    the pen and each stamp as the photo editor puts it on.
// Usage: draw_popup_thumbs <photo frame folder> <out folder>
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdio>

#include "FrameFiles.h"
#include "PngWriter.h"

using namespace vimbrel::thumbs;

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        fwprintf(stderr, L"usage: draw_popup_thumbs <photo frame folder> <out folder>\n");
        return 2;
    }
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 1;
    std::vector<std::wstring> missing;
    const std::vector<RgbaPicture> frames = LoadPhotoPictures(argv[1], L"frame", missing);
    const std::vector<RgbaPicture> stamps = LoadPhotoPictures(argv[1], L"stamp", missing);
    Gdiplus::GdiplusShutdown(token);
    for (const std::wstring& path : missing) fwprintf(stderr, L"cannot read %ls\n", path.c_str());
    if (!missing.empty()) return 1;

    const std::wstring out = std::wstring(argv[2]) + L"\\";
    int failures = 0;
    const struct {
        const wchar_t* name;
        RgbaPicture strip;
    } strips[] = {{L"filter.png", LiveEffectStrip()},
                  {L"filteri.png", PhotoEffectStrip()},
                  {L"frame.png", FrameStrip(frames)},
                  {L"stamp.png", StampStrip(stamps)}};
    for (const auto& strip : strips) {
        if (!WriteFileBytes(out + strip.name, EncodePng(strip.strip))) {
            fwprintf(stderr, L"cannot write %ls%ls\n", out.c_str(), strip.name);
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
