// The file actions on real files of the test prefix, with their modal
// windows answered by a script.
#include "FileActions.h"
#include "FilesTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vimbrel::controller {
namespace {

using testing::CListSelection;
using testing::CScratchFolder;
using testing::CTextTable;

struct ShownMessage {
    std::wstring text;
    std::wstring caption;
};

class CScriptedPrompts final : public IFileActionPrompts {
public:
    std::optional<std::wstring> AskCopyDestination(HWND, const std::wstring& filter,
                                                   const std::wstring& defaultExtension) override {
        askedFilter = filter;
        askedExtension = defaultExtension;
        ++copyDialogs;
        return copyAnswer;
    }
    PrinterChoice AskPrinter(HWND) override {
        ++printDialogs;
        PrinterChoice choice;
        choice.job = std::move(nextJob);
        return choice;
    }
    void ShowMessage(HWND, const std::wstring& text, const std::wstring& caption) override {
        messages.push_back({text, caption});
    }

    std::optional<std::wstring> copyAnswer;
    std::wstring askedFilter, askedExtension;
    int copyDialogs = 0;
    std::unique_ptr<IPrintJob> nextJob;  // null: the user cancels
    int printDialogs = 0;
    std::vector<ShownMessage> messages;
};

// --- copy to -------------------------------------------------------------

TEST(CopySelectedTo, CopiesTheCurrentFileReplacingTheDestination) {
    CScratchFolder folder(L"vb_copy_to");
    folder.Touch(L"image202607040001.JPEG", "picture bytes");
    folder.Touch(L"old.jpg", "older and longer content");
    CListSelection selection({{folder.File(L"image202607040001.JPEG"), kBrowsePicture}});
    CScriptedPrompts prompts;
    prompts.copyAnswer = folder.File(L"old.jpg");

    EXPECT_EQ(CopySelectedTo(&selection, nullptr, prompts), 1);
    EXPECT_EQ(prompts.askedFilter, L"*.jpg|*.jpg||");
    EXPECT_EQ(prompts.askedExtension, L"jpg");
    EXPECT_EQ(testing::ReadWholeFile(folder.File(L"old.jpg")), "picture bytes");
}

TEST(CopySelectedTo, RefusalsLeaveEveryFileAsItWas) {
    CScratchFolder folder(L"vb_copy_refused");
    folder.Touch(L"clip.avi", "clip");
    CListSelection selection({{folder.File(L"clip.avi"), kBrowseVideo}});
    CScriptedPrompts prompts;

    // Cancel.
    EXPECT_EQ(CopySelectedTo(&selection, nullptr, prompts), 0);
    EXPECT_EQ(prompts.askedFilter, L"*.avi|*.avi||");
    // The file onto itself, also by another spelling of its name.
    prompts.copyAnswer = folder.File(L"CLIP.AVI");
    EXPECT_EQ(CopySelectedTo(&selection, nullptr, prompts), 0);
    prompts.copyAnswer = folder.Path() + L"\\.\\clip.avi";
    EXPECT_EQ(CopySelectedTo(&selection, nullptr, prompts), 0);
    EXPECT_EQ(testing::ReadWholeFile(folder.File(L"clip.avi")), "clip");
    // A copy that fails is reported as failed.
    prompts.copyAnswer = folder.File(L"missing folder\\clip.avi");
    EXPECT_EQ(CopySelectedTo(&selection, nullptr, prompts), 0);

    // Nothing current, no browse area: no dialog at all.
    int dialogsBefore = prompts.copyDialogs;
    CListSelection empty({});
    EXPECT_EQ(CopySelectedTo(&empty, nullptr, prompts), 0);
    EXPECT_EQ(CopySelectedTo(nullptr, nullptr, prompts), 0);
    EXPECT_EQ(prompts.copyDialogs, dialogsBefore);
}

// --- print ---------------------------------------------------------------

// What a print job was asked to do; the page itself is recorded in a
// metafile, since the prefix has no printer.
struct JobRecord {
    std::vector<std::string> calls;
    std::wstring documentName;
    bool refuseDocument = false;
    HENHMETAFILE page = nullptr;
    int inchX = 0, inchY = 0;
    ~JobRecord() {
        if (page) DeleteEnhMetaFile(page);
    }
};

class CMetafileJob final : public IPrintJob {
public:
    explicit CMetafileJob(std::shared_ptr<JobRecord> record)
        : record_(std::move(record)), dc_(CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr)) {
        record_->inchX = GetDeviceCaps(dc_, LOGPIXELSX);
        record_->inchY = GetDeviceCaps(dc_, LOGPIXELSY);
    }
    ~CMetafileJob() override { record_->page = CloseEnhMetaFile(dc_); }
    HDC Dc() const override { return dc_; }
    bool StartDocument(const wchar_t* name) override {
        record_->calls.push_back("StartDocument");
        record_->documentName = name;
        return !record_->refuseDocument;
    }
    bool StartPage() override { return Call("StartPage"); }
    bool EndPage() override { return Call("EndPage"); }
    bool EndDocument() override { return Call("EndDocument"); }
    void Abort() override { Call("Abort"); }

private:
    bool Call(const char* name) {
        record_->calls.push_back(name);
        return true;
    }
    std::shared_ptr<JobRecord> record_;
    HDC dc_;
};

