#pragma once
// What the main window and the wave player own for playing: the drum kit on
// the main window's sound device, the thirty-two user samples on the wave
// player's, the document, and the playback engine on the main thread's
// timers. The windows are a shell over it; the headless play command uses
// it the same way.
//
// Start-up runs in the main window's order, one call per step, each raising
// its own error: load the kit, start the sound output, take the kit's pans
// from "Panning.dat", reset the sample exports.
//
// Main thread only.
#include <string>

#include "stepweave/sequencer/playback/application_idle.h"
#include "stepweave/sequencer/playback/kit_and_sample_sounds.h"
#include "stepweave/sequencer/playback/playback_engine.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/playback/user_samples.h"
#include "stepweave/sound/device/dx_sound.h"
#include "stepweave/sound/kit/dx_wave_list.h"

namespace stepweave {

// The first eight user samples are exported as "temp/sample1.wav" ..
// "temp/sample8.wav" for rendering; start-up resets them to silence.
inline constexpr int kSampleExports = 8;

class SequencerSession {
public:
    explicit SequencerSession(std::string startDirectory, TimerScheduler& timers = MainTimers());
    ~SequencerSession();
    SequencerSession(const SequencerSession&) = delete;
    SequencerSession& operator=(const SequencerSession&) = delete;

    // "standard.dxg" of the start folder into the kit: EFOpenError
    // "Cannot open file %s" when it is missing, the kit file's errors when
    // it is damaged.
    void LoadDefaultKit();
    // Opens both sound devices and the user samples' blank files. Without a
    // sound device: EDirectSoundError "DirectSound cannot be initialized".
    void StartSoundOutput();
    // Sets the pans of kit instruments 1..16 from "Panning.dat" when the
    // start folder holds one (a damaged file raises its error and changes
    // nothing). Returns whether there was a file.
    bool ApplyPanningFile();
    // What closing the main window does: "Panning.dat" of the start folder
    // takes the pans of kit instruments 1..16 (0 for one the kit lacks).
    void WritePanningFile();
    // "temp/sample1.wav" .. "temp/sample8.wav" become copies of "Blank.wav".
    void ResetSampleExports();

    const std::string& StartDirectory() const { return startDirectory_; }
    TDXWaveList& DrumKit() { return drumKit_; }
    UserSamples& Samples() { return samples_; }
    SequencerDocument& Document() { return document_; }
    PlaybackEngine& Engine() { return engine_; }
    ApplicationIdle& Idle() { return idle_; }
    TimerScheduler& Timers() { return timers_; }

    // Whether a kit voice or a user sample still sounds.
    bool Sounding();

private:
    std::string startDirectory_;
    TimerScheduler& timers_;
    // First among the main thread's timers: a step due in the same
    // millisecond as a stream's refill plays before it.
    ApplicationIdle idle_;
    TFormOwner mainWindow_;
    TDXSound mainWindowSound_;
    TDXWaveList drumKit_;
    TFormOwner wavePlayer_;
    TDXSound wavePlayerSound_;
    UserSamples samples_;
    SequencerDocument document_;
    KitAndSampleSounds sounds_;
    PlaybackEngine engine_;
};

}  // namespace stepweave
