// Frames for the effect tests: what the bench camera sends, what the
// engine's grabber holds after the effects filter, and the few picture
// changes that can be worked out exactly.
#pragma once

#include "BenchDevices.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace enginetest {

using Frame = std::vector<uint8_t>;

constexpr int kFrameWidth = 320;
constexpr int kFrameHeight = 240;

// The bench's still scene at the engine's start format.
Frame StillScene(IBenchDeviceControl* bench);

// The last frame the engine's grabber kept; empty when there is none.
Frame GrabbedFrame();

// Pumps messages until the grabbed frame equals expected.
bool GrabbedFrameBecomes(const Frame& expected, DWORD timeoutMs = 4000);
// Pumps messages until the grabbed frame differs from unwanted; gives it.
Frame GrabbedFrameOtherThan(const Frame& unwanted, DWORD timeoutMs = 4000);

// Every row reversed: the picture as a mirror shows it.
Frame Mirrored(const Frame& frame);

// The filter's fixed gamma correction: each byte i becomes
// round(255 x (i / 255)^0.631).
Frame GammaCorrected(const Frame& frame);

// Each byte through a 256-entry table.
Frame ThroughTable(const Frame& frame, const uint8_t (&table)[256]);
// Blue, green and red each through their own table.
Frame ThroughTables(const Frame& frame, const uint8_t (&blue)[256], const uint8_t (&green)[256],
                    const uint8_t (&red)[256]);

}  // namespace enginetest
