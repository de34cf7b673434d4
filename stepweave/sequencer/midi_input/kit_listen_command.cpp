#include "stepweave/sequencer/midi_input/kit_listen_command.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <ostream>

#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/session/sequencer_session.h"
#include "stepweave/sequencer/session/workspace.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/midi/kit_midi_input.h"
#include "stepweave/sound/midi/midi_input_choices_file.h"
#include "stepweave/sound/mixer/mixer.h"
#include "stepweave/sound/timing/headless_main_loop.h"

namespace stepweave {

namespace {

// How often the loop prints what was heard and looks for Ctrl+C.
constexpr uint32_t kReportMilliseconds = 20;

// The command's start folder; one it found rather than was given gets its
// "temp", as at the program's start.
std::string StartDirectoryOf(const KitListenArguments& arguments) {
    const std::string folder = CommandStartDirectory(arguments.startDirectory);
    if (arguments.startDirectory.empty()) {
        EnsureTempFolder(folder);
    }
    return folder;
}

std::vector<std::string> PortsToOpen(const KitListenArguments& arguments, const std::string& folder) {
    std::vector<std::string> ports = ReadMidiInputChoices(MidiInputChoicesPath(folder));
    ports.insert(ports.end(), arguments.ports.begin(), arguments.ports.end());
    return ports;
}

void TellPorts(const MidiInputPorts& ports, const std::vector<std::string>& wanted, std::ostream& out,
               std::ostream& err) {
    for (const std::string& problem : ports.Problems()) {
        err << problem << '\n';
    }
    const std::vector<std::string> open = ports.OpenPorts();
    for (const std::string& port : wanted) {
        if (std::find(open.begin(), open.end(), port) == open.end()) {
            err << "The MIDI port \"" << port << "\" is not there\n";
        }
    }
    if (open.empty()) {
        err << "No MIDI input could be opened: this computer has no ALSA sequencer (/dev/snd/seq) and no JACK "
               "server is running\n";
    }
    for (const std::string& port : open) {
        out << "Listening on " << port << '\n';
    }
    out << std::flush;
}

// "Snare level 3 (note 38, velocity 71): 4 ms"
std::string HeardLine(const HeardHit& heard) {
    std::string name(InstrumentList::Label(heard.hit.slot).substr(0, 10));
    name.erase(name.find_last_not_of(' ') + 1);
    return name + " level " + std::to_string(heard.hit.level) + " (note " + std::to_string(heard.hit.note) +
           ", velocity " + std::to_string(heard.hit.velocity) + "): sounds " + std::to_string(heard.delay) +
           " ms after it arrived";
}

class HeardReport {
public:
    void Take(KitMidiInput& input, std::ostream& out) {
        HeardHit heard;
        while (input.TakeHeard(heard)) {
            out << HeardLine(heard) << '\n';
            delays_.push_back(heard.delay);
        }
        out << std::flush;
    }

    void Sum(std::ostream& out) {
        if (delays_.empty()) {
            out << "No hits\n";
            return;
        }
        std::sort(delays_.begin(), delays_.end());
        char line[160];
        std::snprintf(line, sizeof line,
                      "%zu hits: each sounded %d to %d ms after its note arrived (median %d ms)\n",
                      delays_.size(), delays_.front(), delays_.back(), delays_[delays_.size() / 2]);
        out << line;
    }

private:
    std::vector<int> delays_;
};

}  // namespace

int KitListenCommand(const KitListenArguments& arguments, const AudioBackendSource& output, std::ostream& out,
                     std::ostream& err, const std::function<bool()>& stopRequested) {
    try {
        SequencerSession session(StartDirectoryOf(arguments), MainTimers(), SessionSound::Devices, output);
        session.LoadKitOrDefault(arguments.kitPath);
        session.StartSoundOutput();
        session.ApplyPanningFile();
        HeardReport report;
        {
            KitMidiInput input(session.SoundOutput(), session.DrumKit(), session.Timers());
            input.Ports().OpenOwnPort();
            const std::vector<std::string> wanted = PortsToOpen(arguments, session.StartDirectory());
            input.Ports().OpenChosenPorts(wanted);
            TellPorts(input.Ports(), wanted, out, err);
            HeadlessMainLoop loop(session.Timers());
            RepeatingTimer reporting(session.Timers(), kReportMilliseconds, [&] { report.Take(input, out); });
            loop.RunUntil(stopRequested, kReportMilliseconds);
            report.Take(input, out);
        }
        session.StopSoundOutput();
        report.Sum(out);
        return 0;
    } catch (const std::exception& error) {
        err << CommandLineMessage(error) << '\n';
        return 1;
    }
}

}  // namespace stepweave
