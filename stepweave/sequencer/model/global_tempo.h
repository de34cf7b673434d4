#pragma once
// The "Global" check box and the tempo the user last set by hand on the Delay
// slider. While Global is checked, song playback plays every pattern at that
// tempo instead of the pattern's own.
#include "stepweave/sequencer/model/tempo.h"

namespace stepweave {

struct GlobalTempo {
    bool global = false;
    int tempo = kDefaultDelay;

    // The Delay a pattern stored with patternTempo plays at in a song.
    int For(int patternTempo) const { return global ? tempo : patternTempo; }
};

}  // namespace stepweave
