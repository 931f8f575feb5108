// The file the bench's WM ASF writer leaves where an ASF recording would
// be: a plain key=value text that tells what the writer was configured with
// and what it received, so that tests can check the engine's profile work.
//
//   record=vimbrel-bench-asf 1
//   profile.guid={AFE69B3A-403F-4A1B-8007-0E21CFB3DF84}   system profile the current one was made from, or none
//   profile.source=default | guid | profile                 how the current profile was set
//   profile.configurations=2                                successful Configure... calls
//   stream.count=2
//   stream.0.type=audio | video | other
//   stream.0.number=1
//   stream.0.bitrate=32000
//   stream.1.width=320          video only: the stream's VIDEOINFOHEADER
//   stream.1.height=240
//   stream.1.source=0,0,320,240
//   stream.1.target=0,0,320,240
//   pin.count=2
//   pin.0.name=Video Input 01
//   pin.0.type=video | audio
//   pin.0.connected=1
//   pin.0.format=RGB24 320x240 | PCM 44100 Hz 1 ch 16 bit | ...
//   pin.0.samples=30            samples received while running
//   pin.0.bytes=6912000
//   pin.0.first=0               stream time of the first sample (100 ns), -1 when none had one
//   pin.0.last=9666666          end time of the last sample, -1 when none had one
//   pin.0.untimed=0             samples without a time
//   pin.0.wrongsize=0           video samples whose length is not one frame
//   pin.0.silent=0              audio samples whose bytes are all silence
//   pin.0.eos=1                 end of stream came
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace standins {

struct AsfRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct AsfStreamRecord {
    std::string type;
    uint32_t number = 0;
    uint32_t bitrate = 0;
    int32_t width = 0;
    int32_t height = 0;
    AsfRect source;
    AsfRect target;
};

struct AsfPinRecord {
    std::string name;
    std::string type;
    bool connected = false;
    std::string format;
    uint64_t samples = 0;
    uint64_t bytes = 0;
    int64_t first = -1;
    int64_t last = -1;
    uint64_t untimed = 0;
    uint64_t wrongSize = 0;
    uint64_t silent = 0;
    bool endOfStream = false;
};

struct AsfRecord {
    std::string profileGuid = "none";
    std::string profileSource = "default";
    uint32_t configurations = 0;
    std::vector<AsfStreamRecord> streams;
    std::vector<AsfPinRecord> pins;

    // The first stream or pin of a type ("audio", "video"), or null.
    const AsfStreamRecord* Stream(const std::string& type) const;
    const AsfPinRecord* Pin(const std::string& type) const;
};

constexpr const char* kAsfRecordMagic = "vimbrel-bench-asf 1";

std::string FormatAsfRecord(const AsfRecord& record);

// False when the text is not a record (wrong first line) or a count or
// number field does not parse; unknown keys are ignored.
bool ParseAsfRecord(const std::string& text, AsfRecord* record);

}  // namespace standins