// Where anything was drawn on the page, in device pixels (the metafile's
// bounds, right and bottom inclusive); empty when nothing was.
struct PictureOnPage {
    bool found = false;
    RECT bounds = {};
};

PictureOnPage ReadPage(HENHMETAFILE page) {
    PictureOnPage picture;
    ENHMETAHEADER header = {};
    if (page && GetEnhMetaFileHeader(page, sizeof(header), &header) && header.nRecords > 2 &&
        header.rclBounds.right >= header.rclBounds.left) {
        picture.found = true;
        picture.bounds = {header.rclBounds.left, header.rclBounds.top, header.rclBounds.right + 1,
                          header.rclBounds.bottom + 1};
    }
    return picture;
}

class PrintTest : public ::testing::Test {
protected:
    int Print(const std::wstring& path, int kind) {
        CListSelection selection({{path, kind}});
        prompts_.nextJob = std::make_unique<CMetafileJob>(record_);
        return PrintSelected(&selection, nullptr, prompts_);
    }
    CScratchFolder folder_{L"vb_print"};
    std::shared_ptr<JobRecord> record_ = std::make_shared<JobRecord>();
    CScriptedPrompts prompts_;
};

TEST_F(PrintTest, PictureOneInchSquareAtTheTopLeftOfOnePage) {
    testing::WriteSolidBmp(folder_.File(L"red.bmp"), 8, 4, RGB(255, 0, 0));
    EXPECT_EQ(Print(folder_.File(L"red.bmp"), kBrowsePicture), 1);
    EXPECT_EQ(record_->calls, (std::vector<std::string>{"StartDocument", "StartPage", "EndPage", "EndDocument"}));
    EXPECT_EQ(record_->documentName, L"Zavu Camera");
    PictureOnPage picture = ReadPage(record_->page);
    ASSERT_TRUE(picture.found);
    EXPECT_EQ(picture.bounds.left, 0);
    EXPECT_EQ(picture.bounds.top, 0);
    EXPECT_EQ(picture.bounds.right, record_->inchX);
    EXPECT_EQ(picture.bounds.bottom, record_->inchY);
}

TEST_F(PrintTest, NoPictureNoDocument) {
    // A video chosen from a browser's menu does not load as a picture.
    folder_.Touch(L"clip.avi", "RIFF not really an AVI");
    EXPECT_EQ(Print(folder_.File(L"clip.avi"), kBrowseVideo), 0);
    EXPECT_TRUE(record_->calls.empty());
    EXPECT_FALSE(ReadPage(record_->page).found);
}

TEST_F(PrintTest, RefusedDocumentIsAFailure) {
    testing::WriteSolidBmp(folder_.File(L"red.bmp"), 2, 2, RGB(255, 0, 0));
    record_->refuseDocument = true;
    EXPECT_EQ(Print(folder_.File(L"red.bmp"), kBrowsePicture), 0);
    EXPECT_EQ(record_->calls, (std::vector<std::string>{"StartDocument"}));
    EXPECT_FALSE(ReadPage(record_->page).found);
}

