#pragma once
// "Drum Kit Library": another kit file replaces the sequencer's kit, and kit
// instruments 1..16 keep the volume and pan they had, so the pans set in the
// sequencer survive a change of kit.
#include <string>

namespace stepweave {

class KitPlayer;

// The kit file's errors when it cannot be read; the kit is then as the
// loader left it, and the remembered pans are given back to what it holds.
void ImportKit(KitPlayer& kit, const std::string& kitFile);

}  // namespace stepweave
