#include "voxnote/analysis/precise/note_rules.h"

#include <algorithm>
#include <cmath>

#include "voxnote/analysis/notes/note_decision.h"

namespace voxnote {

namespace {

constexpr uint8_t kFixedVelocity = 64;

// The exact detector's pitch step of a MIDI pitch: 459.5 + 10 * (pitch - 69),
// taken down to its bin, so a pitch lands in the same note and fine digit
// under the same tuning.
int32_t PitchBin(float pitch) { return static_cast<int32_t>(std::floor(10.0 * pitch - 230.5)); }

std::optional<int32_t> PitchedNote(float pitch, const DetectorHeaderSettings& settings) {
    const int32_t bin = PitchBin(pitch);
    if (bin < 0) return std::nullopt;
    NotePitch found = StepToNote(bin, settings.tuning);
    int32_t note = found.note;
    if (settings.scale != kChromaticScale) note = LockToScale(note, found.fine, settings.scale);
    return RangedTransposedNote(note, settings.minimumNote, settings.maximumNote, settings.transposition);
}

}  // namespace

std::optional<RuledNote> ApplyNoteRules(const DetectedNote& note, const DetectorHeaderSettings& settings) {
    if (note.peakLevel < settings.inputThreshold) return std::nullopt;
    RuledNote ruled;
    if (settings.constantNote >= 0) {
        ruled.note = static_cast<uint8_t>(settings.constantNote);
    } else {
        std::optional<int32_t> pitched = PitchedNote(note.pitch, settings);
        if (!pitched) return std::nullopt;
        ruled.note = static_cast<uint8_t>(*pitched);
    }
    if (settings.fixedVolume) {
        ruled.velocity = kFixedVelocity;
    } else {
        Velocity velocity = VelocityFromPeak(note.peakLevel, settings.velocityBase);
        if (velocity.value == 0) return std::nullopt;
        ruled.velocity = velocity.value;
    }
    return ruled;
}

size_t RuledNoteEvents(std::span<const DetectedNote> notes, const DetectorHeaderSettings& settings,
                       std::span<NoteEvent> events) {
    size_t written = 0;
    uint32_t lastTime = 0;
    for (const DetectedNote& note : notes) {
        if (written + 2 > events.size()) break;
        std::optional<RuledNote> ruled = ApplyNoteRules(note, settings);
        if (!ruled) continue;
        const uint32_t on = std::max(lastTime, note.startMs);
        const uint32_t off = std::max(on, note.endMs);
        events[written++] = {NoteOnMessage(ruled->note, ruled->velocity), on};
        events[written++] = {NoteOnMessage(ruled->note, 0), off};
        lastTime = off;
    }
    return written;
}

}  // namespace voxnote
