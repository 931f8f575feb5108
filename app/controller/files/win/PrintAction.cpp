#include "FileActions.h"
#include "GdiplusSession.h"
#include "WideText.h"

#include <gdiplus.h>

namespace vimbrel::controller {

namespace {

const wchar_t kDocumentName[] = L"Zavu Camera";

}  // namespace

int PrintPicture(IPrintJob& printer, const wchar_t* path) {
    if (!printer.Dc() || !path) return 0;
    vimbrel::ui::CGdiplusSession gdiplus;
    if (!gdiplus.Ok()) return 0;
    // Load first: a file that is no picture (a video picked from a menu)
    // must not come out as an empty page.
    Gdiplus::Bitmap picture(path);
    if (picture.GetLastStatus() != Gdiplus::Ok) return 0;

    int inchX = GetDeviceCaps(printer.Dc(), LOGPIXELSX);
    int inchY = GetDeviceCaps(printer.Dc(), LOGPIXELSY);

    if (!printer.StartDocument(kDocumentName)) return 0;
    if (!printer.StartPage()) {
        printer.Abort();
        return 0;
    }
    Gdiplus::Status drawn;
    {
        Gdiplus::Graphics page(printer.Dc());
        // A printer's default page unit is 1/100 inch; the picture is sized
        // in device pixels.
        page.SetPageUnit(Gdiplus::UnitPixel);
        drawn = page.DrawImage(&picture, 0, 0, inchX, inchY);
    }
    if (drawn != Gdiplus::Ok || !printer.EndPage()) {
        printer.Abort();
        return 0;
    }
    return printer.EndDocument() ? 1 : 0;
}

int PrintSelected(IMediaSelection* selection, HWND owner, IFileActionPrompts& prompts) {
    if (!selection) return 0;
    std::u16string current;
    int kind = kBrowseNone;
    if (!selection->GetCurrentFile(current, kind) || current.empty()) return 0;
    if (kind == kBrowseAudio) {
        prompts.ShowMessage(owner, L"can't print audio file", L"Tolvex");
        return 1;
    }

    PrinterChoice printer = prompts.AskPrinter(owner);
    if (!printer.job) return 0;
    // The dialog hides both choices; should a driver hand one back all the
    // same, the one-page print does not fit what was asked.
    if (printer.flags & (PD_SELECTION | PD_PAGENUMS)) return 1;
    return PrintPicture(*printer.job, CopyToWide(current).c_str());
}

}  // namespace vimbrel::controller
