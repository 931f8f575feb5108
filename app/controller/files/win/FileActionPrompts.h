#pragma once
// The modal windows the file actions open: the save dialog of copy to, the
// print dialog and message boxes. The actions take them through this
// interface so that a test can answer them; the program uses the system's.

#include "winowners/GdiOwners.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace vimbrel::controller {

// One print job on a printer the user chose: its device context and the
// document calls around the drawing. The program's job owns a printer DC;
// a test records into a metafile instead, since there is no printer here.
class IPrintJob {
public:
    virtual ~IPrintJob() = default;
    virtual HDC Dc() const = 0;
    virtual bool StartDocument(const wchar_t* name) = 0;
    virtual bool StartPage() = 0;
    virtual bool EndPage() = 0;
    virtual bool EndDocument() = 0;
    virtual void Abort() = 0;
};

// StartDocW and its kin on a printer DC, deleted with the job.
class CPrinterJob final : public IPrintJob {
public:
    explicit CPrinterJob(HDC printer) : dc_(printer) {}
    ~CPrinterJob() override = default;
    CPrinterJob(const CPrinterJob&) = delete;
    CPrinterJob& operator=(const CPrinterJob&) = delete;

    HDC Dc() const override { return dc_.get(); }
    bool StartDocument(const wchar_t* name) override;
    bool StartPage() override;
    bool EndPage() override;
    bool EndDocument() override;
    void Abort() override;

private:
    winowners::UniqueMemoryDC dc_;
};

// The printer the user confirmed, and the print dialog's flags on return.
struct PrinterChoice {
    std::unique_ptr<IPrintJob> job;  // empty when the user cancelled or there is no printer
    DWORD flags = 0;
};

class IFileActionPrompts {
public:
    virtual ~IFileActionPrompts() = default;
    // The save dialog: filter in the "a|b||" form, default extension without
    // its dot (may be empty); the chosen path, or nullopt on cancel.
    virtual std::optional<std::wstring> AskCopyDestination(HWND owner, const std::wstring& filter,
                                                           const std::wstring& defaultExtension) = 0;
    virtual PrinterChoice AskPrinter(HWND owner) = 0;
    // An OK box.
    virtual void ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption) = 0;
};

// GetSaveFileNameW, PrintDlgW and MessageBoxW.
class CSystemFileActionPrompts final : public IFileActionPrompts {
public:
    std::optional<std::wstring> AskCopyDestination(HWND owner, const std::wstring& filter,
                                                   const std::wstring& defaultExtension) override;
    PrinterChoice AskPrinter(HWND owner) override;
    void ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption) override;
};

}  // namespace vimbrel::controller
