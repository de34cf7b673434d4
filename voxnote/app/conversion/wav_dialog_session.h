#pragma once
// The work behind the WAV dialog, without the window: the selected file and
// its header peek, listening to it ("Audio"), converting it and playing its
// notes on the MIDI device ("MIDI"), saving them as a MIDI file, the voice
// of the notes, and what happens when the dialog closes.
//
// The notes of a file are converted once and kept with the file's
// modification time and the detector that found them: pressing "MIDI" again
// plays them again, unless the file has been changed or another detector
// chosen since. Selecting another file discards them.
//
// A conversion runs on the window's thread; between blocks the host
// processes its pending events so that the window stays responsive. Closing
// the dialog or selecting another file meanwhile stops the conversion: its
// notes are dropped and nothing plays.
//
// Everything is called on the window's thread. The one exception is the
// MIDI player's done notice, which the host is asked to post to that thread.
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "voxnote/analysis/detector/detector_header_settings.h"
#include "voxnote/analysis/detector/detector_state.h"
#include "voxnote/app/shell/message_reporter.h"
#include "voxnote/app/midi/midi_output.h"
#include "voxnote/app/midi/midi_stream.h"
#include "voxnote/app/conversion/wav_conversion.h"
#include "voxnote/app/conversion/wav_dialog_panel.h"
#include "voxnote/app/settings/detector_choice.h"
#include "voxnote/app/audio/wav_player.h"

namespace voxnote {

// What the window does for the session.
class WavDialogHost {
public:
    virtual ~WavDialogHost() = default;
    // The panel has changed: redraw it from Panel().
    virtual void PanelChanged() = 0;
    // Between the blocks of a conversion: handle what the user did meanwhile.
    virtual void ProcessPendingEvents() = 0;
    // From any thread: run `task` soon on the window's thread (never after
    // the session is gone).
    virtual void PostToWindow(std::function<void()> task) = 0;
};

// What the dialog takes from the main window.
struct WavDialogSettings {
    DetectorHeaderSettings analysis;  // the current detector settings' header values
    int midiDeviceIndex = 0;
    int voice = 0;                    // MIDI Voice, General MIDI program 0-127
    DetectorChoice detector = DetectorChoice::Classic;  // the dialog's "Detector" at opening
};

class WavDialogSession : private ConversionProgress {
public:
    WavDialogSession(WavDialogHost& host, MessageReporter& messages, MidiStream& midiStream,
                     std::unique_ptr<AudioOutput> audioOutput, DetectorState& detector, WavDialogSettings settings);
    ~WavDialogSession() override;
    WavDialogSession(const WavDialogSession&) = delete;
    WavDialogSession& operator=(const WavDialogSession&) = delete;

    // The dialog's selection is now `file` (a folder or a missing file
    // shows no information).
    void SelectFile(const std::filesystem::path& file);

    // The buttons: start or stop listening; start or stop the notes.
    void PressAudio();
    void PressMidi();
    // Converts first if need be; true when the file was written.
    bool SaveMidiFile(const std::filesystem::path& target);
    void ChangeVoice(int voice);
    // The detector of the next conversion; notes already converted by the
    // other one are converted again when next needed.
    void ChangeDetector(DetectorChoice detector);

    // Regularly while the file sounds: keeps the sound going and notices its end.
    void PumpAudio();

    // The dialog closes: playback stops and a conversion is abandoned. The
    // voice chosen is then the new MIDI Voice.
    void Close();

    WavDialogPanel Panel() const;
    int Voice() const { return voice_; }
    DetectorChoice Detector() const { return detectorChoice_; }
    const std::filesystem::path& SelectedFile() const { return selected_; }
    bool IsAudioPlaying() const { return player_.IsPlaying(); }
    bool IsMidiPlaying() const { return midi_.IsPlaying(); }
    bool IsProcessing() const { return processing_; }
    // The notes of the selected file, when they have been converted.
    const MidiStreamBuffer* Events() const { return events_ ? &*events_ : nullptr; }

private:
    // The selected file's notes, converted now unless kept from before;
    // null (after the messages) when it has none.
    MidiStreamBuffer* EnsureEvents();
    ConversionResult Convert(const std::filesystem::path& file, DetectorChoice detector);
    bool KeepGoing() override;
    void MidiFinished();

    WavDialogHost& host_;
    MessageReporter& messages_;
    MidiOutput midi_;
    WavPlayer player_;
    DetectorState& detector_;
    const WavDialogSettings settings_;
    int voice_;
    DetectorChoice detectorChoice_;

    std::filesystem::path selected_;
    std::optional<PeekedWavHeader> header_;
    std::optional<MidiStreamBuffer> events_;
    std::filesystem::file_time_type eventsFileTime_;
    DetectorChoice eventsDetector_ = DetectorChoice::Classic;
    bool processing_ = false;
    bool stopConversion_ = false;
    bool closed_ = false;
};

}  // namespace voxnote
