#include "CameraControllerInstance.h"

#include <windows.h>

#include "AnsiCodePage.h"
#include "CLanguageText.h"
#include "CPanelControllerAdapter.h"
#include "CWindowControllerView.h"
#include "DataRoot.h"
#include "EngineLoader.h"
#include "GdiplusSession.h"
#include "RegistrySettingsStore.h"
#include "SystemClock.h"
#include "SystemPorts.h"
#include "UnattachedParts.h"
#include "WideText.h"

namespace vimbrel::controller {
namespace {

// Members in the order they must come up; GDI+ first, since the
// catalogue's item pictures are GDI+ bitmaps.
struct ControllerInstance {
    ControllerInstance()
        : store(IsWindowsAbove5()),
          texts(GetLanguageText()),
          catalog(texts, localClock),
          controller(ControllerPorts{view, parts, store, codePage, clock, parts, parts, parts, parts, catalog.Items(),
                                     CopyToU16(ProgramFolder())}),
          panels(
              controller, [this](std::uint32_t key) { return catalog.GetButtonTip(key); },
              [](const char* key) {
                  std::wstring wide(key, key + std::char_traits<char>::length(key));
                  return GetLanguageText().GetString(wide.c_str());
              }) {}
    // The workers and the engine end before the catalogue, the windows'
    // ports and GDI+ do.
    ~ControllerInstance() {
        controller.Shutdown();
        catalog.FreeCatalog();
        catalog.FreeItemImages();
    }

    ui::CGdiplusSession gdiplus;
    CWindowControllerView view;
    CUnattachedParts parts;
    CRegistrySettingsStore store;
    CAnsiCodePage codePage;
    CUtcSystemClock clock;
    CSystemLocalClock localClock;
    CLanguageTextStrings texts;
    CControllerCatalog catalog;
    CCameraController controller;
    CPanelControllerAdapter panels;
};

ControllerInstance& Instance() {
    static ControllerInstance instance;
    return instance;
}

}  // namespace

CCameraController& GetCameraController() { return Instance().controller; }
CControllerCatalog& GetControllerCatalog() { return Instance().catalog; }
ui::IPanelController& GetPanelController() { return Instance().panels; }

int BindCameraEngine() {
    ControllerInstance& instance = Instance();
    return BindEngine(instance.controller.Engine(), ProgramFolder(), [&instance] {
        instance.controller.InitLook(GetUserDefaultUILanguage());
        // Both come from the program's own resources: missing, the program
        // is not whole, and it runs without its engine rather than with
        // settings it cannot show.
        if (!instance.catalog.LoadCatalog() || !instance.catalog.LoadItemImages()) return 0;
        return instance.controller.Settings().LoadSettings();
    });
}

}  // namespace vimbrel::controller
