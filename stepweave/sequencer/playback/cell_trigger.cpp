#include "stepweave/sequencer/playback/cell_trigger.h"

#include "stepweave/sequencer/model/cell_resolution.h"
#include "stepweave/sequencer/playback/step_sounds.h"
#include "stepweave/sound/files/errors.h"

namespace stepweave {

bool TriggerCell(std::string_view text, StepSounds& sounds) {
    const ResolvedCell cell = ResolveCell(text);
    try {
        switch (cell.sound) {
            case CellSound::KitInstrument:
                sounds.PlayKitInstrument(cell.instrument, cell.Volume());
                return true;
            case CellSound::UserSample:
                sounds.RestartUserSample(cell.UserSampleNumber());
                return true;
            case CellSound::Silent:
                return false;
        }
    } catch (const StepweaveError&) {
        // The step plays on without this sound.
    }
    return false;
}

}  // namespace stepweave
