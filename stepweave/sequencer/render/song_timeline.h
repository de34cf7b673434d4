#pragma once
// A compiled song read as the mixdown reads it: each line it handles with the
// instrument the line names, the cell's level and the time at which the
// line's step begins.
//
// Time runs in steps of 2 x tempo / 1000 seconds. Every cell line counts one
// channel; the first line of each step after the first moves the time on by
// one step. A tempo marker ("//" and the tempo on the next line, handled as
// one line) changes the step length before that move, so the last step of a
// pattern lasts as long as a step of the pattern after it.
#include <vector>
#include <string>

namespace stepweave {

struct TimelineLine {
    int lineIndex = 0;   // where the line is in the song (a tempo marker's tempo line)
    int instrument = 0;  // InstrumentList index; 0 or below for silence and markers
    int level = 1;       // the level of a kit cell (a blank is 1)
    double time = 0.0;   // seconds from the start of the output
};

struct SongTimeline {
    // The lines up to and including the end marker "%%%".
    std::vector<TimelineLine> lines;
    // The distinct instruments 1..48 the song names, in ascending order.
    std::vector<int> usedInstruments;
};

// IntegerTextError when the line after a tempo marker is not a number.
SongTimeline ReadSongTimeline(const std::vector<std::string>& songLines);

}  // namespace stepweave
