#include "voxnote/app/conversion/convert_command.h"

#include <filesystem>
#include <memory>
#include <system_error>
#include <sstream>

#include "voxnote/analysis/detector/detector.h"
#include "voxnote/app/settings/current_detector_settings.h"
#include "voxnote/app/conversion/note_csv.h"
#include "voxnote/app/settings/preset_store.h"
#include "voxnote/app/settings/private_profile.h"
#include "voxnote/app/settings/safe_file_writer.h"
#include "voxnote/app/midi/standard_midi_file.h"
#include "voxnote/app/settings/string_table.h"
#include "voxnote/app/settings/system_settings.h"
#include "voxnote/app/conversion/wav_conversion.h"

namespace voxnote {

namespace {

constexpr const char* kStandardOutputName = "-";

void AddRangedOption(CLI::App& command, const std::string& name, std::optional<int>& value, int help, int lowest,
                     int highest) {
    command.add_option(name, value, Text(help))->check(CLI::Range(lowest, highest));
}

// The start-up values, or the named preset when one is asked for.
bool ChooseStartingSettings(const ConvertOptions& options, PrivateProfile& profile, CurrentDetectorSettings& settings,
                            MessageReporter& reporter) {
    if (options.preset.empty()) {
        return true;
    }
    PresetStore store(profile);
    if (!store.Exists(options.preset)) {
        reporter.Report(MessageKind::Warning,
                        FormatText(strings::kNoPresetOfThatName, {options.preset, profile.Path().string()}));
        return false;
    }
    settings.Load(store.Read(options.preset));
    return true;
}

void ApplyOverrides(const ConvertOptions& options, CurrentDetectorSettings& settings) {
    if (options.inputVolume) settings.SetInputVolume(*options.inputVolume);
    if (options.gapRatio) settings.SetGapRatio(*options.gapRatio);
    if (options.noteStopRatio) settings.SetNoteStopRatio(*options.noteStopRatio);
    if (options.outputVolume) settings.SetOutputVolume(*options.outputVolume);
    if (options.tuning) settings.SetTuning(*options.tuning);
    if (options.minimumNote) settings.SetMinimumNote(*options.minimumNote);
    if (options.maximumNote) settings.SetMaximumNote(*options.maximumNote);
    if (options.scale) settings.SetScale(*options.scale);
    if (options.transposition) settings.SetTransposition(*options.transposition);
    if (options.fixedVolume) settings.SetFixedVolume(true);
    if (options.rhythmNote) settings.SetConstantNote(*options.rhythmNote);
}

bool WriteTextFile(const std::string& path, const std::string& text, MessageReporter& reporter) {
    if (WriteFileSafely(path, text)) {
        return true;
    }
    reporter.Report(MessageKind::Warning, FormatText(strings::kCannotWriteFile, {path}));
    return false;
}

bool WriteNewMidiFile(const std::string& path, const MidiStreamBuffer& stream, MessageReporter& reporter) {
    switch (WriteNewFileSafely(path, StandardMidiFileBytes(stream))) {
        case NewFileResult::Written:
            return true;
        case NewFileResult::AlreadyExists:
            reporter.Report(MessageKind::Warning, FormatText(strings::kOutputExists, {path}));
            return false;
        case NewFileResult::Failed:
            break;
    }
    reporter.Report(MessageKind::Warning, FormatText(strings::kCannotWriteFile, {path}));
    return false;
}

bool WantsStandardOutput(const ConvertOptions& options) {
    return options.eventsPath == kStandardOutputName || options.framesPath == kStandardOutputName;
}

// Where the MIDI file goes: the -o path, or without any output named the
// input's name with ".mid" beside it.
struct MidiTarget {
    std::string path;  // empty: no MIDI file
    bool byDefault = false;
};

MidiTarget ChooseMidiTarget(const ConvertOptions& options) {
    if (!options.midiPath.empty() || !options.eventsPath.empty() || !options.framesPath.empty()) {
        return {options.midiPath, false};
    }
    std::filesystem::path path(options.inputPath);
    path.replace_extension(".mid");
    return {path.string(), true};
}

// The events CSV, the frames CSV (unless it went to standard output while
// converting) and the MIDI file; false when one could not be written.
bool WriteResults(const ConvertOptions& options, const MidiTarget& midi, const MidiStreamBuffer& stream,
                  const std::string& framesText, std::ostream& standardOutput, MessageReporter& reporter) {
    bool written = true;
    if (!options.eventsPath.empty()) {
        std::ostringstream events;
        WriteEventsCsv(stream, options.eventsPath == kStandardOutputName ? standardOutput : events);
        if (options.eventsPath != kStandardOutputName) {
            written = WriteTextFile(options.eventsPath, events.str(), reporter) && written;
        }
    }
    if (!options.framesPath.empty() && options.framesPath != kStandardOutputName) {
        written = WriteTextFile(options.framesPath, framesText, reporter) && written;
    }
    if (midi.byDefault) {
        written = WriteNewMidiFile(midi.path, stream, reporter) && written;
    } else if (!midi.path.empty()) {
        written = WriteTextFile(midi.path, StandardMidiFileBytes(stream), reporter) && written;
    }
    return written;
}

void AddDetectorOption(CLI::App& command, ConvertOptions& options) {
    command
        .add_option_function<std::string>(
            "--detector", [&options](const std::string& name) { options.detector = *DetectorNamed(name); },
            Text(strings::kDetectorHelp))
        ->check(CLI::IsMember(CommandLineNames()));
    command.callback([&options] {
        if (options.detector == DetectorChoice::Precise && !options.framesPath.empty()) {
            throw CLI::ValidationError(Text(strings::kFramesNeedClassicDetector));
        }
    });
}

}  // namespace

CLI::App* AddConvertCommand(CLI::App& app, ConvertOptions& options) {
    CLI::App* command = app.add_subcommand("convert", Text(strings::kConvertDescription));
    command->footer(Text(strings::kExitStatusHelp));
    command->add_option("input", options.inputPath, Text(strings::kInputFileHelp))->required();
    command->add_option("-o,--output", options.midiPath, Text(strings::kOutputFileHelp));
    command->add_option("--events", options.eventsPath, Text(strings::kEventsFileHelp));
    command->add_option("--frames", options.framesPath, Text(strings::kFramesFileHelp));
    command->add_option("--preset", options.preset, Text(strings::kPresetHelp));
    AddDetectorOption(*command, options);
    AddRangedOption(*command, "--input-volume", options.inputVolume, strings::kInputVolumeHelp, 0,
                    kInputVolumeLargest);
    AddRangedOption(*command, "--gap-ratio", options.gapRatio, strings::kGapRatioHelp, 0, kGapRatioLargest);
    AddRangedOption(*command, "--note-stop-ratio", options.noteStopRatio, strings::kNoteStopRatioHelp, 0,
                    kNoteStopRatioLargest);
    AddRangedOption(*command, "--output-volume", options.outputVolume, strings::kOutputVolumeHelp, 0,
                    kOutputVolumeLargest);
    AddRangedOption(*command, "--tuning", options.tuning, strings::kTuningHelp, -kTuningLargest, kTuningLargest);
    AddRangedOption(*command, "--min-note", options.minimumNote, strings::kMinimumNoteHelp, kLowestMinimumNote,
                    kHighestMinimumNote);
    AddRangedOption(*command, "--max-note", options.maximumNote, strings::kMaximumNoteHelp, kLowestMaximumNote,
                    kHighestMaximumNote);
    AddRangedOption(*command, "--scale", options.scale, strings::kScaleHelp, 0, kChromaticScale);
    AddRangedOption(*command, "--transpose", options.transposition, strings::kTransposeHelp, -128, 127);
    command->add_flag("--fixed-volume", options.fixedVolume, Text(strings::kFixedVolumeHelp));
    AddRangedOption(*command, "--rhythm-note", options.rhythmNote, strings::kRhythmNoteHelp, -1, 127);
    AddRangedOption(*command, "--voice", options.voice, strings::kVoiceHelp, 0, 127);
    return command;
}

int RunConvert(const ConvertOptions& options, std::ostream& standardOutput, MessageReporter& reporter) {
    PrivateProfile profile(VoxnoteProfilePath());
    CurrentDetectorSettings settings;
    if (!ChooseStartingSettings(options, profile, settings, reporter)) {
        return kConvertFailed;
    }
    ApplyOverrides(options, settings);
    if ((options.minimumNote || options.maximumNote) &&
        settings.Values().minimumNote >= settings.Values().maximumNote) {
        reporter.Report(MessageKind::Warning, Text(strings::kNoteRangeEmpty));
        return kConvertFailed;
    }
    const int voice = options.voice ? *options.voice : ReadSystemSettings(profile).midiVoice;
    const MidiTarget midi = ChooseMidiTarget(options);
    std::error_code error;
    if (midi.byDefault && std::filesystem::exists(midi.path, error)) {
        reporter.Report(MessageKind::Warning, FormatText(strings::kOutputExists, {midi.path}));
        return kConvertFailed;  // found before the work, not after it
    }

    std::unique_ptr<FileByteSource> input = FileByteSource::Open(options.inputPath);
    if (!input) {
        reporter.Report(MessageKind::Warning, FormatText(strings::kCannotOpenInput, {options.inputPath}));
        return kConvertFailed;
    }
    auto state = std::make_unique<DetectorState>();
    std::ostringstream framesText;
    std::unique_ptr<FramesCsvWriter> frames;
    if (!options.framesPath.empty()) {
        frames = std::make_unique<FramesCsvWriter>(options.framesPath == kStandardOutputName ? standardOutput
                                                                                             : framesText);
    }
    ConversionResult result =
        ConvertWavToMidi(*input, options.detector, *state, settings.Header(), voice, reporter, frames.get());
    if (!result.stream) {
        return kConvertFailed;  // the conversion has said why
    }
    if (!result.HasNotes()) {
        reporter.Report(MessageKind::Information, Text(strings::kNoNotesDetected));
    }
    if (!WriteResults(options, midi, *result.stream, framesText.str(), standardOutput, reporter)) {
        return kConvertFailed;
    }
    if (!WantsStandardOutput(options)) {
        standardOutput << FormatText(strings::kNotesConverted, {std::to_string(result.noteCount)}) << '\n';
        if (midi.byDefault) {
            standardOutput << midi.path << '\n';
        }
    }
    return kConvertSucceeded;
}

}  // namespace voxnote
