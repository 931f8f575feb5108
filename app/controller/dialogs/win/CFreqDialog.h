#pragma once
// The prompt shown once after the main window appears: where the user is,
// the mains frequency recommended there, and whether to open the camera's
// own property pages to set its anti-flicker frequency. A ticked "don't
// ask again" box is stored as PopFreqDlg at once.

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ControllerPorts.h"
#include "framework/CDialog.h"

namespace vimbrel::controller {

struct Nation {
    std::u16string name;
    int geoId;
};

// The nations the system knows and the user's own.
class INationSource {
public:
    virtual ~INationSource() = default;
    virtual std::vector<Nation> Nations() const = 0;
    virtual int UserNation() const = 0;
};

// PopFreqDlg under the settings key.
class IPromptFlag {
public:
    virtual ~IPromptFlag() = default;
    // Due when the value cannot be read.
    virtual bool IsPromptDue() const = 0;
    // Ticked writes the value, cleared deletes it; nothing when the key is
    // missing (it is not created here).
    virtual void Store(bool dontShowAgain) = 0;
};

class CFreqDialog final : public framework::CDialog {
public:
    using FrequencyLookup = std::function<int(int geoId)>;

    CFreqDialog(const ILanguageStrings& texts, const INationSource& nations, FrequencyLookup lookup, IPromptFlag& flag,
                HWND parent = nullptr, HINSTANCE module = nullptr);

    // The list as filled, in enumeration order ({name, id}).
    const std::vector<Nation>& Listed() const { return listed_; }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillLocations();
    void OnLocationChanged();
    void OnDontShowAgain();

    const ILanguageStrings& texts_;
    const INationSource& nations_;
    FrequencyLookup lookup_;
    IPromptFlag& flag_;
    std::vector<Nation> listed_;
};

// Runs the prompt when it is due; on Yes, showCameraProperties.
// Answers what the dialog answered, or 0 when it was not due.
INT_PTR RunFrequencyPromptIfDue(IPromptFlag& flag, const std::function<INT_PTR()>& runPrompt,
                                const std::function<void()>& showCameraProperties);

// --- The system's side --------------------------------------------------
// EnumSystemGeoID's nations; their names in the user-interface language,
// or their two-letter codes where the system has no names (Wine).
class CSystemNations final : public INationSource {
public:
    std::vector<Nation> Nations() const override;
    int UserNation() const override;
};

// "geo.ini" in the program folder, section "Locale".
int LookupGeoFrequency(const std::wstring& geoIniPath, int geoId);

class CRegistryPromptFlag final : public IPromptFlag {
public:
    CRegistryPromptFlag(HKEY root, std::wstring keyPath) : root_(root), keyPath_(std::move(keyPath)) {}
    bool IsPromptDue() const override;
    void Store(bool dontShowAgain) override;

private:
    HKEY root_;
    std::wstring keyPath_;
};

}  // namespace vimbrel::controller
