#pragma once
// What the main window and the wave player own for playing: the program's
// sound output, the drum kit on the main window's sound device, the
// thirty-two user samples on the wave player's, the document, and the
// playback engine on the main thread's timers. The windows are a shell over
// it; the headless commands drive it the same way: play as the window does,
// render with a session that opens no sound output.
//
// Start-up runs in the main window's order, one call per step, each raising
// its own error: load the kit, start the sound output, take the kit's pans
// from "Panning.dat", reset the sample exports. A render without sound skips
// the sound output and the exports (the render writes its own).
//
// Main thread only.
#include <memory>
#include <string>

#include "stepweave/sequencer/playback/application_idle.h"
#include "stepweave/sequencer/playback/kit_and_sample_sounds.h"
#include "stepweave/sequencer/playback/playback_engine.h"
#include "stepweave/sequencer/playback/step_timing_log.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/playback/user_samples.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "stepweave/sequencer/render/render_sample_settings.h"
#include "stepweave/sound/backend/audio_backend.h"
#include "stepweave/sound/voices/kit_player.h"
#include "stepweave/sound/voices/sound_device.h"

namespace stepweave {

class AudioOutput;

// The first eight user samples are exported as "temp/sample1.wav" ..
// "temp/sample8.wav" for rendering; start-up resets them to silence.
inline constexpr int kSampleExports = 8;

// Whether a session plays through sound devices.
enum class SessionSound {
    // The main window and the play command: the kit sounds on the main
    // window's device, the user samples streamed from their files on the
    // wave player's.
    Devices,
    // The render command: no output is ever opened. The document's user
    // samples are the settings the song and pattern files give, kept as plain
    // data; their files are read only when the render exports them.
    None,
};

class SequencerSession {
public:
    // `output` is where StartSoundOutput opens the program's output from; a
    // session without sound has none.
    SequencerSession(std::string startDirectory, TimerScheduler& timers, SessionSound sound,
                     AudioBackendSource output = {});
    ~SequencerSession();
    SequencerSession(const SequencerSession&) = delete;
    SequencerSession& operator=(const SequencerSession&) = delete;

    // "standard.dxg" of the start folder into the kit: FileOpenError
    // "Cannot open file %s" when it is missing, the kit file's errors when
    // it is damaged.
    void LoadDefaultKit();
    // Another kit file into the kit, with the same errors.
    void LoadKit(const std::string& path);
    // A command's --kit: that file, or the default kit when none is named.
    void LoadKitOrDefault(const std::string& path);
    // "Drum Kit Library": another kit file replaces the kit, whose
    // instruments keep their pans (see ImportKit); a file that cannot be
    // read changes nothing. A kit that takes the place of one that never
    // loaded at start takes the pans of "Panning.dat" as start-up would have.
    void ImportKit(const std::string& path);
    // Opens the sound output, both sound devices on it and the user samples'
    // blank files. Without an output: SoundOutputError "DirectSound cannot
    // be initialized", the cause and the way out on a second line when they
    // are known. A session without sound has none to open: std::logic_error.
    void StartSoundOutput();
    // Stops playback and closes both sound devices and the output they play
    // through, so that a recording is finished and put in place. Raises what
    // went wrong while the output ran (a recording that could not be
    // written, whose target then stays as it was).
    void StopSoundOutput();
    // The same for a command that failed: what the output was recording is
    // dropped and a recording's target stays as it was.
    void DiscardSoundOutput();
    // Sets the pans of kit instruments 1..16 from "Panning.dat" when the
    // start folder holds one (a damaged file raises its error and changes
    // nothing). Returns whether there was a file. From then on the kit's pans
    // are the ones to keep.
    bool ApplyPanningFile();
    // What closing the main window does: "Panning.dat" of the start folder
    // takes the pans of kit instruments 1..16 (0 for one the kit lacks).
    // Until the pans were taken from it (the kit did not load at start), the
    // file keeps the pans it has: false, nothing written.
    bool WritePanningFile();
    // "temp/sample1.wav" .. "temp/sample8.wav" become copies of "Blank.wav".
    void ResetSampleExports();
    // From now on every step played is logged into the file (see
    // StepTimingLog); std::runtime_error naming it when it cannot be written.
    void KeepTimingLog(const std::string& path);

    // What a render takes of each user sample: the file name, frequency and
    // pan the document's samples hold, and the stream's volume (full volume
    // in a session without sound, whose files carry none).
    RenderSampleSettings RenderSamples() const;

    const std::string& StartDirectory() const { return startDirectory_; }
    SessionSound Sound() const { return sound_; }
    KitPlayer& DrumKit() { return drumKit_; }
    // The wave player's streams. In a session without sound they stay closed
    // and the document keeps its samples' settings apart from them.
    UserSamples& Samples() { return samples_; }
    // The wave player's sound device, which the user samples play on.
    SoundDevice& WavePlayerSound() { return wavePlayerSound_; }
    // The output both devices play through while the sound runs, else nullptr.
    const std::shared_ptr<AudioOutput>& SoundOutput() const { return output_; }
    SequencerDocument& Document() { return document_; }
    PlaybackEngine& Engine() { return engine_; }
    ApplicationIdle& Idle() { return idle_; }
    TimerScheduler& Timers() { return timers_; }

    // Whether a kit voice or a user sample still sounds.
    bool Sounding();

private:
    UserSampleSlots& DocumentSamples();
    std::shared_ptr<AudioOutput> CloseDevices();

    AudioBackendSource outputSource_;
    std::shared_ptr<AudioOutput> output_;

    std::string startDirectory_;
    SessionSound sound_;
    // Set once the kit has had its chance to take "Panning.dat".
    bool panningApplied_ = false;
    TimerScheduler& timers_;
    // First among the main thread's timers: a step due in the same
    // millisecond as a stream's refill plays before it.
    ApplicationIdle idle_;
    SoundDevice mainWindowSound_;
    KitPlayer drumKit_;
    SoundDevice wavePlayerSound_;
    UserSamples samples_;
    UserSampleTable sampleSettings_;
    SequencerDocument document_;
    KitAndSampleSounds sounds_;
    StepTimingLog timingLog_;
    PlaybackEngine engine_;
};

}  // namespace stepweave
