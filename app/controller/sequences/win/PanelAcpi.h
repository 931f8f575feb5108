#pragma once
// The notebook panel's brightness through its ACPI control device. Only the
// notebook has "\\.\PNLACPI"; elsewhere every call answers -1 and the
// brightness is left alone.

#include <cstdint>

namespace vimbrel::controller {

class IPanelAcpi {
public:
    virtual ~IPanelAcpi() = default;
    // The method's result (GPLV: the brightness), or -1.
    virtual int Read(std::uint32_t method) = 0;
    // 0 done, -1 failed or no device.
    virtual int Set(std::uint32_t method, int value) = 0;
};

class CDevicePanelAcpi final : public IPanelAcpi {
public:
    int Read(std::uint32_t method) override;
    int Set(std::uint32_t method, int value) override;
};

}  // namespace vimbrel::controller
