#include "engine/win/HiddenWindow.h"
#include "CallGuard.h"

#include "engine/win/CaptureEngineState.h"
#include "engine/win/GraphEvents.h"
#include "engine/win/GraphTeardown.h"
#include "engine/win/PowerResume.h"
#include "engine/win/SoundRecording.h"
#include "engine/win/VideoRecording.h"

namespace camera {

namespace {


void OnSuspend(CaptureEngineState& state) {
    if (state.values.captureState == kRecordingAudio) {
        // The recording ends as a stop would end it: the file gets its
        // final header and index, and the multiplexer and file writer are
        // let go with the graph instead of holding the file until the next
        // recording. The state stays until the resume clears it.
        EndSoundRecording(state);
    } else if (state.values.captureState == kRecordingVideoOnly ||
               state.values.captureState == kRecordingVideoWithSound) {
        // Ended as a stop would end it, so that the file is finished before
        // the machine sleeps and the camera is back in the preview: the
        // resume rebuilds the preview only when a format was chosen, and
        // would otherwise leave the recording running behind an idle state.
        StopVideoRecording(state);
    } else if (state.values.captureState == kMonitoring) {
        if (state.monitorControl) state.monitorControl->Stop();
        EmptyGraph(state.monitorGraph.Get());
    }
}

}  // namespace

LRESULT CALLBACK CameraWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The host's message loop is not ours to unwind through: a suspend,
    // resume or graph event whose handling throws is dropped.
    return boundary::GuardedMessage(message, [&]() -> LRESULT {
        if (message == WM_POWERBROADCAST) {
            if (wParam == PBT_APMSUSPEND)
                OnSuspend(Engine());
            else if (wParam == PBT_APMRESUMESUSPEND)
                ResumeAfterSuspend(Engine());
        } else if (message == WM_CAMERA_GRAPH_EVENT) {
            if (lParam == kPlaybackGraphEvents)
                OnPlaybackGraphEvent(Engine());
            else if (lParam == kMonitorGraphEvents)
                OnMonitorGraphEvent(Engine());
        }
        return DefWindowProcA(window, message, wParam, lParam);
    });
}

HWND CreateHiddenWindow(HMODULE module) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = CameraWndProc;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kHiddenWindowClass;
    // A class left by an earlier run of this module is reused.
    if (RegisterClassA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    return CreateWindowA(kHiddenWindowClass, kHiddenWindowTitle, 0, 0, 0, 0, 0, nullptr, nullptr, module, nullptr);
}

void DestroyHiddenWindow(HWND window, HMODULE module) {
    if (window != nullptr && IsWindow(window)) {
        DWORD owner = GetWindowThreadProcessId(window, nullptr);
        if (owner == GetCurrentThreadId()) {
            DestroyWindow(window);
        } else {
            // Only its own thread may destroy it; a thread that no longer
            // answers must not hang the shutdown.
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
        }
    }
    UnregisterClassA(kHiddenWindowClass, module);
}

}  // namespace camera
