#include "stepweave/sound/wav/wave_format.h"

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

}  // namespace stepweave
