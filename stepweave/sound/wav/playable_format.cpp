#include "stepweave/sound/wav/playable_format.h"

#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/wav/wave_data.h"
#include "stepweave/sound/wav/wave_format.h"

namespace stepweave {

namespace {

std::string Encoding(const WaveFormat& format) {
    const std::string bits = std::to_string(format.bitsPerSample) + "-bit ";
    switch (format.formatTag) {
        case kWaveFormatPcm: return bits + "PCM";
        case kWaveFormatFloat: return bits + "floating point";
        case kWaveFormatExtensible: return bits + "WAVE_FORMAT_EXTENSIBLE";
        default: return "format " + std::to_string(format.formatTag);
    }
}

}  // namespace

std::string UnplayableFormat(const uint8_t* record, int32_t size) {
    WaveFormat format;
    if (!ParseWaveFormat(record, size, format)) {
        return "without a format";
    }
    const bool pcm = format.formatTag == kWaveFormatPcm || IsExtensibleIntegerPcm(record, size);
    if (!pcm || (format.bitsPerSample != 8 && format.bitsPerSample != 16)) {
        return Encoding(format);
    }
    if (format.channels != 1 && format.channels != 2) {
        return "PCM with " + std::to_string(format.channels) + " channels";
    }
    return {};
}

std::string UnplayableFormat(const WaveData& wave) { return UnplayableFormat(wave.Format(), wave.FormatSize()); }

void CheckPlayableFormat(const uint8_t* record, int32_t size, const std::string& name) {
    const std::string format = UnplayableFormat(record, size);
    if (!format.empty()) {
        throw WaveStreamError("'" + name + "' cannot be used: it is " + format +
                               "; only 8- or 16-bit PCM, mono or stereo, can be played");
    }
}

void CheckPlayableWave(const WaveData& wave, const std::string& fileName) {
    CheckPlayableFormat(wave.Format(), wave.FormatSize(), fileName);
}

}  // namespace stepweave
