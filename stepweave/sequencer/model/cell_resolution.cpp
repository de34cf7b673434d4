#include "stepweave/sequencer/model/cell_resolution.h"

#include <string>

#include "stepweave/sequencer/model/instrument_list.h"

namespace stepweave {

int ResolvedCell::UserSampleNumber() const { return InstrumentList::UserSampleNumber(instrument); }

ResolvedCell ResolveCell(std::string_view text) {
    ResolvedCell cell;
    std::string label(text);
    // Texts longer than 10 characters carry a level character. One of exactly
    // 11 characters has none and matches no label anyway, so it is left as is.
    if (label.size() > StepLevel::kCharacterPosition) {
        cell.level = StepLevel::FromCharacter(label[StepLevel::kCharacterPosition]);
        label[StepLevel::kCharacterPosition] = ' ';
    }
    const int index = InstrumentList::IndexOf(label);
    if (InstrumentList::IsKitInstrument(index)) {
        cell.sound = CellSound::KitInstrument;
        cell.instrument = index;
    } else if (InstrumentList::IsUserSample(index)) {
        cell.sound = CellSound::UserSample;
        cell.instrument = index;
    }
    return cell;
}

}  // namespace stepweave
