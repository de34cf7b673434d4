#pragma once
// "Panning.dat": the pans of the kit's instruments, one line for each
// InstrumentList index 0..16 (line 0, the empty label, is written as 0 and
// not read). Pans are in hundredths of a decibel within the Panning slider's
// range -2000..2000.
#include <array>
#include <string>

#include "stepweave/sequencer/files/text_lines.h"

namespace stepweave {

inline constexpr const char* kPanningFileName = "Panning.dat";
inline constexpr int kKitPanCount = 17;
inline constexpr int kWidestKitPan = 2000;

using KitPanTable = std::array<int, kKitPanCount>;

// Lines 1..16 as numbers (IntegerTextError at the first one that is not; a
// missing line reads as empty and fails too), each limited to -2000..2000.
// Entry 0 is 0.
KitPanTable ParsePanningFile(const TextLines& lines);
// FileOpenError "Cannot open file %s" when the file is missing.
KitPanTable ReadPanningFile(const std::string& path);

std::string PanningFileText(const KitPanTable& pans);
void WritePanningFile(const std::string& path, const KitPanTable& pans);

}  // namespace stepweave
