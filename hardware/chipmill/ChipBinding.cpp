#include "ChipBinding.h"

#include "DriverDesc.h"
#include "DriverRegistry.h"
#include "VideoDevices.h"

#include <mutex>
#include <optional>

namespace chipmill {

using Microsoft::WRL::ComPtr;

namespace {

struct ChipSlot {
    std::mutex lock;
    ComPtr<IBaseFilter> filter;
};

// Never destroyed by the runtime: see ReleaseChipAtUnload.
ChipSlot& Slot() {
    static ChipSlot* slot = new ChipSlot;
    return *slot;
}

void Replace(ComPtr<IBaseFilter> filter) {
    ComPtr<IBaseFilter> old;
    {
        std::lock_guard<std::mutex> hold(Slot().lock);
        old.Swap(Slot().filter);
        Slot().filter = std::move(filter);
    }
    // The old filter goes outside the lock: its release may reach its driver.
}

}  // namespace

bool BindChip() {
    // The thread may already be in COM, in either model; either way it can
    // use the enumerator, so the answer does not matter.
    CoInitialize(nullptr);

    bool descRead = false;
    std::optional<std::string> driverDesc;
    bool bound = false;
    const bool listed = hardware::ForEachVideoDevice([&](IMoniker* moniker, const std::wstring& name) {
        if (!descRead) {
            CDriverRegistry registry;
            driverDesc = chipaccess::FindDriverDesc(registry);
            descRead = true;
        }
        if (!driverDesc) return true;
        if (!chipaccess::NameMatchesDriverDesc(hardware::ToAnsi(name), *driverDesc)) {
            Replace(nullptr);
            return false;
        }
        ComPtr<IBaseFilter> filter;
        if (moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, reinterpret_cast<void**>(filter.GetAddressOf())) !=
                S_OK ||
            !filter)
            return false;
        Replace(std::move(filter));
        bound = true;
        return true;
    });
    return listed && bound;
}

void ReleaseChip() { Replace(nullptr); }

ComPtr<IBaseFilter> BoundChip() {
    std::lock_guard<std::mutex> hold(Slot().lock);
    return Slot().filter;
}

void ReleaseChipAtUnload(bool processTerminating) {
    if (processTerminating) {
        ComPtr<IBaseFilter> abandoned;
        std::lock_guard<std::mutex> hold(Slot().lock);
        abandoned.Swap(Slot().filter);
        abandoned.Detach();
        return;
    }
    ReleaseChip();
}

}  // namespace chipmill
