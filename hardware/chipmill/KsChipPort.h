// Reaches the chip driver through the IKsPropertySet of its capture filter.
#pragma once

#include "ChipRegisters.h"

#include <dshow.h>
#include <wrl/client.h>

namespace chipmill {

// {E02A32D0-D2FC-4628-A1DD-DE079B11DFE1}
extern const GUID PROPSETID_ChipAccess;

class CKsChipPort : public chipaccess::IChipPort {
public:
    // A null filter: nothing is bound, and every call counts as done.
    explicit CKsChipPort(Microsoft::WRL::ComPtr<IBaseFilter> filter) : filter_(std::move(filter)) {}

    chipaccess::ChipCall Set(chipaccess::ChipProperty property, const chipaccess::ChipAccessRecord& record) override;
    chipaccess::ChipCall Get(chipaccess::ChipProperty property, chipaccess::ChipAccessRecord& record) override;

private:
    Microsoft::WRL::ComPtr<IBaseFilter> filter_;
};

}  // namespace chipmill
