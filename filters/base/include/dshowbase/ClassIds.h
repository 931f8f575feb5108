// Class ids that DirectShow code here needs and the MinGW headers do not
// declare (their interfaces are in qedit.h, the classes are not).
#pragma once

#include <guiddef.h>

namespace dshowbase {

// Sample Grabber, {C1F400A0-3F08-11d3-9F0B-006008039E37}.
inline constexpr GUID CLSID_SampleGrabber = {
    0xC1F400A0, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};

// Null Renderer, {C1F400A4-3F08-11d3-9F0B-006008039E37}.
inline constexpr GUID CLSID_NullRenderer = {
    0xC1F400A4, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};

}  // namespace dshowbase
