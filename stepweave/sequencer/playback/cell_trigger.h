#pragma once
// Starts the sound of one pattern cell: a kit instrument at the cell's level,
// a user sample from its beginning, or nothing for a silent cell.
#include <string_view>

namespace stepweave {

class StepSounds;

// A sound that fails to start (a kit without that instrument's label, a
// device error) is skipped so that playback goes on with the next cell.
// Returns whether a sound was started.
bool TriggerCell(std::string_view text, StepSounds& sounds);

}  // namespace stepweave
