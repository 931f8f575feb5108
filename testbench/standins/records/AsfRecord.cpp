#include "AsfRecord.h"

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <map>
#include <sstream>

namespace standins {
namespace {

// Record values are single lines: a value with a line break would forge keys.
std::string OneLine(const std::string& value) {
    std::string line = value;
    for (char& c : line) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return line;
}

std::string RectText(const AsfRect& rect) {
    std::ostringstream out;
    out << rect.left << ',' << rect.top << ',' << rect.right << ',' << rect.bottom;
    return out.str();
}

bool ParseSigned(const std::string& text, int64_t* value) {
    if (text.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0') {
        return false;
    }
    *value = parsed;
    return true;
}

template <class T>
bool ParseField(const std::string& text, T* value) {
    int64_t parsed = 0;
    if (!ParseSigned(text, &parsed)) {
        return false;
    }
    if (parsed < static_cast<int64_t>(std::numeric_limits<T>::min()) ||
        (parsed > 0 && static_cast<uint64_t>(parsed) > static_cast<uint64_t>(std::numeric_limits<T>::max()))) {
        return false;
    }
    *value = static_cast<T>(parsed);
    return true;
}

bool ParseRect(const std::string& text, AsfRect* rect) {
    int32_t parts[4] = {};
    size_t begin = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t comma = i < 3 ? text.find(',', begin) : text.size();
        if (comma == std::string::npos || !ParseField(text.substr(begin, comma - begin), &parts[i])) {
            return false;
        }
        begin = comma + 1;
    }
    *rect = {parts[0], parts[1], parts[2], parts[3]};
    return true;
}

class FieldReader {
public:
    explicit FieldReader(const std::map<std::string, std::string>& fields) : fields_(fields) {}

    // A missing key leaves the value alone; a key that does not parse fails.
    template <class T>
    void Number(const std::string& key, T* value) {
        const auto found = fields_.find(key);
        if (found != fields_.end() && !ParseField(found->second, value)) {
            ok_ = false;
        }
    }
    void Flag(const std::string& key, bool* value) {
        int32_t number = *value ? 1 : 0;
        Number(key, &number);
        *value = number != 0;
    }
    void Text(const std::string& key, std::string* value) {
        const auto found = fields_.find(key);
        if (found != fields_.end()) {
            *value = found->second;
        }
    }
    void Rect(const std::string& key, AsfRect* value) {
        const auto found = fields_.find(key);
        if (found != fields_.end() && !ParseRect(found->second, value)) {
            ok_ = false;
        }
    }
    bool Ok() const { return ok_; }

private:
    const std::map<std::string, std::string>& fields_;
    bool ok_ = true;
};

// More would be no recording of ours; the limit keeps a bad file from
// allocating without bound.
constexpr uint32_t kMaxEntries = 64;

}  // namespace

const AsfStreamRecord* AsfRecord::Stream(const std::string& type) const {
    for (const AsfStreamRecord& stream : streams) {
        if (stream.type == type) {
            return &stream;
        }
    }
    return nullptr;
}

const AsfPinRecord* AsfRecord::Pin(const std::string& type) const {
    for (const AsfPinRecord& pin : pins) {
        if (pin.type == type) {
            return &pin;
        }
    }
    return nullptr;
}

