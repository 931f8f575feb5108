#include "CaptureFiles.h"

#include "ExactAnsi.h"
#include "WideText.h"
#include "winowners/KernelOwners.h"

#include <windows.h>

namespace vimbrel::controller {

namespace {

constexpr int kModeMonitor = 5;
constexpr int kStateMonitoring = 4;

}  // namespace

std::optional<std::vector<std::u16string>> ListFolderNames(const std::wstring& folder) {
    if (folder.empty()) return std::nullopt;
    std::wstring pattern = folder + L"\\*";
    if (pattern.size() >= MAX_PATH) return std::nullopt;
    WIN32_FIND_DATAW entry;
    const winowners::UniqueFindHandle find(FindFirstFileW(pattern.c_str(), &entry));
    if (!find) return std::nullopt;
    std::vector<std::u16string> names;
    do {
        names.push_back(CopyToU16(entry.cFileName));
    } while (FindNextFileW(find.get(), &entry));
    return names;
}

bool PathExists(const std::u16string& path) {
    return GetFileAttributesW(CopyToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

int FindHighestCounter(const wchar_t* folder, const wchar_t* prefix) {
    if (!folder || !prefix) return 0;
    auto names = ListFolderNames(folder);
    return names ? HighestCounter(*names, CopyToU16(prefix)) : 0;
}

int MakeCaptureName(int kind, const wchar_t* mediaFolder, const CaptureFileTypes& types, const ILocalClock& clock,
                    wchar_t* out) {
    if (!out) return 0;
    out[0] = L'\0';
    if (!mediaFolder) return 0;
    std::wstring folder(mediaFolder);
    // A folder that cannot be listed counts as empty; the existence test
    // still keeps the name off any file that is there.
    std::vector<std::u16string> names = ListFolderNames(folder).value_or(std::vector<std::u16string>{});
    auto name = vimbrel::controller::MakeCaptureName(CopyToU16(folder), kind, clock.Now(), types, names, PathExists);
    if (!name) return 0;
    name->copy(reinterpret_cast<char16_t*>(out), name->size());
    out[name->size()] = L'\0';
    return 1;
}

int ToEngineAnsiPath(const wchar_t* path, char* out) {
    if (!out) return 0;
    out[0] = '\0';
    if (!path || !*path) return 0;
    std::optional<std::string> ansi = ToExactAnsi(path);
    if (!ansi || ansi->size() >= kCaptureNameCapacity) return 0;
    ansi->copy(out, ansi->size());
    out[ansi->size()] = '\0';
    return 1;
}

int CaptureMonitorImage(const MonitorCapture& capture, const ILocalClock& clock) {
    if (capture.modeId != kModeMonitor || capture.captureState != kStateMonitoring || !capture.captureImage) {
        return 0;
    }
    wchar_t name[kCaptureNameCapacity];
    char ansiName[kCaptureNameCapacity];
    // An empty path would leave the engine to decide where the picture goes;
    // without a name there is no picture.
    if (!MakeCaptureName(kMediaMonitor, capture.monitorFolder, capture.types, clock, name)) return 0;
    if (!ToEngineAnsiPath(name, ansiName)) return 0;
    return capture.captureImage(ansiName);
}

}  // namespace vimbrel::controller
