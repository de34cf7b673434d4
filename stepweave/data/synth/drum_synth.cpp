#include "stepweave/data/synth/drum_synth.h"

#include "stepweave/data/synth/percussion_families.h"
#include "stepweave/data/synth/sound_finishing.h"

namespace stepweave {

namespace {

OversampledSound SynthesizeRaw(DrumInstrument instrument) {
    switch (instrument) {
        case DrumInstrument::Kick: return SynthesizeKick();
        case DrumInstrument::ShortKick: return SynthesizeShortKick();
        case DrumInstrument::Snare: return SynthesizeSnare();
        case DrumInstrument::ClosedHiHat: return SynthesizeClosedHiHat();
        case DrumInstrument::OpenHiHat: return SynthesizeOpenHiHat();
        case DrumInstrument::HighTom: return SynthesizeHighTom();
        case DrumInstrument::LowTom: return SynthesizeLowTom();
        case DrumInstrument::Crash: return SynthesizeCrash();
        case DrumInstrument::Ride: return SynthesizeRide();
        case DrumInstrument::Rimshot: return SynthesizeRimshot();
        case DrumInstrument::Shaker: return SynthesizeShaker();
        case DrumInstrument::WoodBlock: return SynthesizeWoodBlock();
        case DrumInstrument::Conga: return SynthesizeConga();
        case DrumInstrument::Cowbell: return SynthesizeCowbell();
        case DrumInstrument::Clap: return SynthesizeClap();
        case DrumInstrument::Tambourine: return SynthesizeTambourine();
    }
    return {};
}

}  // namespace

std::string_view DrumInstrumentName(DrumInstrument instrument) {
    switch (instrument) {
        case DrumInstrument::Kick: return "kick";
        case DrumInstrument::ShortKick: return "short-kick";
        case DrumInstrument::Snare: return "snare";
        case DrumInstrument::ClosedHiHat: return "closed-hihat";
        case DrumInstrument::OpenHiHat: return "open-hihat";
        case DrumInstrument::HighTom: return "high-tom";
        case DrumInstrument::LowTom: return "low-tom";
        case DrumInstrument::Crash: return "crash";
        case DrumInstrument::Ride: return "ride";
        case DrumInstrument::Rimshot: return "rimshot";
        case DrumInstrument::Shaker: return "shaker";
        case DrumInstrument::WoodBlock: return "wood-block";
        case DrumInstrument::Conga: return "conga";
        case DrumInstrument::Cowbell: return "cowbell";
        case DrumInstrument::Clap: return "clap";
        case DrumInstrument::Tambourine: return "tambourine";
    }
    return "";
}

std::vector<int16_t> SynthesizeDrum(DrumInstrument instrument) {
    return FinishSound(SynthesizeRaw(instrument));
}

}  // namespace stepweave
