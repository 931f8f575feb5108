#pragma once
// Camera models are told apart by the vendor and product numbers of their
// device instance id: USB\VID_0AC8&PID_C302\5&1234 belongs to the model
// VID_0AC8&PID_C302, the key CamDev.ini lists its module under.

#include <optional>
#include <string>
#include <string_view>

namespace vimbrel::controller {

// Each of "vid" and "pid" (found ignoring case) is taken with the
// characters after it, eight in all, or fewer where the id ends; the two
// are joined by "&" and upper-cased. nullopt when either is missing.
std::optional<std::u16string> DeviceKeyFromInstanceId(std::u16string_view instanceId);

// Whether product contains fragment, both compared in lower case (ASCII
// letters); an empty product contains nothing.
bool ProductContains(std::u16string_view product, std::u16string_view fragment);

}  // namespace vimbrel::controller
