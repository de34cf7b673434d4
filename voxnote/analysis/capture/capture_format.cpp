#include "voxnote/analysis/capture/capture_format.h"

namespace voxnote {

std::optional<std::string> FormatTagName(const CaptureFormat& format) {
    if (format.formatTag != kPcmFormatTag) {
        return std::nullopt;
    }
    return "PCM";
}

std::optional<std::string> FormatDescription(const CaptureFormat& format) {
    const bool wholeFrames = format.bitsPerSample == 8 || format.bitsPerSample == 16;
    if (format.formatTag != kPcmFormatTag || !wholeFrames || format.channels < 1 || format.channels > 2 ||
        format.samplesPerSecond == 0 || format.samplesPerSecond > 999999) {
        return std::nullopt;
    }
    // Kilohertz with three decimals, as "11.025 kHz" or "8.000 kHz".
    const uint32_t hz = format.samplesPerSecond;
    std::string thousandths = std::to_string(hz % 1000);
    thousandths.insert(0, 3 - thousandths.size(), '0');
    return std::to_string(hz / 1000) + "." + thousandths + " kHz, " + std::to_string(format.bitsPerSample) +
           " Bit, " + (format.channels == 1 ? "Mono" : "Stereo");
}

}  // namespace voxnote
