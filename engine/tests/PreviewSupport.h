// For the tests that need the live preview: whether the effects filter is
// registered, and what the engine's preview graph holds.
#pragma once

#include "engine/tests/EngineTestSupport.h"

#include "engine/win/ComHelpers.h"

#include <string>
#include <vector>

namespace enginetest {

bool EffectFilterRegistered();

// A fixture that skips its tests while the effects filter is missing and
// gives the bench camera its still scene.
class PreviewTest : public EngineTest {
protected:
    void SetUp() override;

    // The engine's preview graph now (a counted reference).
    camera::ComPtr<IGraphBuilder> PreviewGraph() const;
    OAFilterState PreviewState() const;
    std::vector<std::wstring> FilterNames() const;
    // The frame the grabber holds, once the camera has delivered a few.
    bool WaitForGrabbedFrame(std::vector<BYTE>& frame, LONG& width, LONG& height);
    // The size of the frames the grabber receives now; 0 x 0 when none come.
    SIZE GrabbedFrameSize();
    // What the bench camera delivers at that size (its still scene).
    std::vector<BYTE> SceneFrame(LONG width, LONG height);
};

}  // namespace enginetest
