#pragma once
// The headless "export-midi" command: what Open Song followed by
// File > "Export MIDI..." does in the main window. The song's play list is
// written from its first entry to its end; with --pattern, one pass of that
// stored pattern of the start folder. The start folder is --dir, or chosen
// as the program chooses it; the kit is its "standard.dxg" or --kit; user
// samples 1..8 come from the song file.
//
// Without -o the file goes beside the song with the song's name and ".mid"
// (beside the pattern file for --pattern), and a file already there is never
// replaced; -o names a file to write or replace. Errors go to err with the
// file (and line) they concern in front of the system's message.
#include <iosfwd>
#include <string>

namespace stepweave {

struct ExportMidiArguments {
    std::string songPath;        // empty with --pattern alone
    std::string patternName;     // empty: the song
    std::string outputPath;      // empty: beside the song or pattern
    std::string startDirectory;  // empty: as the program chooses it
    std::string kitPath;         // empty: "standard.dxg" in the start folder
};

// 0 when written (its path on out), 1 after an error.
int ExportMidiCommand(const ExportMidiArguments& arguments, std::ostream& out, std::ostream& err);

}  // namespace stepweave
