#include "stepweave/sound/mixdown/mixing_wave_format.h"

#include <algorithm>

namespace stepweave::wavaudio {

namespace {

void PutLittleEndian(uint8_t* at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        at[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

uint32_t GetLittleEndian(const uint8_t* at, int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value |= static_cast<uint32_t>(at[i]) << (8 * i);
    }
    return value;
}

}  // namespace

MixingWaveFormat::Record MixingWaveFormat::Encode() const {
    Record record{};
    PutLittleEndian(&record[0], static_cast<uint16_t>(FormatTag), 2);
    PutLittleEndian(&record[2], Channels, 2);
    PutLittleEndian(&record[4], static_cast<uint32_t>(SamplesPerSec), 4);
    PutLittleEndian(&record[8], static_cast<uint32_t>(AvgBytesPerSec), 4);
    PutLittleEndian(&record[12], BlockAlign, 2);
    PutLittleEndian(&record[14], BitsPerSample, 2);
    return record;
}

void MixingWaveFormat::OverlayRecordBytes(const uint8_t* bytes, int count) {
    Record record = Encode();
    std::copy_n(bytes, std::clamp(count, 0, kRecordSize), record.begin());
    FormatTag = static_cast<int16_t>(GetLittleEndian(&record[0], 2));
    Channels = static_cast<uint16_t>(GetLittleEndian(&record[2], 2));
    SamplesPerSec = static_cast<int32_t>(GetLittleEndian(&record[4], 4));
    AvgBytesPerSec = static_cast<int32_t>(GetLittleEndian(&record[8], 4));
    BlockAlign = static_cast<uint16_t>(GetLittleEndian(&record[12], 2));
    BitsPerSample = static_cast<uint16_t>(GetLittleEndian(&record[14], 2));
}

}  // namespace stepweave::wavaudio
