#include "voxnote/app/mididevices/drum_names.h"

#include "voxnote/app/display/note_name.h"
#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

struct KitRange {
    int lowest;
    int highest;
    int firstEntry;  // string-table entry of note 0
};

KitRange RangeOf(DrumKitNames kit) {
    return kit == DrumKitNames::Gm ? KitRange{35, 81, 0} : KitRange{27, 87, strings::kFirstGsPercussionEntry};
}

}  // namespace

DrumKitNames DrumKitNamesOf(int drumkit) { return drumkit == 0 ? DrumKitNames::Gm : DrumKitNames::Gs; }

std::string DrumName(DrumKitNames kit, int note) {
    const KitRange range = RangeOf(kit);
    if (note < range.lowest || note > range.highest) {
        return {};
    }
    return Text(range.firstEntry + note);
}

std::string RhythmNoteEntry(DrumKitNames kit, int note) {
    std::string entry = NoteName(note);
    if (const std::string drum = DrumName(kit, note); !drum.empty()) {
        entry += ", " + drum;
    }
    return entry;
}

}  // namespace voxnote