TEST_F(PrintTest, AudioIsToldAndNothingIsAsked) {
    EXPECT_EQ(Print(L"C:\\M\\Audio\\audio202607040001.wav", kBrowseAudio), 1);
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text, L"can't print audio file");
    EXPECT_EQ(prompts_.messages[0].caption, L"Tolvex");
    EXPECT_EQ(prompts_.printDialogs, 0);
}

TEST_F(PrintTest, CancelAndMissingFileAskNoPrinter) {
    // A cancelled dialog prints nothing.
    CListSelection picture({{L"C:\\M\\Image\\a.jpg", kBrowsePicture}});
    EXPECT_EQ(PrintSelected(&picture, nullptr, prompts_), 0);
    EXPECT_EQ(prompts_.printDialogs, 1);
    CListSelection empty({});
    EXPECT_EQ(PrintSelected(&empty, nullptr, prompts_), 0);
    EXPECT_EQ(PrintSelected(nullptr, nullptr, prompts_), 0);
    EXPECT_EQ(prompts_.printDialogs, 1);
}

// --- e-mail --------------------------------------------------------------

struct SentAttachment {
    ULONG reserved, flags, position;
    std::string pathName, fileName;
    bool hasType;
};

class CRecordingMail final : public IMailClient {
public:
    bool IsConfigured() override { return configured; }
    bool Load() override {
        ++loads;
        return loadable;
    }
    ULONG SendMail(MapiMessage& message) override {
        ++sends;
        flags = message.flFlags;
        hasSubject = message.lpszSubject != nullptr;
        recipients = message.nRecipCount;
        attachments.clear();
        for (ULONG i = 0; i < message.nFileCount; ++i) {
            const MapiFileDesc& file = message.lpFiles[i];
            attachments.push_back({file.ulReserved, file.flFlags, file.nPosition, file.lpszPathName, file.lpszFileName,
                                   file.lpFileType != nullptr});
        }
        return answer;
    }

    bool configured = true;
    bool loadable = true;
    ULONG answer = SUCCESS_SUCCESS;
    int loads = 0, sends = 0;
    FLAGS flags = 0;
    bool hasSubject = true;
    ULONG recipients = 99;
    std::vector<SentAttachment> attachments;
};

const CTextTable kTexts({{u"IDS_MSG_MAPINOTINSTALL", u"No mail program"},
                         {u"IDS_MSG_FILENOTFOUND", u"Slide show missing"},
                         {u"IDS_MSG_FLICKWANDERROR", u"Slide show failed"}});

TEST(MailSelected, EverySelectedFileAttachedInSelectionOrder) {
    CListSelection selection({{L"C:\\M\\Image\\b.jpg", kBrowsePicture}, {L"C:\\M\\Caf\u00e9\\a.png", kBrowsePicture}});
    CScriptedPrompts prompts;
    CRecordingMail mail;
    EXPECT_EQ(MailSelected(&selection, prompts, nullptr, kTexts, mail), 1);
    EXPECT_EQ(mail.flags, static_cast<FLAGS>(MAPI_RECEIPT_REQUESTED));
    EXPECT_FALSE(mail.hasSubject);
    EXPECT_EQ(mail.recipients, 0u);
    ASSERT_EQ(mail.attachments.size(), 2u);
    EXPECT_EQ(mail.attachments[0].pathName, "C:\\M\\Image\\b.jpg");
    EXPECT_EQ(mail.attachments[0].fileName, "b.jpg");
    EXPECT_EQ(mail.attachments[1].pathName, "C:\\M\\Caf\xe9\\a.png");
    EXPECT_EQ(mail.attachments[1].fileName, "a.png");
    for (const SentAttachment& file : mail.attachments) {
        EXPECT_EQ(file.reserved, 0u);
        EXPECT_EQ(file.flags, 0u);
        EXPECT_EQ(file.position, static_cast<ULONG>(-1));
        EXPECT_FALSE(file.hasType);
    }
    EXPECT_TRUE(prompts.messages.empty());

    // The user closing the mail window is no failure; a mail program's
    // error is.
    mail.answer = MAPI_USER_ABORT;
    EXPECT_EQ(MailSelected(&selection, prompts, nullptr, kTexts, mail), 1);
    mail.answer = MAPI_E_FAILURE;
    EXPECT_EQ(MailSelected(&selection, prompts, nullptr, kTexts, mail), 0);
}

