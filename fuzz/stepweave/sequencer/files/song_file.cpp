// Feeds arbitrary bytes to the song file reader; a song that loads must write
// and read back to the same play list and sample settings.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "stepweave/sequencer/model/play_list.h"
#include "stepweave/sequencer/files/song_file.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TextLines lines(std::string(reinterpret_cast<const char*>(data), size));
    PlayList playList;
    UserSampleTable samples;
    try {
        ApplySongFile(ParseSongFile(lines), playList, samples);
    } catch (const StepweaveError&) {
        return 0;  // a damaged file: reported to the user, nothing else
    }
    PlayList rereadList;
    UserSampleTable rereadSamples;
    ApplySongFile(ParseSongFile(TextLines(SongFileText(playList, samples))), rereadList, rereadSamples);
    if (rereadList.Names() != playList.Names()) {
        std::abort();
    }
    for (int sample = 1; sample <= kSongSampleCount; ++sample) {
        if (rereadSamples.FileName(sample) != samples.FileName(sample) ||
            rereadSamples.Frequency(sample) != samples.Frequency(sample) ||
            rereadSamples.Pan(sample) != samples.Pan(sample)) {
            std::abort();
        }
    }
    return 0;
}
