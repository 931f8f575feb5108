// The message boxes the engine shows. They have no owner and are ANSI, as
// the main program's users have always seen them.
#pragma once

namespace camera {

enum class EngineMessage {
    NoAudioDevice,
    NoCameraDevice,
    EffectFilterMissing,
    CameraBusy,
    AudioControlFilterMissing,
    MotionFilterMissing,
    InvalidFileFormat,
};

void ShowEngineMessage(EngineMessage message);

// The graph state box: "stopped", "paused", "running" or "nothing".
void ShowGraphStatus(const char* stateText);

}  // namespace camera
