#pragma once
// "voxnote convert": the WAV conversion without a window. Settings start
// from the program's start-up values, optionally from a preset of the
// settings file; single options then override values in the units of the
// user interface. Messages go to the reporter (standard error); the notes
// go to a Standard MIDI File and/or CSV files, each written safely. Without
// -o, --events or --frames the MIDI file is the input's name with ".mid",
// beside it; that file is never replaced (only a file that -o names is).
//
// The classic detector converts unless --detector names the precise one;
// --frames, which shows the classic detector's analysis frames, is refused
// with the precise one, as an unknown detector is: like every bad argument,
// before anything is read or written.
//
// Exit status: 0 the file was converted and the results written, also when
// it holds no notes ("No notes detected." is then a notice, and the MIDI
// file holds only the voice); 2 the command could not be carried out (not
// a WAV file, a format the converter does not take, unreadable input,
// unknown preset, a file that could not be written or exists already). A
// command line that cannot be taken ends with kUsageErrorStatus before this
// runs (cli/command_line.h).
#include <optional>
#include <ostream>
#include <string>

#include <CLI/CLI.hpp>

#include "voxnote/app/settings/detector_choice.h"
#include "voxnote/app/shell/message_reporter.h"

namespace voxnote {

struct ConvertOptions {
    std::string inputPath;
    std::string midiPath;    // empty: no MIDI file
    std::string eventsPath;  // "-": standard output
    std::string framesPath;  // "-": standard output
    std::string preset;
    DetectorChoice detector = DetectorChoice::Classic;
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
inline constexpr int kConvertFailed = 2;

// Adds the "convert" subcommand with its options to app.
CLI::App* AddConvertCommand(CLI::App& app, ConvertOptions& options);

// Runs the conversion; standardOutput receives the CSV written to "-", or
// else the closing summary (and the path of a MIDI file named by default).
int RunConvert(const ConvertOptions& options, std::ostream& standardOutput, MessageReporter& reporter);

}  // namespace voxnote