TEST(MailSelected, MissingMailProgramOrSelection) {
    CListSelection selection({{L"C:\\M\\Image\\b.jpg", kBrowsePicture}});
    CScriptedPrompts prompts;
    CRecordingMail mail;
    mail.configured = false;
    EXPECT_EQ(MailSelected(&selection, prompts, nullptr, kTexts, mail), 0);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, L"No mail program");
    EXPECT_EQ(prompts.messages[0].caption, L"Vim Brel");
    EXPECT_EQ(mail.loads, 0);

    // A library that does not load is silent.
    mail.configured = true;
    mail.loadable = false;
    EXPECT_EQ(MailSelected(&selection, prompts, nullptr, kTexts, mail), 0);
    EXPECT_EQ(prompts.messages.size(), 1u);

    mail.loadable = true;
    EXPECT_EQ(MailSelected(nullptr, prompts, nullptr, kTexts, mail), 0);
    // A path the mail program would read as another file is not sent.
    CListSelection unicode({{L"C:\\M\\\u0436.jpg", kBrowsePicture}});
    EXPECT_EQ(MailSelected(&unicode, prompts, nullptr, kTexts, mail), 0);
    EXPECT_EQ(mail.sends, 0);
}

// --- wallpaper -----------------------------------------------------------

TEST(SetDesktopWallpaper, ThePictureBecomesTheWallpaper) {
    CScratchFolder folder(L"vb_wallpaper");
    std::wstring picture = folder.File(L"wall.bmp");
    testing::WriteSolidBmp(picture, 4, 4, RGB(0, 128, 255));
    wchar_t previous[MAX_PATH] = L"";
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, previous, 0);

    EXPECT_EQ(SetDesktopWallpaper(picture.c_str()), 1);
    wchar_t now[MAX_PATH] = L"";
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, now, 0);
    EXPECT_EQ(lstrcmpiW(now, picture.c_str()), 0);

    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, previous, SPIF_UPDATEINIFILE);
    EXPECT_EQ(SetDesktopWallpaper(nullptr), 0);
    EXPECT_EQ(SetDesktopWallpaper(folder.File(L"missing.bmp").c_str()), 0);
}

// --- slide show ----------------------------------------------------------

TEST(StartSlideShow, MissingProgramIsReportedByItsOwnText) {
    CScratchFolder folder(L"vb_no_slideshow");
    CScriptedPrompts prompts;
    EXPECT_EQ(StartSlideShow(nullptr, folder.Path(), prompts, kTexts), 0);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, L"Slide show missing");
    EXPECT_EQ(prompts.messages[0].caption, L"Vim Brel");
}

TEST(StartSlideShow, RunsTheProgramInItsFolderWithRun) {
    // The probe, built as flickwand.exe in a folder of its own, writes its
    // arguments into its working folder.
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring probeFolder(exe);
    probeFolder = probeFolder.substr(0, probeFolder.rfind(L'\\')) + L"\\slideshow_probe";
    std::wstring marker = probeFolder + L"\\probe_ran.txt";
    DeleteFileW(marker.c_str());

    CScriptedPrompts prompts;
    ASSERT_EQ(StartSlideShow(nullptr, probeFolder, prompts, kTexts), 1);
    EXPECT_TRUE(prompts.messages.empty());
    for (int waited = 0; waited < 200 && !testing::FileExistsW(marker); ++waited) Sleep(50);
    Sleep(100);
    EXPECT_EQ(testing::ReadWholeFile(marker), "/run");
    DeleteFileW(marker.c_str());
}

}  // namespace
}  // namespace vimbrel::controller
