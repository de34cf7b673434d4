#pragma once
// The demo song a new workspace starts with: a short drum arrangement (an
// intro, a rock beat with its crash bar, a fill, a chorus with a bass line
// played on user samples, a triplet shuffle and an ending) and the bass
// sound it uses. Held here as plain data; the sequencer writes it out as
// pattern and song files with its own writers, so the files are always in
// the current format.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace stepweave {

inline constexpr const char* kDemoSongFileName = "Demo.sng";
inline constexpr const char* kDemoBassFileName = "Demo Bass.wav";

// One instrument's hits across a pattern: its instrument-list label and one
// character per step, '.' for a rest or the level digit '1' (loudest) to '9'
// (quietest). User samples have no level; any digit plays them.
struct DemoLane {
    std::string_view instrument;
    std::string_view hits;
};

struct DemoPattern {
    std::string_view name;
    int length;
    int beat;
    int delay;   // the tempo: one step lasts 2 x delay milliseconds
    int repeat;
    std::vector<DemoLane> lanes;
};

// A user sample the demo loads: the bass sound tuned to one note.
struct DemoSample {
    int sample;  // 1..8, so that the song file carries it
    std::string_view fileName;
    int frequency;
    int pan;
};

struct DemoSong {
    std::vector<DemoPattern> patterns;
    std::vector<std::string_view> playList;
    std::vector<DemoSample> samples;
    // Pans of the kit's instruments 0..16, as "Panning.dat" holds them: a
    // drummer's view of the kit, hi-hat and crash to the left, ride and
    // floor tom to the right.
    std::array<int, 17> kitPans;
};

const DemoSong& TheDemoSong();

// The bass sound: a plucked bass note (E, 82.4 Hz) as 16-bit mono samples at
// 44100 Hz, played at other frequencies for the other notes.
std::vector<int16_t> SynthesizeDemoBass();

}  // namespace stepweave
