#include "FileActionPrompts.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace vimbrel::controller {

namespace {

// OFN_OVERWRITEPROMPT | OFN_EXTENSIONDIFFERENT: the user confirms replacing
// a file, and may pick another extension than the default.
constexpr DWORD kCopyDialogFlags = 0x402;

constexpr DWORD kPrintDialogFlags = PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE |
                                    PD_HIDEPRINTTOFILE | PD_RETURNDC;

}  // namespace

bool CPrinterJob::StartDocument(const wchar_t* name) {
    DOCINFOW document = {};
    document.cbSize = sizeof(document);
    document.lpszDocName = name;
    return StartDocW(dc_.get(), &document) > 0;
}

bool CPrinterJob::StartPage() { return ::StartPage(dc_.get()) > 0; }
bool CPrinterJob::EndPage() { return ::EndPage(dc_.get()) > 0; }
bool CPrinterJob::EndDocument() { return EndDoc(dc_.get()) > 0; }
void CPrinterJob::Abort() { AbortDoc(dc_.get()); }

std::optional<std::wstring> CSystemFileActionPrompts::AskCopyDestination(HWND owner, const std::wstring& filter,
                                                                         const std::wstring& defaultExtension) {
    // The dialog wants its filter pairs separated and ended by NULs.
    std::vector<wchar_t> pairs(filter.begin(), filter.end());
    std::replace(pairs.begin(), pairs.end(), L'|', L'\0');
    pairs.push_back(L'\0');
    pairs.push_back(L'\0');

    wchar_t path[MAX_PATH] = L"";
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = pairs.data();
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
    dialog.Flags = kCopyDialogFlags;
    if (!GetSaveFileNameW(&dialog) || path[0] == L'\0') return std::nullopt;
    return std::wstring(path);
}

PrinterChoice CSystemFileActionPrompts::AskPrinter(HWND owner) {
    PRINTDLGW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.Flags = kPrintDialogFlags;
    PrinterChoice choice;
    if (PrintDlgW(&dialog) && dialog.hDC) {
        choice.job = std::make_unique<CPrinterJob>(dialog.hDC);
        choice.flags = dialog.Flags;
    }
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    return choice;
}

void CSystemFileActionPrompts::ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption) {
    MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK);
}

}  // namespace vimbrel::controller
