// Feeds arbitrary lines, as a compiled song of hand-made pattern files could
// hold them, to the mixdown's reading of a song: times never run backwards,
// and the instruments used are distinct, ascending and within 1..48.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "stepweave/sequencer/render/song_timeline.h"
#include "stepweave/sequencer/files/text_lines.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TextLines text(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<std::string> lines;
    for (size_t i = 0; i < text.Count(); ++i) {
        lines.push_back(text.Copy(i));
    }
    SongTimeline timeline;
    try {
        timeline = ReadSongTimeline(lines);
    } catch (const StepweaveError&) {
        return 0;  // a tempo that is not a number: reported to the user
    }
    if (timeline.lines.size() > lines.size()) {
        std::abort();
    }
    for (size_t i = 1; i < timeline.lines.size(); ++i) {
        if (timeline.lines[i].time < timeline.lines[i - 1].time ||
            timeline.lines[i].lineIndex <= timeline.lines[i - 1].lineIndex) {
            std::abort();
        }
    }
    int previous = 0;
    for (const int instrument : timeline.usedInstruments) {
        if (instrument <= previous || instrument > 48) {
            std::abort();
        }
        previous = instrument;
    }
    return 0;
}
