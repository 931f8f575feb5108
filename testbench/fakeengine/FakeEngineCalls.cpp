#include "FakeEngineCalls.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "FakeEngine.h"

namespace fakeengine {
namespace {

std::string Num(long long value) { return std::to_string(value); }

std::string Real(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string Quote(const char* text) { return text ? "\"" + std::string(text) + "\"" : "null"; }

// Wide texts are logged as UTF-8 (only ASCII is used in the scripts).
std::string Quote(const WChar* text) {
    if (text == nullptr) return "null";
    std::string out = "\"";
    for (; *text; ++text) {
        auto unit = static_cast<unsigned>(*text);
        out += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return out + "\"";
}

std::string WindowText(Window window) { return window ? "window" : "null"; }

// Logs the call and answers whether the script lets it succeed.
bool Call(const char* name, const std::string& arguments = "") {
    Engine().Record(std::string(name) + "(" + arguments + ")");
    return !Engine().Refuses(name);
}

int Answer(const char* name, const std::string& arguments = "") { return Call(name, arguments) ? 1 : 0; }

// The engine's count convention: index -1 asks how many there are.
template <typename List, typename Write>
int ListQuery(const char* name, int* index, const List& list, Write write) {
    if (index == nullptr || !Call(name, Num(*index))) return 0;
    if (*index == -1) {
        *index = static_cast<int>(list.size());
        return 1;
    }
    if (*index < 0 || *index >= static_cast<int>(list.size())) return 0;
    write(list[*index]);
    return 1;
}

void CopyAnsi(char* out, const std::string& text) {
    std::size_t length = text.size() < 259 ? text.size() : 259;
    std::memcpy(out, text.data(), length);
    out[length] = '\0';
}

std::string FromWide(const WChar* text) {
    std::string out;
    for (; text && *text; ++text) out += static_cast<char>(*text);
    return out;
}

void ToWide(WChar* out, const std::string& text) {
    std::size_t length = text.size() < 259 ? text.size() : 259;
    for (std::size_t i = 0; i < length; ++i) out[i] = static_cast<WChar>(text[i]);
    out[length] = 0;
}

// A listed name is kept; otherwise the first listed device is opened.
void OpenDevice(WChar* name, const std::vector<std::string>& devices) {
    if (name == nullptr) return;
    std::string wanted = FromWide(name);
    for (const std::string& device : devices) {
        if (device == wanted) return;
    }
    ToWide(name, devices.empty() ? std::string() : devices.front());
}

}  // namespace

int GetVideoQuality(int property, Long* value) {
    if (value == nullptr || !Call("GetVideoQuality", Num(property))) return 0;
    auto found = Engine().qualities.find(property);
    if (found == Engine().qualities.end()) return 0;
    *value = found->second;
    return 1;
}

int SetVideoQuality(int property, Long value) {
    if (!Call("SetVideoQuality", Num(property) + "," + Num(value))) return 0;
    Engine().qualities[property] = static_cast<int>(value);
    return 1;
}

int SetDefaultVideoQuality(int property) { return Answer("SetDefaultVideoQuality", Num(property)); }

int GetVideoQualityRange(int property, Long* minimum, Long* maximum, Long* defaultValue) {
    if (!minimum || !maximum || !defaultValue || !Call("GetVideoQualityRange", Num(property))) return 0;
    auto found = Engine().ranges.find(property);
    if (found == Engine().ranges.end()) return 0;
    *minimum = found->second.minimum;
    *maximum = found->second.maximum;
    *defaultValue = found->second.defaultValue;
    return 1;
}

int SetVideoFormat(int index, int force) { return Answer("SetVideoFormat", Num(index) + "," + Num(force)); }

int GetVideoFormat(int* index, char* subtype, int* width, int* height) {
    if (!subtype || !width || !height) return 0;
    return ListQuery("GetVideoFormat", index, Engine().formats, [&](const Size& size) {
        CopyAnsi(subtype, "RGB24");
        *width = size.width;
        *height = size.height;
    });
}

int GetSupportedVideoBitrate(int* index, int* bitsPerSecond) {
    if (!bitsPerSecond) return 0;
    return ListQuery("GetSupportedVideoBitrate", index, Engine().videoBitrates,
                     [&](int rate) { *bitsPerSecond = rate; });
}

int SetPreviewWnd(Window window) { return Answer("SetPreviewWnd", WindowText(window)); }

int Initialize(int mode, int format, WChar* videoName, WChar* audioName, int* videoCount, int* audioCount) {
    if (!videoCount || !audioCount ||
        !Call("Initialize", Num(mode) + "," + Num(format) + "," + Quote(videoName) + "," + Quote(audioName)))
        return 0;
    OpenDevice(videoName, Engine().videoDevices);
    OpenDevice(audioName, Engine().audioDevices);
    *videoCount = static_cast<int>(Engine().videoDevices.size());
    *audioCount = static_cast<int>(Engine().audioDevices.size());
    return 1;
}

int CaptureAV(const char* path) { return Answer("CaptureAV", Quote(path)); }
int CaptureVideo(const char* path) { return Answer("CaptureVideo", Quote(path)); }
int CaptureAudio(const char* path) { return Answer("CaptureAudio", Quote(path)); }
int Pause() { return Answer("Pause"); }
int Resume() { return Answer("Resume"); }
int CaptureImage(const char* path) { return Answer("CaptureImage", Quote(path)); }
int SetGammaCorrect(int on) { return Answer("SetGammaCorrect", Num(on)); }
int StartMonitor(Window window) { return Answer("StartMonitor", WindowText(window)); }
int SetSensitivity(int level) { return Answer("SetSensitivity", Num(level)); }
int StopMonitor() { return Answer("StopMonitor"); }
int SetMode(int mode) { return Answer("SetMode", Num(mode)); }
int SetVideoBitrate(int index) { return Answer("SetVideoBitrate", Num(index)); }

int GetSupportedAudioBitrate(int* index, int* bitsPerSecond) {
    if (!bitsPerSecond) return 0;
    return ListQuery("GetSupportedAudioBitrate", index, Engine().audioBitrates,
                     [&](int rate) { *bitsPerSecond = rate; });
}

int SetAudioBitrate(int index) { return Answer("SetAudioBitrate", Num(index)); }
int SetVideoFileFormat(int format) { return Answer("SetVideoFileFormat", Num(format)); }
int SetAudioFileFormat(int format) { return Answer("SetAudioFileFormat", Num(format)); }
int SetImageFileFormat(int format) { return Answer("SetImageFileFormat", Num(format)); }
int SetJPGQuality(int quality) { return Answer("SetJPGQuality", Num(quality)); }
int SetText(const WChar* text) { return Answer("SetText", Quote(text)); }
int EnableText(int on) { return Answer("EnableText", Num(on)); }
int SetEffect(int effectId) { return Answer("SetEffect", Num(effectId)); }
int SetFrame(const WChar* path) { return Answer("SetFrame", Quote(path)); }
int Zoom(float factor) { return Answer("Zoom", Real(factor)); }

int SetAudioVolume(double level) {
    if (!Call("SetAudioVolume", Real(level))) return 0;
    Engine().audioVolume = level;
    return 1;
}

int GetAudioVolume(double* level) {
    if (!level || !Call("GetAudioVolume")) return 0;
    *level = Engine().audioVolume;
    return 1;
}

int GetVideoDevice(int* index, char* name) {
    if (!name) return 0;
    return ListQuery("GetVideoDevice", index, Engine().videoDevices,
                     [&](const std::string& device) { CopyAnsi(name, device); });
}

int GetAudioDevice(int* index, char* name) {
    if (!name) return 0;
    return ListQuery("GetAudioDevice", index, Engine().audioDevices,
                     [&](const std::string& device) { CopyAnsi(name, device); });
}

int SelectVideoDevice(int index, int width, int height) {
    if (!Call("SelectVideoDevice", Num(index) + "," + Num(width) + "," + Num(height))) return 0;
    return index >= 0 && index < static_cast<int>(Engine().videoDevices.size()) ? 1 : 0;
}

int SelectAudioDevice(int index) {
    if (!Call("SelectAudioDevice", Num(index))) return 0;
    return index >= 0 && index < static_cast<int>(Engine().audioDevices.size()) ? 1 : 0;
}

int SetPlaybackVolume(double volume) {
    if (!Call("SetPlaybackVolume", Real(volume))) return 0;
    Engine().playbackVolume = volume;
    return 1;
}

int GetPlaybackVolume(double* volume) {
    if (!volume || !Call("GetPlaybackVolume")) return 0;
    *volume = Engine().playbackVolume;
    return 1;
}

int PlayFile(const WChar* path, Window window, float* duration, Dc* dc, int width, int height, int* hasVideo) {
    if (!Call("PlayFile", Quote(path) + "," + WindowText(window) + "," + Num(width) + "," + Num(height))) return 0;
    if (duration) *duration = 0.0f;
    if (dc) *dc = nullptr;
    if (hasVideo) *hasVideo = 0;
    return 1;
}

int GetCurrentPlaybackTime(float* seconds) {
    if (!seconds || !Call("GetCurrentPlaybackTime")) return 0;
    *seconds = 0.0f;
    return 1;
}

int GetCurrentRecordingTime(float* seconds) {
    if (!seconds || !Call("GetCurrentRecordingTime")) return 0;
    *seconds = 0.0f;
    return 1;
}

int ResumePlayback() { return Answer("ResumePlayback"); }
int PausePlayback() { return Answer("PausePlayback"); }
int StopPlayback() { return Answer("StopPlayback"); }
int SetPlaybackPosition(float percent) { return Answer("SetPlaybackPosition", Real(percent)); }
int SetShootMode(int shootMode) { return Answer("SetShootMode", Num(shootMode)); }
int SetMirrorMode(int mirror) { return Answer("SetMirrorMode", Num(mirror)); }
int DisplayCameraAdvancedSetting(Window parent) { return Answer("DisplayCameraAdvancedSetting", WindowText(parent)); }
int Uninitialize() { return Answer("Uninitialize"); }
int SetFace(int face) { return Answer("SetFace", Num(face)); }

}  // namespace fakeengine
