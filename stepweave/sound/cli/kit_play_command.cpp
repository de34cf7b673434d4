#include "stepweave/sound/cli/kit_play_command.h"

#include <exception>
#include <ostream>

#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/kit/kit_layout.h"
#include "stepweave/sound/output/audio_output.h"
#include "stepweave/sound/timing/headless_main_loop.h"
#include "stepweave/sound/voices/kit_player.h"

namespace stepweave {

namespace {

// Time for the end of the last sound to leave the device after the mixer
// has finished it: the scheduling latency and the device's own buffers.
constexpr uint32_t kDrainMilliseconds = 150;

constexpr size_t kLabelWidth = 10;
// How often a wait looks whether the user asked to stop.
constexpr uint32_t kStopPollMilliseconds = 20;

// Serves the timers for the given time; false when asked to stop first.
bool WaitUnlessStopped(HeadlessMainLoop& loop, TimerScheduler& timers, uint32_t milliseconds,
                       const std::function<bool()>& stopped) {
    bool over = false;
    RepeatingTimer end(timers, milliseconds, [&] { over = true; });
    loop.RunUntil([&] { return over || stopped(); }, kStopPollMilliseconds);
    return !stopped();
}

// Closes the device and the output it plays through, so that a recording is
// finished now; raises the recording's failure.
void CloseSoundOutput(SoundDevice& device, AudioOutput& output) {
    device.Close();
    output.Close();
}

std::vector<WaveCollectionItem*> ChooseItems(WaveCollection& kit, const std::vector<std::string>& names) {
    std::vector<WaveCollectionItem*> items;
    if (names.empty()) {
        for (size_t slot = 1; slot < kKitSlotNames.size(); ++slot) {
            items.push_back(&kit.Find(kKitSlotNames[slot]));
        }
        return items;
    }
    for (const std::string& name : names) {
        items.push_back(&FindKitItem(kit, name));
    }
    return items;
}

}  // namespace

WaveCollectionItem& FindKitItem(WaveCollection& kit, const std::string& name) {
    if (kit.IndexOf(name) < 0 && name.size() <= kLabelWidth) {
        const std::string label = name + std::string(kLabelWidth - name.size(), ' ') + "[ ]";
        if (kit.IndexOf(label) >= 0) {
            return kit.Find(label);
        }
    }
    return kit.Find(name);
}

int KitPlayCommand(const KitPlayArguments& arguments, const AudioBackendSource& output, std::ostream& out,
                   std::ostream& err, TimerScheduler& timers, const std::function<bool()>& stopRequested) {
    const auto stopped = [&] { return stopRequested && stopRequested(); };
    try {
        KitPlayer kit;
        kit.Items().LoadFromFile(arguments.kitPath);
        const std::vector<WaveCollectionItem*> items = ChooseItems(kit.Items(), arguments.names);

        const std::shared_ptr<AudioOutput> sound = OpenAudioOutput(output);
        SoundDevice device(timers);
        kit.SetDevice(&device);
        device.Open(sound);
        HeadlessMainLoop loop(timers);
        for (size_t i = 0; i < items.size(); ++i) {
            if (i > 0 && !WaitUnlessStopped(loop, timers, kKitPlaySpacingMilliseconds, stopped)) {
                break;
            }
            WaveCollectionItem& item = *items[i];
            item.SetVolume(-500 * arguments.level);
            item.SetPan(arguments.pan);
            out << '"' << item.Name() << "\"\n" << std::flush;
            kit.Play(item);
        }
        // The sweep empties the playing list once every copy has finished.
        loop.RunUntil([&] { return stopped() || kit.Playing().Count() == 0; }, kStopPollMilliseconds);
        const bool interrupted = stopped();
        if (!interrupted) {
            loop.RunFor(kDrainMilliseconds);
        }
        CloseSoundOutput(device, *sound);
        if (interrupted) {
            out << "Stopped\n";
            return kKitPlayInterrupted;
        }
        return 0;
    } catch (const std::exception& error) {
        err << CommandLineMessage(error) << '\n';
        return 1;
    }
}

}  // namespace stepweave
