#pragma once
// The tone sources of the drum synthesiser: decaying sine partials (the modes
// of membranes, bars and bells, optionally gliding down from a raised pitch as
// a struck skin does) and band-limited square waves (the raw material of
// metallic clusters).
#include "stepweave/data/synth/oversampled_sound.h"

namespace stepweave {

struct DecayingPartial {
    double frequencyHz = 0.0;
    double amplitude = 1.0;
    double decaySeconds = 0.1;
    // The pitch starts (1 + glideDepth) times higher and settles with glideSeconds.
    double glideDepth = 0.0;
    double glideSeconds = 0.01;
    double startSeconds = 0.0;
};

// Adds the partial to the sound, starting at a zero crossing.
void AddPartial(OversampledSound& sound, const DecayingPartial& partial);

// A square wave whose edges are smoothed with a polynomial band-limited step,
// which keeps aliasing far below the partials.
class BandLimitedSquare {
public:
    BandLimitedSquare(double frequencyHz, double startPhase);
    double Next();

private:
    double increment_;
    double phase_;
};

}  // namespace stepweave
