#include "CMediaActions.h"

#include "FileActions.h"

namespace vimbrel::mainwindow {

int CMediaActions::CopySelectedTo() { return controller::CopySelectedTo(&selection_, Owner(), services_.prompts); }

int CMediaActions::PrintSelected() { return controller::PrintSelected(&selection_, Owner(), services_.prompts); }

int CMediaActions::MailSelected() {
    std::unique_ptr<controller::IMailClient> mail = services_.mailClient ? services_.mailClient() : nullptr;
    if (!mail) return 0;
    return controller::MailSelected(&selection_, services_.prompts, Owner(), services_.texts, *mail);
}

int CMediaActions::SetDesktopWallpaper(const std::wstring& path) {
    if (path.empty()) return 0;
    return controller::SetDesktopWallpaper(path.c_str());
}

int CMediaActions::StartSlideShow() {
    return controller::StartSlideShow(Owner(), services_.programFolder, services_.prompts, services_.texts);
}

std::unique_ptr<controller::IMailClient> MakeSystemMailClient() {
    return std::make_unique<controller::CSystemMailClient>();
}

}  // namespace vimbrel::mainwindow
