#pragma once
// A capture engine that answers from a script and writes down every call,
// for the main program's tests. The same object stands behind the fake
// camera.dll under Wine and behind the function table of native tests.
//
// Script: entries "key=value" separated by ';' or new lines; lists inside a
// value are separated by '|'.
//   video_devices=Cam A|Cam B    audio_devices=Mic
//   formats=800x600|640x480      (format index = position)
//   video_bitrates=256000|512000 audio_bitrates=64000
//   ranges=0:0:100:40|1:0:255:128 (property:minimum:maximum:default)
//   audio_volume=0.5             playback_volume=0.5
//   refuse=Initialize|SetMode    (these calls answer 0)
// Initialize keeps a device name that the script lists and otherwise writes
// back the first listed device (or an empty name), as the real engine does
// when the saved camera is gone.

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace fakeengine {

struct Size {
    int width;
    int height;
};

struct QualityRange {
    int minimum;
    int maximum;
    int defaultValue;
};

class CFakeEngine {
public:
    // Forgets the script and the log.
    void Reset();
    // Reset, then the script; false (and a reset engine) when it is malformed.
    bool Script(std::string_view script);

    // One line per call, "Name(arguments)", oldest first.
    std::vector<std::string> Log() const;
    std::string LogText() const;  // the lines joined by '\n'
    void ClearLog();
    void Record(const std::string& call);
    // Whether the script refuses this call.
    bool Refuses(const char* name) const;

    std::vector<std::string> videoDevices;
    std::vector<std::string> audioDevices;
    std::vector<Size> formats;
    std::vector<int> videoBitrates;
    std::vector<int> audioBitrates;
    std::map<int, QualityRange> ranges;
    std::map<int, int> qualities;
    double audioVolume = 0.0;
    double playbackVolume = 0.0;

private:
    mutable std::mutex lock_;
    std::vector<std::string> log_;
    std::set<std::string, std::less<>> refused_;
};

// The one engine of this process.
CFakeEngine& Engine();

}  // namespace fakeengine
