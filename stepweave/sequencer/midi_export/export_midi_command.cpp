#include "stepweave/sequencer/midi_export/export_midi_command.h"

#include <exception>
#include <filesystem>
#include <ostream>

#include "stepweave/sequencer/commands/song_commands.h"
#include "stepweave/sequencer/midi_export/midi_export.h"
#include "stepweave/sequencer/session/sequencer_session.h"
#include "stepweave/sequencer/session/workspace.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/timing/timer_scheduler.h"

namespace stepweave {

namespace {

namespace fs = std::filesystem;

// The song file opened into the document (for its play list and samples);
// its path, or empty when there is none.
std::string OpenSongOf(SequencerSession& session, const ExportMidiArguments& arguments) {
    if (arguments.songPath.empty()) {
        return {};
    }
    const std::string path = FindSongFile(arguments.songPath, session.StartDirectory()).string();
    if (!OpenSong(session.Document(), path)) {
        throw FileOpenError(path);
    }
    return path;
}

std::string DefaultOutput(const ExportMidiArguments& arguments, const std::string& songPath,
                          const std::string& folder) {
    if (!arguments.patternName.empty()) {
        return (fs::path(folder) / (arguments.patternName + ".mid")).string();
    }
    return MidiFileBeside(songPath);
}

SongForMidi WhatToExport(SequencerSession& session, const ExportMidiArguments& arguments) {
    const MidiExportSounds sounds{session.StartDirectory(), session.DrumKit().Items(), session.RenderSamples()};
    if (!arguments.patternName.empty()) {
        return SongForMidiOfPattern(ReadPatternFile(session.StartDirectory(), arguments.patternName), sounds);
    }
    SequencerDocument& document = session.Document();
    if (document.playList.Empty()) {
        throw StepweaveError("The song's play list is empty: nothing to export");
    }
    return SongForMidiOfPlayList(document.playList.Names(), sounds, document.songTitle);
}

}  // namespace

int ExportMidiCommand(const ExportMidiArguments& arguments, std::ostream& out, std::ostream& err) {
    try {
        SequencerSession session(CommandStartDirectory(arguments.startDirectory), MainTimers(), SessionSound::None);
        session.LoadKitOrDefault(arguments.kitPath);
        const std::string songPath = OpenSongOf(session, arguments);
        std::string output = arguments.outputPath;
        if (output.empty()) {
            output = DefaultOutput(arguments, songPath, session.StartDirectory());
            std::error_code error;
            if (fs::exists(output, error)) {
                err << "The file \"" << output << "\" exists already; name it with -o to replace it.\n";
                return 1;
            }
        }
        WriteSongMidiFile(WhatToExport(session, arguments), output);
        out << output << '\n';
        return 0;
    } catch (const std::exception& error) {
        err << CommandLineMessage(error) << '\n';
        return 1;
    }
}

}  // namespace stepweave
