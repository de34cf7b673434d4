#pragma once
// The synthesis recipes of the drum synthesiser, grouped by how the
// instruments make their sound. Each returns the raw sound at the synthesis
// rate; the finishing stage scales and trims it.
#include "stepweave/data/synth/oversampled_sound.h"

namespace stepweave {

// kick_drums.cpp: pitch-swept sines with a beater click.
OversampledSound SynthesizeKick();
OversampledSound SynthesizeShortKick();

// membrane_drums.cpp: tuned skin modes with filtered noise.
OversampledSound SynthesizeSnare();
OversampledSound SynthesizeHighTom();
OversampledSound SynthesizeLowTom();
OversampledSound SynthesizeConga();

// metal_percussion.cpp: clusters of inharmonic square waves and partials.
OversampledSound SynthesizeClosedHiHat();
OversampledSound SynthesizeOpenHiHat();
OversampledSound SynthesizeCrash();
OversampledSound SynthesizeRide();
OversampledSound SynthesizeCowbell();
OversampledSound SynthesizeTambourine();

// wood_percussion.cpp: short, bright resonances of struck wood.
OversampledSound SynthesizeRimshot();
OversampledSound SynthesizeWoodBlock();

// noise_percussion.cpp: shaped bursts of filtered noise.
OversampledSound SynthesizeShaker();
OversampledSound SynthesizeClap();

}  // namespace stepweave
