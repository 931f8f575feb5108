// shortcutter.dll's custom actions called as the installer calls them:
// with the handle of a real package whose "CustomActionData" names the
// product, against all-users folders pointed at the test's own folders.
// The links they save are read back through the shell's link object.
#include "DebugMessages.h"
#include "InstallSandbox.h"
#include "LinkContents.h"
#include "TestPackage.h"

#include <windows.h>
#include <msi.h>

#include <gtest/gtest.h>

#include <string>

using namespace shortcuttertest;

namespace {

const char kProduct[] = "Shortcut Test Cam";

class CShortcutter {
public:
    using ActionFn = UINT(__stdcall*)(MSIHANDLE);

    CShortcutter() : module_(LoadLibraryW(L"shortcutter.dll")) {
        installDesktop = Bind("InstDesktopShortcut");
        installStartMenu = Bind("InstStartMenuShortcut");
        uninstallDesktop = Bind("UninstDesktopShortcut");
        uninstallStartMenu = Bind("UninstStartMenuShortcut");
    }
    ~CShortcutter() {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    CShortcutter(const CShortcutter&) = delete;
    CShortcutter& operator=(const CShortcutter&) = delete;

    bool IsBound() const {
        return installDesktop != nullptr && installStartMenu != nullptr && uninstallDesktop != nullptr &&
               uninstallStartMenu != nullptr;
    }

    ActionFn installDesktop = nullptr;
    ActionFn installStartMenu = nullptr;
    ActionFn uninstallDesktop = nullptr;
    ActionFn uninstallStartMenu = nullptr;

private:
    ActionFn Bind(const char* name) {
        return module_ == nullptr ? nullptr
                                  : reinterpret_cast<ActionFn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

    HMODULE module_;
};

bool SameFile(const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) == 0; }

// Names in a folder, without "." and "..".
std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return names;
}

class Shortcuts : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(actions_.IsBound());
        ASSERT_TRUE(sandbox_.Ready());
        program_ = sandbox_.MakeProgram("vimbrel.exe");
        ASSERT_TRUE(sandbox_.SetProgramPath(kProduct, program_));
    }

    std::string PackagePath(const char* name) const { return sandbox_.Root() + "\\" + name; }

    // A link to the test's program, with the product name as description
    // and nothing else set.
    void ExpectLinkToProgram(const std::string& linkPath, const std::string& program, const std::string& description) {
        const LinkContents link = ReadLink(linkPath);
        ASSERT_TRUE(link.loaded) << linkPath;
        EXPECT_TRUE(SameFile(program, link.target)) << link.target;
        EXPECT_EQ(description, link.description);
        EXPECT_EQ("", link.arguments);
        EXPECT_EQ("", link.workingDirectory);
        EXPECT_EQ("", link.iconPath);
    }

    std::string DesktopLink(const std::string& product) const { return sandbox_.Desktop() + "\\" + product + ".lnk"; }
    std::string MakersFolder() const { return sandbox_.Programs() + "\\ZAVU Utility"; }
    std::string StartMenuLink(const std::string& product) const { return MakersFolder() + "\\" + product + ".lnk"; }

    CShortcutter actions_;
    CInstallSandbox sandbox_;
    std::string program_;
};

}  // namespace

TEST_F(Shortcuts, DesktopShortcutIsMadeThenRemovedAndRemovingAgainIsNoError) {
    CTestPackage package(PackagePath("desktop.msi"), kProduct);
    ASSERT_NE(0u, package.Handle()) << package.Problem();

    ASSERT_EQ(0u, actions_.installDesktop(package.Handle()));
    ExpectLinkToProgram(DesktopLink(kProduct), program_, kProduct);
    EXPECT_TRUE(Entries(sandbox_.Programs()).empty()) << "the start menu is the other action's";

    EXPECT_EQ(0u, actions_.uninstallDesktop(package.Handle()));
    EXPECT_FALSE(Exists(DesktopLink(kProduct)));
    EXPECT_EQ(0u, actions_.uninstallDesktop(package.Handle()));
}

