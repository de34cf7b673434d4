#pragma once
// A compiled song read step by step on the render's time line: where each
// step starts, which pattern of the song it belongs to (counted by tempo
// markers) and where in it, the tempo its length is taken from, and the
// instruments it starts.
#include <string>
#include <vector>

namespace stepweave {

struct StepHit {
    int instrument = 0;  // InstrumentList index 1..48
    int level = 1;       // a kit cell's level
};

struct SongStep {
    double time = 0.0;   // seconds from the start, as the render mixes the step
    int pattern = 0;     // 0 for the song's first pattern
    int index = 0;       // the step within its pattern, counted across its repeats
    int tempo = 0;       // the Delay value that sets how long the step lasts
    std::vector<StepHit> hits;
};

// The render moves the time on by the step length in force when a step
// begins, so a step lasts as the tempo at the start of the step after it
// says (the last step of a pattern as the next pattern's tempo).
// IntegerTextError when a tempo line is not a number.
std::vector<SongStep> ReadSongSteps(const std::vector<std::string>& songLines);

}  // namespace stepweave
