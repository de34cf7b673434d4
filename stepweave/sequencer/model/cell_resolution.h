#pragma once
// What a pattern cell plays: the instrument and level found from its text.
#include <string_view>

#include "stepweave/sequencer/model/step_level.h"

namespace stepweave {

enum class CellSound { Silent, KitInstrument, UserSample };

struct ResolvedCell {
    CellSound sound = CellSound::Silent;
    int instrument = 0;  // InstrumentList index; 0 when silent
    StepLevel level;     // meaningful for kit instruments

    // The user sample 1..32 of a UserSample cell.
    int UserSampleNumber() const;
    int Volume() const { return level.Volume(); }
};

// A text longer than 10 characters carries a level character at position 11
// (0-based), which is read and then blanked; the result is looked up in the
// InstrumentList with letter case ignored. No match and the empty label are
// silent.
ResolvedCell ResolveCell(std::string_view text);

}  // namespace stepweave