std::string FormatAsfRecord(const AsfRecord& record) {
    std::ostringstream out;
    out << "record=" << kAsfRecordMagic << '\n';
    out << "profile.guid=" << OneLine(record.profileGuid) << '\n';
    out << "profile.source=" << OneLine(record.profileSource) << '\n';
    out << "profile.configurations=" << record.configurations << '\n';
    out << "stream.count=" << record.streams.size() << '\n';
    for (size_t i = 0; i < record.streams.size(); ++i) {
        const AsfStreamRecord& stream = record.streams[i];
        const std::string key = "stream." + std::to_string(i) + ".";
        out << key << "type=" << OneLine(stream.type) << '\n';
        out << key << "number=" << stream.number << '\n';
        out << key << "bitrate=" << stream.bitrate << '\n';
        if (stream.type == "video") {
            out << key << "width=" << stream.width << '\n';
            out << key << "height=" << stream.height << '\n';
            out << key << "source=" << RectText(stream.source) << '\n';
            out << key << "target=" << RectText(stream.target) << '\n';
        }
    }
    out << "pin.count=" << record.pins.size() << '\n';
    for (size_t i = 0; i < record.pins.size(); ++i) {
        const AsfPinRecord& pin = record.pins[i];
        const std::string key = "pin." + std::to_string(i) + ".";
        out << key << "name=" << OneLine(pin.name) << '\n';
        out << key << "type=" << OneLine(pin.type) << '\n';
        out << key << "connected=" << (pin.connected ? 1 : 0) << '\n';
        out << key << "format=" << OneLine(pin.format) << '\n';
        out << key << "samples=" << pin.samples << '\n';
        out << key << "bytes=" << pin.bytes << '\n';
        out << key << "first=" << pin.first << '\n';
        out << key << "last=" << pin.last << '\n';
        out << key << "untimed=" << pin.untimed << '\n';
        out << key << "wrongsize=" << pin.wrongSize << '\n';
        out << key << "silent=" << pin.silent << '\n';
        out << key << "eos=" << (pin.endOfStream ? 1 : 0) << '\n';
    }
    return out.str();
}

bool ParseAsfRecord(const std::string& text, AsfRecord* record) {
    std::map<std::string, std::string> fields;
    std::istringstream in(text);
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const size_t equals = line.find('=');
        if (first) {
            if (equals == std::string::npos || line.substr(0, equals) != "record" ||
                line.substr(equals + 1) != kAsfRecordMagic) {
                return false;
            }
            first = false;
            continue;
        }
        if (equals != std::string::npos) {
            fields[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    if (first) {
        return false;
    }

    AsfRecord parsed;
    FieldReader read(fields);
    read.Text("profile.guid", &parsed.profileGuid);
    read.Text("profile.source", &parsed.profileSource);
    read.Number("profile.configurations", &parsed.configurations);
    uint32_t streamCount = 0;
    uint32_t pinCount = 0;
    read.Number("stream.count", &streamCount);
    read.Number("pin.count", &pinCount);
    if (!read.Ok() || streamCount > kMaxEntries || pinCount > kMaxEntries) {
        return false;
    }
    parsed.streams.resize(streamCount);
    for (uint32_t i = 0; i < streamCount; ++i) {
        AsfStreamRecord& stream = parsed.streams[i];
        const std::string key = "stream." + std::to_string(i) + ".";
        read.Text(key + "type", &stream.type);
        read.Number(key + "number", &stream.number);
        read.Number(key + "bitrate", &stream.bitrate);
        read.Number(key + "width", &stream.width);
        read.Number(key + "height", &stream.height);
        read.Rect(key + "source", &stream.source);
        read.Rect(key + "target", &stream.target);
    }
    parsed.pins.resize(pinCount);
    for (uint32_t i = 0; i < pinCount; ++i) {
        AsfPinRecord& pin = parsed.pins[i];
        const std::string key = "pin." + std::to_string(i) + ".";
        read.Text(key + "name", &pin.name);
        read.Text(key + "type", &pin.type);
        read.Flag(key + "connected", &pin.connected);
        read.Text(key + "format", &pin.format);
        read.Number(key + "samples", &pin.samples);
        read.Number(key + "bytes", &pin.bytes);
        read.Number(key + "first", &pin.first);
        read.Number(key + "last", &pin.last);
        read.Number(key + "untimed", &pin.untimed);
        read.Number(key + "wrongsize", &pin.wrongSize);
        read.Number(key + "silent", &pin.silent);
        read.Flag(key + "eos", &pin.endOfStream);
    }
    if (!read.Ok()) {
        return false;
    }
    *record = std::move(parsed);
    return true;
}

}  // namespace standins
