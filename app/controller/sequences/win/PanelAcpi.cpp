#include "PanelAcpi.h"

#include <windows.h>

#include <vector>

#include "PanelAcpiPacking.h"
#include "winowners/KernelOwners.h"

namespace vimbrel::controller {
namespace {

// The device, opened anew for each call and closed on every path.
class CAcpiDevice {
public:
    CAcpiDevice()
        : handle_(CreateFileW(L"\\\\.\\PNLACPI", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr)) {}
    CAcpiDevice(const CAcpiDevice&) = delete;
    CAcpiDevice& operator=(const CAcpiDevice&) = delete;
    bool IsOpen() const { return static_cast<bool>(handle_); }
    bool Call(const PanelAcpiInput& input, std::vector<std::uint8_t>& output) {
        DWORD returned = 0;
        return DeviceIoControl(handle_.get(), kPanelAcpiIoControl, const_cast<std::uint8_t*>(input.data()),
                               static_cast<DWORD>(input.size()), output.data(), static_cast<DWORD>(output.size()),
                               &returned, nullptr) != FALSE;
    }

private:
    winowners::UniqueHandle handle_;
};

}  // namespace

int CDevicePanelAcpi::Read(std::uint32_t method) {
    CAcpiDevice device;
    if (!device.IsOpen()) return -1;
    std::vector<std::uint8_t> output(kPanelAcpiOutputSize, 0);
    if (!device.Call(PackAcpiRead(method), output)) return -1;
    return UnpackAcpiResult(output.data(), output.size());
}

int CDevicePanelAcpi::Set(std::uint32_t method, int value) {
    PanelAcpiArgument argument = PackAcpiArgument(value);
    // The input carries the record's address in one 32-bit word; a 64-bit
    // address that does not fit would point the device elsewhere.
    const auto address = reinterpret_cast<std::uintptr_t>(argument.data());
    if (address > 0xFFFFFFFFu) return -1;
    CAcpiDevice device;
    if (!device.IsOpen()) return -1;
    std::vector<std::uint8_t> output(kPanelAcpiOutputSize, 0);
    return device.Call(PackAcpiSet(method, static_cast<std::uint32_t>(address)), output) ? 0 : -1;
}

}  // namespace vimbrel::controller
