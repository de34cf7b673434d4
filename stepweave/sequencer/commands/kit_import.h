#pragma once
// "Drum Kit Library": another kit file replaces the sequencer's kit, and kit
// instruments 1..16 keep the volume and pan they had, so the pans set in the
// sequencer survive a change of kit.
#include <string>

namespace stepweave {

class KitPlayer;

// The kit file is read whole before the kit changes: a file that cannot be
// read raises its errors and leaves the kit, its sounds and its pans as they
// were.
void ImportKit(KitPlayer& kit, const std::string& kitFile);

}  // namespace stepweave
