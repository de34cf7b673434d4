#pragma once
// One recording of the evaluation set and the notes it holds.
#include <cstdint>
#include <string>
#include <vector>

namespace voxnote::evaluation {

struct ReferenceNote {
    double onsetSeconds = 0;
    double offsetSeconds = 0;  // where the note is let go (its release may sound on)
    int note = 0;
    bool resung = false;  // the same pitch again through a dip in loudness, no silence before it
};

// What made the sound: the detector's figures are summed over each.
enum class SoundSource { Synthetic, Voice, Instrument, Percussion };

struct EvaluationItem {
    std::string category;
    SoundSource source = SoundSource::Synthetic;
    bool heldOut = false;
    bool rhythm = false;  // scored on onsets alone, the detectors in rhythm mode
    std::vector<int16_t> samples;
    std::vector<ReferenceNote> notes;
};

inline const char* SourceName(SoundSource source) {
    switch (source) {
        case SoundSource::Synthetic: return "synthetic";
        case SoundSource::Voice: return "voice";
        case SoundSource::Instrument: return "instrument";
        case SoundSource::Percussion: return "percussion";
    }
    return "";
}

}  // namespace voxnote::evaluation
