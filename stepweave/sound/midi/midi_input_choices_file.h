#pragma once
// "MidiInputs.dat" in the start folder: the MIDI ports chosen in Options,
// one choice name a line (as ListMidiInputChoices gives them), CR LF after
// each. A missing file chooses none. The file is written through a
// temporary file renamed into place.
#include <string>
#include <vector>

namespace stepweave {

inline constexpr const char* kMidiInputChoicesFileName = "MidiInputs.dat";

std::string MidiInputChoicesPath(const std::string& startDirectory);

// The names in the text: its lines, split at CR LF, CR or LF, without
// empty ones.
std::vector<std::string> ParseMidiInputChoices(const std::string& text);
// Nothing for a missing file; FileOpenError for one that cannot be read.
std::vector<std::string> ReadMidiInputChoices(const std::string& path);
void WriteMidiInputChoices(const std::string& path, const std::vector<std::string>& choices);

}  // namespace stepweave
