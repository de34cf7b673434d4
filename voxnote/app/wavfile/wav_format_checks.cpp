#include "voxnote/app/wavfile/wav_format_checks.h"

#include "voxnote/app/settings/string_table.h"

namespace voxnote {

std::vector<int> FormatProblems(const WavFormat& format) {
    std::vector<int> problems;
    if (format.formatTag != kPcmFormatTag) {
        problems.push_back(strings::kUnsupportedWaveFormat);
    }
    if (format.channels != 1 && format.channels != 2) {
        problems.push_back(strings::kMustBeMonoOrStereo);
    }
    if (format.sampleRate != 44100 && format.sampleRate != 22050 && format.sampleRate != kAnalysisSampleRate) {
        problems.push_back(strings::kFrequencyShouldBe);
    }
    if (format.bitsPerSample != 16) {
        problems.push_back(strings::kSamplesShouldBe16Bit);
    }
    return problems;
}

}  // namespace voxnote
