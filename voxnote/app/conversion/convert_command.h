#pragma once
// "voxnote convert": the WAV conversion without a window. Settings start
// from the program's start-up values, optionally from a preset of the
// settings file; single options then override values in the units of the
// user interface. Messages go to the reporter (standard error); the notes
// go to a Standard MIDI File and/or CSV files, each written safely.
//
// Exit status: 0 notes were found and written; 1 no notes (after the
// conversion's own messages and "No notes detected."); 2 the command could
// not be carried out (unreadable input, unknown preset, a file that could
// not be written).
#include <optional>
#include <ostream>
#include <string>

#include <CLI/CLI.hpp>

#include "voxnote/app/shell/message_reporter.h"

namespace voxnote {

struct ConvertOptions {
    std::string inputPath;
    std::string midiPath;    // empty: no MIDI file
    std::string eventsPath;  // "-": standard output
    std::string framesPath;  // "-": standard output
    std::string preset;
    std::optional<int> inputVolume;
    std::optional<int> gapRatio;
    std::optional<int> noteStopRatio;
    std::optional<int> outputVolume;
    std::optional<int> tuning;
    std::optional<int> minimumNote;
    std::optional<int> maximumNote;
    std::optional<int> scale;
    std::optional<int> transposition;
    bool fixedVolume = false;
    std::optional<int> rhythmNote;
    std::optional<int> voice;
};

inline constexpr int kConvertSucceeded = 0;
inline constexpr int kConvertFoundNoNotes = 1;
inline constexpr int kConvertFailed = 2;

// Adds the "convert" subcommand with its options to app.
CLI::App* AddConvertCommand(CLI::App& app, ConvertOptions& options);

// Runs the conversion; standardOutput receives the CSV written to "-" and
// the closing summary.
int RunConvert(const ConvertOptions& options, std::ostream& standardOutput, MessageReporter& reporter);

}  // namespace voxnote