TEST_F(Shortcuts, StartMenuShortcutGoesIntoTheMakersSharedFolderWhichStays) {
    CTestPackage package(PackagePath("startmenu.msi"), kProduct);
    ASSERT_NE(0u, package.Handle()) << package.Problem();

    ASSERT_EQ(0u, actions_.installStartMenu(package.Handle()));
    ExpectLinkToProgram(StartMenuLink(kProduct), program_, kProduct);
    EXPECT_TRUE(Entries(sandbox_.Desktop()).empty());

    // Again with the folder (and the link) already there, for a program
    // that moved: the link is saved over.
    const std::string moved = sandbox_.MakeProgram("vimbrel2.exe");
    ASSERT_TRUE(sandbox_.SetProgramPath(kProduct, moved));
    ASSERT_EQ(0u, actions_.installStartMenu(package.Handle()));
    ExpectLinkToProgram(StartMenuLink(kProduct), moved, kProduct);

    EXPECT_EQ(0u, actions_.uninstallStartMenu(package.Handle()));
    EXPECT_FALSE(Exists(StartMenuLink(kProduct)));
    EXPECT_TRUE(Exists(MakersFolder()));
    EXPECT_EQ(0u, actions_.uninstallStartMenu(package.Handle()));
}

TEST_F(Shortcuts, AnEmptyProductNameUsesTheMakersKeyAndABareLinkName) {
    CTestPackage package(PackagePath("empty.msi"), nullptr);
    ASSERT_NE(0u, package.Handle()) << package.Problem();
    const std::string program = sandbox_.MakeProgram("unnamed.exe");
    ASSERT_TRUE(sandbox_.SetProgramPath("", program));  // HKLM\SOFTWARE\Zavu "Path"

    ASSERT_EQ(0u, actions_.installDesktop(package.Handle()));
    ExpectLinkToProgram(sandbox_.Desktop() + "\\.lnk", program, "");
    EXPECT_EQ(0u, actions_.uninstallDesktop(package.Handle()));
    EXPECT_FALSE(Exists(sandbox_.Desktop() + "\\.lnk"));
}

TEST_F(Shortcuts, AnUnreadableProductNameFailsEveryActionAndTheStartMenuSaysSo) {
    CDebugMessages messages;
    EXPECT_EQ(1u, actions_.installDesktop(0));
    EXPECT_EQ(1u, actions_.uninstallDesktop(0));
    EXPECT_EQ(1u, actions_.uninstallStartMenu(0));
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(1u, actions_.installStartMenu(0));
    EXPECT_EQ(std::vector<std::string>{"MsiGetProperty failed"}, messages.Texts());
    EXPECT_TRUE(Entries(sandbox_.Desktop()).empty());
    EXPECT_TRUE(Entries(sandbox_.Programs()).empty());
}

TEST_F(Shortcuts, ProductNamesLongerThanTheirBufferAreRefusedNotShortened) {
    // 63 characters and the terminator fill the 64-character buffer.
    const std::string longest(63, 'n');
    ASSERT_TRUE(sandbox_.SetProgramPath(longest, program_));
    {
        CTestPackage package(PackagePath("longest.msi"), longest.c_str());
        ASSERT_NE(0u, package.Handle()) << package.Problem();
        ASSERT_EQ(0u, actions_.installDesktop(package.Handle()));
        ExpectLinkToProgram(DesktopLink(longest), program_, longest);
        EXPECT_EQ(0u, actions_.uninstallDesktop(package.Handle()));
    }
    // One more and the name no longer fits: nothing is made or deleted
    // under the shortened name, though its key and link exist.
    const std::string tooLong = longest + "X";
    ASSERT_EQ(0u, actions_.installDesktop(CTestPackage(PackagePath("again.msi"), longest.c_str()).Handle()));
    CTestPackage package(PackagePath("toolong.msi"), tooLong.c_str());
    ASSERT_NE(0u, package.Handle()) << package.Problem();
    CDebugMessages messages;
    EXPECT_EQ(1u, actions_.installStartMenu(package.Handle()));
    EXPECT_EQ(std::vector<std::string>{"MsiGetProperty failed"}, messages.Texts());
    EXPECT_EQ(1u, actions_.uninstallDesktop(package.Handle()));
    EXPECT_TRUE(Exists(DesktopLink(longest)));
    EXPECT_FALSE(Exists(MakersFolder()));
}

