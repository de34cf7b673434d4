#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "stepweave/sequencer/cli/interrupt_signal.h"
#include "stepweave/sequencer/cli/play_command.h"
#include "stepweave/sequencer/cli/render_command.h"
#include "stepweave/sequencer/midi_export/export_midi_command.h"
#include "stepweave/sequencer/midi_input/kit_listen_command.h"
#include "stepweave/sequencer/ui/sequencer_app.h"
#include "stepweave/sound/backend/audio_backend_choice.h"
#include "stepweave/sound/cli/kit_commands.h"
#include "stepweave/sound/cli/kit_play_command.h"
#include "stepweave/sound/cli/devices_command.h"
#include "stepweave/sound/files/file_size_limit.h"

namespace {

// `stepweave kit list|extract|make|play ...`. Each subcommand keeps its parsed
// arguments and, when chosen, runs its core command and stores the exit
// status. Another kit subcommand is one more block of the same shape.
void AddKitCommands(CLI::App& app, int& status) {
    CLI::App* kit = app.add_subcommand("kit", "List, extract, make or play kit files (*.dxg)");
    kit->require_subcommand(1);

    auto list = std::make_shared<std::string>();
    CLI::App* listCommand = kit->add_subcommand("list", "List the sounds of a kit file");
    listCommand->add_option("FILE", *list, "Kit file (*.dxg)")->required();
    listCommand->callback([list, &status] { status = stepweave::KitListCommand(*list, std::cout, std::cerr); });

    struct Extract {
        std::string kit;
        std::string folder;
    };
    auto extract = std::make_shared<Extract>();
    CLI::App* extractCommand = kit->add_subcommand("extract", "Write each sound of a kit file to DIR/<index>.wav");
    extractCommand->add_option("FILE", extract->kit, "Kit file (*.dxg)")->required();
    extractCommand->add_option("DIR", extract->folder, "Folder for the WAV files")->required();
    extractCommand->callback([extract, &status] {
        status = stepweave::KitExtractCommand(extract->kit, extract->folder, std::cout, std::cerr);
    });

    auto make = std::make_shared<stepweave::KitMakeArguments>();
    CLI::App* makeCommand = kit->add_subcommand("make", "Make a kit file from Blank.wav, a template and WAV files");
    makeCommand->add_option("OUT", make->outputPath, "Kit file to write (*.dxg)")->required();
    makeCommand->add_option("--template", make->templatePath, "Kit whose sounds fill slots 1..16");
    makeCommand->add_option("--slot", make->slotFiles, "N=FILE.wav: load slot N (1..16) from FILE.wav");
    makeCommand->callback([make, &status] {
        make->startDirectory = std::filesystem::current_path().string();
        status = stepweave::KitMakeCommand(*make, std::cout, std::cerr);
    });

    auto listen = std::make_shared<stepweave::KitListenArguments>();
    CLI::App* listenCommand =
        kit->add_subcommand("listen", "Play a kit from MIDI input (the port \"Stepweave\") until Ctrl+C");
    listenCommand->add_option("KIT", listen->kitPath, "Kit file (*.dxg; default: standard.dxg of the start folder)");
    listenCommand->add_option("--dir", listen->startDirectory,
                              "Start folder (default: here if it holds standard.dxg, else the workspace)");
    listenCommand->add_option("--port", listen->ports,
                              "Another MIDI port to play from, as Options lists it (\"JACK: a2j:PadController\")");
    listenCommand->callback([listen, &status] {
        const stepweave::InterruptSignal interrupt;
        status = stepweave::KitListenCommand(*listen, stepweave::AudioBackendFromEnvironment(), std::cout, std::cerr,
                                             [] { return stepweave::InterruptSignal::Requested(); });
    });

    auto play = std::make_shared<stepweave::KitPlayArguments>();
    CLI::App* playCommand = kit->add_subcommand("play", "Play sounds of a kit file as the sequencer plays them");
    playCommand->add_option("FILE", play->kitPath, "Kit file (*.dxg)")->required();
    playCommand->add_option("NAME", play->names,
                            "Sounds by name (\"Snare     [ ]\" or just \"Snare\"); all sixteen when none is named");
    playCommand->add_option("--level", play->level, "Level 1..9, as in a pattern cell: volume -500 x level")
        ->check(CLI::Range(1, 9));
    playCommand->add_option("--pan", play->pan, "Pan in hundredths of a decibel, -10000 (left) .. 10000 (right)")
        ->check(CLI::Range(-10000, 10000));
    playCommand->callback([play, &status] {
        const stepweave::InterruptSignal interrupt;
        status = stepweave::KitPlayCommand(*play, stepweave::AudioBackendFromEnvironment(), std::cout, std::cerr,
                                           stepweave::MainTimers(),
                                           [] { return stepweave::InterruptSignal::Requested(); });
    });
}

// A count that starts at 0: "--from: must be 0 or more" for anything else.
const CLI::Validator kZeroOrMore(
    [](const std::string& text) -> std::string {
        int value = 0;
        if (!CLI::detail::lexical_cast(text, value) || value < 0) {
            return "must be 0 or more";
        }
        return {};
    },
    "INT >= 0");

// `stepweave render SONG.sng -o OUT.wav [--dir DIR] [--kit FILE.dxg] [--from N]`.
void AddRenderCommand(CLI::App& app, int& status) {
    auto render = std::make_shared<stepweave::RenderCommandArguments>();
    CLI::App* command = app.add_subcommand("render", "Render a song to a 16-bit stereo 44100 Hz WAV file");
    command->add_option("SONG", render->songPath, "Song file (*.sng)")->required();
    command->add_option("-o,--output", render->outputPath, "WAV file to write")->required();
    command->add_option("--dir", render->startDirectory, "Start folder (default: here if it holds standard.dxg, else the workspace)");
    command->add_option("--kit", render->kitPath, "Kit file (default: standard.dxg in that folder)");
    command->add_option("--from", render->from, "Play-list entry to start from (0-based)")
        ->check(kZeroOrMore);
    command->callback([render, &status] { status = stepweave::RunRenderCommand(*render); });
}

// `stepweave play SONG.sng | --pattern NAME [--dir DIR] [--repeat]`.
void AddPlayCommand(CLI::App& app, int& status) {
    auto play = std::make_shared<stepweave::PlayArguments>();
    CLI::App* command = app.add_subcommand("play", "Play a song or a stored pattern through the sound output");
    CLI::Option* song = command->add_option("SONG", play->songPath, "Song file (*.sng)");
    CLI::Option* pattern = command->add_option("--pattern", play->patternName, "Stored pattern of the start folder");
    song->excludes(pattern);
    command->add_option("--dir", play->folder, "Start folder (default: here if it holds standard.dxg, else the workspace)");
    command->add_flag("--repeat", play->repeat, "Play again from the start at the end, until Ctrl+C");
    command->callback([play, song, pattern, &status] {
        if (song->count() + pattern->count() == 0) {
            throw CLI::RequiredError("SONG or --pattern");
        }
        status = stepweave::PlayCommand(*play, stepweave::AudioBackendFromEnvironment(), std::cout, std::cerr);
    });
}

// `stepweave export-midi SONG.sng | --pattern NAME [-o OUT.mid] [--dir DIR] [--kit FILE.dxg]`.
void AddExportMidiCommand(CLI::App& app, int& status) {
    auto exportMidi = std::make_shared<stepweave::ExportMidiArguments>();
    CLI::App* command = app.add_subcommand("export-midi", "Write a song or a stored pattern as a MIDI file (type 1)");
    CLI::Option* song = command->add_option("SONG", exportMidi->songPath, "Song file (*.sng)");
    CLI::Option* pattern = command->add_option("--pattern", exportMidi->patternName,
                                               "One pass of a stored pattern of the start folder");
    command->add_option("-o,--output", exportMidi->outputPath,
                        "MIDI file to write or replace (default: beside the song, never replacing a file)");
    command->add_option("--dir", exportMidi->startDirectory,
                        "Start folder (default: here if it holds standard.dxg, else the workspace)");
    command->add_option("--kit", exportMidi->kitPath, "Kit file (default: standard.dxg in that folder)");
    command->callback([exportMidi, song, pattern, &status] {
        if (song->count() + pattern->count() == 0) {
            throw CLI::RequiredError("SONG or --pattern");
        }
        status = stepweave::ExportMidiCommand(*exportMidi, std::cout, std::cerr);
    });
}

// `stepweave devices`.
void AddDevicesCommand(CLI::App& app, int& status) {
    CLI::App* command = app.add_subcommand("devices", "List the output devices of every sound system (for STEPWEAVE_AUDIO)");
    command->callback([&status] { status = stepweave::DevicesCommand(std::cout); });
}

}  // namespace

int main(int argc, char** argv) {
    stepweave::ReportFileSizeLimitAsWriteError();
    CLI::App app{"stepweave: a step-based drum-pattern sequencer.\n"
                 "Without a command it opens its window, on SONG when one is named."};
    app.require_subcommand(0, 1);
    int status = 0;
    AddKitCommands(app, status);
    AddRenderCommand(app, status);
    AddPlayCommand(app, status);
    AddExportMidiCommand(app, status);
    AddDevicesCommand(app, status);
    stepweave::WindowArguments window;
    app.add_option("--dir", window.folder,
                   "Start folder of the window (default: here if it holds standard.dxg, else the workspace)");
    app.add_option("SONG", window.songPath, "Song file (*.sng) the window opens at start");
    CLI11_PARSE(app, argc, argv);
    if (app.get_subcommands().empty()) {
        return stepweave::RunSequencerWindow(argc, argv, window);
    }
    return status;
}
