#include "FakeEngine.h"

#include <cstdlib>

namespace fakeengine {
namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    if (text.empty()) return parts;
    std::size_t start = 0;
    while (true) {
        std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return parts;
}

bool ToInt(const std::string& text, int& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0') return false;
    out = static_cast<int>(value);
    return true;
}

bool ToDouble(const std::string& text, double& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return *end == '\0';
}

bool ToInts(const std::string& text, std::vector<int>& out) {
    for (const std::string& part : Split(text, '|')) {
        int value = 0;
        if (!ToInt(part, value)) return false;
        out.push_back(value);
    }
    return true;
}

}  // namespace

CFakeEngine& Engine() {
    static CFakeEngine engine;
    return engine;
}

void CFakeEngine::Reset() {
    videoDevices.clear();
    audioDevices.clear();
    formats.clear();
    videoBitrates.clear();
    audioBitrates.clear();
    ranges.clear();
    qualities.clear();
    audioVolume = 0.0;
    playbackVolume = 0.0;
    std::lock_guard<std::mutex> hold(lock_);
    log_.clear();
    refused_.clear();
}

bool CFakeEngine::Script(std::string_view script) {
    Reset();
    std::string text(script);
    for (char& c : text) {
        if (c == '\n' || c == '\r') c = ';';
    }
    bool ok = true;
    for (const std::string& entry : Split(text, ';')) {
        if (entry.empty()) continue;
        std::size_t equals = entry.find('=');
        if (equals == std::string::npos) {
            ok = false;
            break;
        }
        std::string key = entry.substr(0, equals);
        std::string value = entry.substr(equals + 1);
        if (key == "video_devices") {
            videoDevices = Split(value, '|');
        } else if (key == "audio_devices") {
            audioDevices = Split(value, '|');
        } else if (key == "formats") {
            for (const std::string& size : Split(value, '|')) {
                auto wh = Split(size, 'x');
                Size parsed{};
                if (wh.size() != 2 || !ToInt(wh[0], parsed.width) || !ToInt(wh[1], parsed.height)) {
                    ok = false;
                    break;
                }
                formats.push_back(parsed);
            }
        } else if (key == "video_bitrates") {
            ok = ToInts(value, videoBitrates);
        } else if (key == "audio_bitrates") {
            ok = ToInts(value, audioBitrates);
        } else if (key == "ranges") {
            for (const std::string& range : Split(value, '|')) {
                auto fields = Split(range, ':');
                int property = 0;
                QualityRange parsed{};
                if (fields.size() != 4 || !ToInt(fields[0], property) || !ToInt(fields[1], parsed.minimum) ||
                    !ToInt(fields[2], parsed.maximum) || !ToInt(fields[3], parsed.defaultValue)) {
                    ok = false;
                    break;
                }
                ranges[property] = parsed;
            }
        } else if (key == "audio_volume") {
            ok = ToDouble(value, audioVolume);
        } else if (key == "playback_volume") {
            ok = ToDouble(value, playbackVolume);
        } else if (key == "refuse") {
            std::lock_guard<std::mutex> hold(lock_);
            for (const std::string& name : Split(value, '|')) refused_.insert(name);
        } else {
            ok = false;
        }
        if (!ok) break;
    }
    if (!ok) Reset();
    return ok;
}

std::vector<std::string> CFakeEngine::Log() const {
    std::lock_guard<std::mutex> hold(lock_);
    return log_;
}

std::string CFakeEngine::LogText() const {
    std::string text;
    for (const std::string& line : Log()) {
        if (!text.empty()) text += '\n';
        text += line;
    }
    return text;
}

void CFakeEngine::ClearLog() {
    std::lock_guard<std::mutex> hold(lock_);
    log_.clear();
}

void CFakeEngine::Record(const std::string& call) {
    std::lock_guard<std::mutex> hold(lock_);
    log_.push_back(call);
}

bool CFakeEngine::Refuses(const char* name) const {
    std::lock_guard<std::mutex> hold(lock_);
    return refused_.find(std::string_view(name)) != refused_.end();
}

}  // namespace fakeengine
