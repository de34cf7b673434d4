#include "stepweave/sound/wav/wave_format.h"

#include <algorithm>
#include <iterator>

#include "stepweave/sound/files/little_endian.h"

namespace stepweave {

bool ParseWaveFormat(const uint8_t* record, int32_t size, WaveFormat& format) {
    if (record == nullptr || size < 16) {
        return false;
    }
    format.formatTag = ReadLittleEndian16(record);
    format.channels = ReadLittleEndian16(record + 2);
    format.samplesPerSec = ReadLittleEndian32(record + 4);
    format.avgBytesPerSec = ReadLittleEndian32(record + 8);
    format.blockAlign = ReadLittleEndian16(record + 12);
    format.bitsPerSample = ReadLittleEndian16(record + 14);
    return true;
}

WaveFormatRecord EncodeWaveFormat(const WaveFormat& format) {
    WaveFormatRecord record{};
    StoreLittleEndian16(&record[0], format.formatTag);
    StoreLittleEndian16(&record[2], format.channels);
    StoreLittleEndian32(&record[4], format.samplesPerSec);
    StoreLittleEndian32(&record[8], format.avgBytesPerSec);
    StoreLittleEndian16(&record[12], format.blockAlign);
    StoreLittleEndian16(&record[14], format.bitsPerSample);
    return record;
}

void OverlayWaveFormat(WaveFormat& format, const uint8_t* bytes, int count) {
    WaveFormatRecord record = EncodeWaveFormat(format);
    std::copy_n(bytes, std::clamp(count, 0, kWaveFormatRecordSize), record.begin());
    ParseWaveFormat(record.data(), kWaveFormatRecordSize, format);
}

namespace {

// The extension after the 18 bytes of a plain record: valid bits (2 bytes),
// channel mask (4), sub-format (a 16-byte GUID).
constexpr int32_t kExtensibleRecordSize = 40;
constexpr int kValidBitsOffset = 18;
constexpr int kSubFormatOffset = 24;
// The PCM sub-format: {00000001-0000-0010-8000-00AA00389B71}, as stored.
constexpr uint8_t kPcmSubFormat[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                       0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

}  // namespace

bool IsExtensibleIntegerPcm(const uint8_t* record, int32_t size) {
    WaveFormat format;
    if (!ParseWaveFormat(record, size, format) || format.formatTag != kWaveFormatExtensible ||
        size < kExtensibleRecordSize) {
        return false;
    }
    const uint16_t validBits = ReadLittleEndian16(record + kValidBitsOffset);
    const bool fillsContainer = validBits == 0 || validBits == format.bitsPerSample;
    return fillsContainer && std::equal(std::begin(kPcmSubFormat), std::end(kPcmSubFormat), record + kSubFormatOffset);
}

bool ParsePlaybackFormat(const uint8_t* record, int32_t size, WaveFormat& format) {
    if (!ParseWaveFormat(record, size, format)) {
        return false;
    }
    if (IsExtensibleIntegerPcm(record, size)) {
        format.formatTag = kWaveFormatPcm;
    }
    return true;
}


}  // namespace stepweave
