#include "ChipAccessRecord.h"

namespace chipaccess {

ChipAccessRecord MakeSetRecord(int32_t address, int32_t value, int32_t length, int32_t bank) {
    ChipAccessRecord record;
    record.fields[ChipAccessRecord::kOperation] = static_cast<int32_t>(ChipOperation::Set);
    record.fields[ChipAccessRecord::kAddress] = address;
    record.fields[ChipAccessRecord::kValue] = value;
    record.fields[ChipAccessRecord::kLength] = length;
    record.fields[ChipAccessRecord::kBank] = bank;
    return record;
}

ChipAccessRecord MakeGetRecord() {
    ChipAccessRecord record;
    record.fields[ChipAccessRecord::kOperation] = static_cast<int32_t>(ChipOperation::Get);
    return record;
}

std::array<uint8_t, 40> RecordBytes(const ChipAccessRecord& record) {
    std::array<uint8_t, 40> bytes{};
    for (int i = 0; i < ChipAccessRecord::kFieldCount; ++i) {
        const uint32_t field = static_cast<uint32_t>(record.fields[i]);
        for (int b = 0; b < 4; ++b) bytes[4 * i + b] = static_cast<uint8_t>(field >> (8 * b));
    }
    return bytes;
}

}  // namespace chipaccess
