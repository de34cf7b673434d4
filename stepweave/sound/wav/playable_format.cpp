#include "stepweave/sound/wav/playable_format.h"

#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/wav/wave.h"
#include "stepweave/sound/wav/wave_format.h"

namespace stepweave {

namespace {

constexpr uint16_t kWaveFormatFloat = 3;
constexpr uint16_t kWaveFormatExtensible = 0xFFFE;

std::string Encoding(const WaveFormat& format) {
    switch (format.formatTag) {
        case kWaveFormatPcm: return std::to_string(format.bitsPerSample) + "-bit PCM";
        case kWaveFormatFloat: return std::to_string(format.bitsPerSample) + "-bit floating point";
        case kWaveFormatExtensible: return "WAVE_FORMAT_EXTENSIBLE";
        default: return "format " + std::to_string(format.formatTag);
    }
}

}  // namespace

std::string UnplayableFormat(const TWave& wave) {
    WaveFormat format;
    if (!ParseWaveFormat(wave.Format(), wave.FormatSize(), format)) {
        return "without a format";
    }
    const bool pcm = format.formatTag == kWaveFormatPcm && (format.bitsPerSample == 8 || format.bitsPerSample == 16);
    if (!pcm) {
        return Encoding(format);
    }
    if (format.channels != 1 && format.channels != 2) {
        return "PCM with " + std::to_string(format.channels) + " channels";
    }
    return {};
}

void CheckPlayableWave(const TWave& wave, const std::string& fileName) {
    const std::string format = UnplayableFormat(wave);
    if (!format.empty()) {
        throw EWaveStreamError("'" + fileName + "' cannot be used: it is " + format +
                               "; only 8- or 16-bit PCM, mono or stereo, can be played");
    }
}

}  // namespace stepweave