TEST_F(Shortcuts, InstallFailsWithoutAUsableProgramPath) {
    const struct {
        const char* product;
        DWORD type;
        std::string data;
    } cases[] = {
        {"Number Path", REG_DWORD, std::string("\x01\x00\x00\x00", 4)},  // not text
        {"Long Path", REG_SZ, "C:\\" + std::string(300, 'p') + ".exe"},  // more than 260 bytes
    };
    for (const auto& bad : cases) {
        const DWORD size = static_cast<DWORD>(bad.data.size() + (bad.type == REG_SZ ? 1 : 0));
        ASSERT_TRUE(sandbox_.SetProgramValue(bad.product, bad.type, bad.data.c_str(), size));
        CTestPackage package(PackagePath("badpath.msi"), bad.product);
        ASSERT_NE(0u, package.Handle()) << package.Problem();
        EXPECT_EQ(1u, actions_.installDesktop(package.Handle())) << bad.product;
        EXPECT_EQ(1u, actions_.installStartMenu(package.Handle())) << bad.product;
    }
    CTestPackage unknown(PackagePath("unknown.msi"), "Product Nobody Installed");
    ASSERT_NE(0u, unknown.Handle()) << unknown.Problem();
    EXPECT_EQ(1u, actions_.installDesktop(unknown.Handle()));
    EXPECT_TRUE(Entries(sandbox_.Desktop()).empty());
    EXPECT_TRUE(Entries(MakersFolder()).empty());
}

TEST_F(Shortcuts, MissingOrUnusableShellFoldersFailTheActions) {
    CTestPackage package(PackagePath("folders.msi"), kProduct);
    ASSERT_NE(0u, package.Handle()) << package.Problem();

    ASSERT_TRUE(sandbox_.RemoveShellFolder("Common Desktop"));
    ASSERT_TRUE(sandbox_.RemoveShellFolder("Common Programs"));
    EXPECT_EQ(1u, actions_.installDesktop(package.Handle()));
    EXPECT_EQ(1u, actions_.uninstallDesktop(package.Handle()));
    EXPECT_EQ(1u, actions_.installStartMenu(package.Handle()));
    EXPECT_EQ(1u, actions_.uninstallStartMenu(package.Handle()));

    // Folders that do not exist: the link cannot be saved, and that is a
    // failure rather than a shortcut reported as made.
    ASSERT_TRUE(sandbox_.SetShellFolder("Common Desktop", sandbox_.Root() + "\\Gone\\Desktop"));
    ASSERT_TRUE(sandbox_.SetShellFolder("Common Programs", sandbox_.Root() + "\\Gone\\Programs"));
    EXPECT_EQ(1u, actions_.installDesktop(package.Handle()));
    EXPECT_EQ(1u, actions_.installStartMenu(package.Handle()));
    EXPECT_FALSE(Exists(sandbox_.Root() + "\\Gone"));

    // A folder of 250 characters fits, but no link in it fits a path
    // buffer: 250 + 1 + 17 + 4 and 250 + 14 + 17 + 4 are over 259.
    const std::string deep = sandbox_.Desktop() + "\\" + std::string(250 - sandbox_.Desktop().size() - 1, 'd');
    ASSERT_EQ(250u, deep.size());
    ASSERT_TRUE(sandbox_.SetShellFolder("Common Desktop", deep));
    ASSERT_TRUE(sandbox_.SetShellFolder("Common Programs", deep));
    EXPECT_EQ(1u, actions_.installDesktop(package.Handle()));
    EXPECT_EQ(1u, actions_.uninstallDesktop(package.Handle()));
    EXPECT_EQ(1u, actions_.installStartMenu(package.Handle()));
    EXPECT_EQ(1u, actions_.uninstallStartMenu(package.Handle()));
    EXPECT_TRUE(Entries(sandbox_.Desktop()).empty());
}
