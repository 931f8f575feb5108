#include "engine/win/EngineMessages.h"

#include <windows.h>

namespace camera {

namespace {

struct MessageText {
    const char* text;
    const char* caption;
    UINT flags;
};

MessageText TextOf(EngineMessage message) {
    switch (message) {
    case EngineMessage::NoAudioDevice: return {"No Audio Device Found!!", "Vimbrel", MB_ICONWARNING};
    case EngineMessage::NoCameraDevice: return {"No Camera Device Found!!", "Vimbrel", MB_ICONWARNING};
    case EngineMessage::EffectFilterMissing: return {"The Effect Filter is not found", "Vim Brel", MB_ICONERROR};
    case EngineMessage::CameraBusy: return {"The camera is used by another program", "Vim Brel", MB_OK};
    case EngineMessage::AudioControlFilterMissing:
        return {"The Audio Control filter is not found", "Vim Brel", MB_ICONERROR};
    case EngineMessage::MotionFilterMissing:
        return {"The Motion Detection Filter is not found", "Vim Brel", MB_ICONERROR};
    case EngineMessage::InvalidFileFormat: return {"Invalid file format", "Vim Brel", MB_ICONERROR};
    }
    return {"", "Vim Brel", MB_OK};
}

}  // namespace

void ShowEngineMessage(EngineMessage message) {
    const MessageText box = TextOf(message);
    MessageBoxA(nullptr, box.text, box.caption, box.flags);
}

void ShowGraphStatus(const char* stateText) { MessageBoxA(nullptr, stateText, "vimbrel", MB_OK); }

}  // namespace camera
