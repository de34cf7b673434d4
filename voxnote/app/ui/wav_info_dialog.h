#pragma once
// The WAV dialog: an open-file dialog for wave files with an information
// panel (the selected file's format and length) and a play panel (listen to
// the file, hear its notes on the MIDI device in a chosen voice, save the
// notes as a MIDI file).
//
// The main window opens it from its "WAVE_" button, once the session has
// stopped a live run, ended note learning and Setup's tune mode, and
// suspended Auto Shrink (restored when this returns):
//
//     WavDialogContext context;
//     context.analysisSettings = session.Settings().Detector().Header();
//     context.midiDeviceIndex = session.Settings().MidiDeviceIndex();
//     context.midiVoice = session.WavChoices().midiVoice;
//     context.detectorChoice = session.WavChoices().detector;
//     context.messages = &session.Prompt();  // message boxes titled "Voxnote"
//     context.midiDevices = &session.MidiDevices();
//     context.detector = &session.Detector(); // free while no live run is going
//     RunWavInfoDialog(mainWindow, context);
//     session.EndWavFile({context.midiVoice, context.detectorChoice});
//
// The dialog changes none of the main window's settings but the voice and
// the detector of its conversions.
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "voxnote/analysis/detector/detector_header_settings.h"
#include "voxnote/analysis/detector/detector_state.h"
#include "voxnote/app/audio/audio_output.h"
#include "voxnote/app/shell/message_reporter.h"
#include "voxnote/app/mididevices/midi_device_catalog.h"
#include "voxnote/app/midi/playback_clock.h"
#include "voxnote/app/midi/sequencer_stream.h"
#include "voxnote/app/conversion/wav_dialog_session.h"
#include "voxnote/app/settings/detector_choice.h"

namespace voxnote {

struct WavDialogContext {
    // Taken from the main window.
    DetectorHeaderSettings analysisSettings = kStartUpDetectorSettings;
    int midiDeviceIndex = 0;
    // In: the voice list's selection at opening. Out: its selection when the
    // dialog closed, to be stored as MIDI Voice.
    int midiVoice = 0;
    // In: the "Detector" choice at opening. Out: the choice when it closed.
    DetectorChoice detectorChoice = DetectorChoice::Classic;
    // Required: the converter's message boxes.
    MessageReporter* messages = nullptr;
    // Null: the system's MIDI output devices.
    MidiDeviceCatalog* midiDevices = nullptr;
    // Null: the dialog holds an analysis record of its own.
    DetectorState* detector = nullptr;

    // Left empty by the program; tests put in their own.
    PlaybackClock* playbackClock = nullptr;  // null: the system clock
    // Empty: the output named by VOXNOTE_AUDIO_OUT.
    std::function<std::unique_ptr<AudioOutput>()> createAudioOutput;
    // Asks where to save the notes, suggesting a name; nothing when the user
    // cancels. Empty: the save-file dialog.
    std::function<std::optional<std::filesystem::path>(QWidget* parent, const std::filesystem::path& suggested)>
        chooseMidiFile;
    // In: the folder to show first (empty: the working folder). Out: the
    // folder shown when the dialog closed, to open there next time.
    QString startFolder;
};

// Runs the dialog modally; returns its result (QDialog::Accepted when the
// user pressed "Open" on a file).
int RunWavInfoDialog(QWidget* parent, WavDialogContext& context);

class WavInfoDialog : public QFileDialog, private WavDialogHost {
    Q_OBJECT

public:
    WavInfoDialog(WavDialogContext& context, QWidget* parent = nullptr);
    ~WavInfoDialog() override;

    WavDialogSession& Session() { return *session_; }

    // Closing, whichever way: playback stops, a conversion is abandoned and
    // the voice goes back to the context.
    void done(int result) override;

    // Information panel.
    QGroupBox* InformationGroup = nullptr;
    QLabel* SampleRateLabel = nullptr;
    QLabel* SampleRateValue = nullptr;
    QLabel* BitsPerSampleLabel = nullptr;
    QLabel* BitsPerSampleValue = nullptr;
    QLabel* ChannelsLabel = nullptr;
    QLabel* ChannelsValue = nullptr;
    QLabel* DurationLabel = nullptr;
    QLabel* DurationValue = nullptr;
    // Play panel.
    QGroupBox* PlayGroup = nullptr;
    QPushButton* AudioButton = nullptr;
    QPushButton* MidiButton = nullptr;
    QLabel* StatusText = nullptr;
    QLabel* VoiceLabel = nullptr;
    QComboBox* VoiceList = nullptr;
    QLabel* DetectorLabel = nullptr;
    QComboBox* DetectorList = nullptr;  // Classic, Precise
    QPushButton* SaveMidiButton = nullptr;
    // Keeps a playing file sounding and notices its end.
    QTimer AudioTimer;

private:
    void CreatePanel();
    QGroupBox* CreateInformationGroup();
    QGroupBox* CreatePlayGroup();

    void FollowFileToOpen();
    void AudioButtonClick();
    void MidiButtonClick();
    void SaveMidiButtonClick();
    void VoiceListChange(int voice);
    void DetectorListChange(int index);
    void AudioTimerTick();

    // WavDialogHost
    void PanelChanged() override;
    void ProcessPendingEvents() override;
    void PostToWindow(std::function<void()> task) override;

    WavDialogContext& context_;
    std::unique_ptr<MidiDeviceCatalog> ownDevices_;
    std::unique_ptr<DetectorState> ownDetector_;
    std::unique_ptr<SequencerStream> stream_;
    std::unique_ptr<WavDialogSession> session_;
};

}  // namespace voxnote
