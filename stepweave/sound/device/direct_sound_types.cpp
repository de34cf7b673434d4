#include "stepweave/sound/device/direct_sound_types.h"

#include "stepweave/sound/wav/wave_format.h"

namespace stepweave {

namespace {

uint16_t Uint16At(const uint8_t* at) { return static_cast<uint16_t>(at[0] | (at[1] << 8)); }

uint32_t Uint32At(const uint8_t* at) {
    return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
           (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
}

}  // namespace

TWaveFormatEx MakePcmFormat(uint32_t samplesPerSecond, uint16_t bitsPerSample, uint16_t channels) {
    TWaveFormatEx format;
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = channels;
    format.nSamplesPerSec = samplesPerSecond;
    format.wBitsPerSample = bitsPerSample;
    format.nBlockAlign = static_cast<uint16_t>(channels * bitsPerSample / 8);
    format.nAvgBytesPerSec = format.nBlockAlign * samplesPerSecond;
    format.cbSize = 0;
    return format;
}

bool ReadWaveFormatRecord(const uint8_t* record, int32_t size, TWaveFormatEx& format) {
    if (record == nullptr || size < 16) {
        return false;
    }
    format.wFormatTag = Uint16At(record);
    format.nChannels = Uint16At(record + 2);
    format.nSamplesPerSec = Uint32At(record + 4);
    format.nAvgBytesPerSec = Uint32At(record + 8);
    format.nBlockAlign = Uint16At(record + 12);
    format.wBitsPerSample = Uint16At(record + 14);
    format.cbSize = size >= 18 ? Uint16At(record + 16) : 0;
    if (IsExtensibleIntegerPcm(record, size)) {
        // The PCM it is, as the short header would say it.
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.cbSize = 0;
    }
    return true;
}

}  // namespace stepweave
