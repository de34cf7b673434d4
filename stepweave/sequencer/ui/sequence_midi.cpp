// The main window's MIDI: File > "Export MIDI...", the kit played from MIDI
// input (the port "Stepweave" and the ports chosen in Options), and "Record
// from MIDI" (the check box beside the play buttons and Play > "Record from
// MIDI"), each recorded hit one undoable edit of the grid.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <filesystem>

#include "stepweave/sequencer/midi_export/midi_export.h"
#include "stepweave/sequencer/midi_input/midi_recording.h"
#include "stepweave/sequencer/session/sequencer_session.h"
#include "stepweave/sequencer/ui/options_window.h"
#include "stepweave/sequencer/ui/sequence_window.h"
#include "stepweave/sequencer/ui/window_prompt.h"
#include "stepweave/sound/midi/kit_midi_input.h"
#include "stepweave/sound/midi/midi_input_choices_file.h"
#include "stepweave/sound/mixer/mixer.h"
#include "stepweave/sound/output/audio_output.h"

namespace stepweave {

namespace {

constexpr const char* kExportDialogTitle = "Export MIDI";
constexpr const char* kExportDialogFilter = "MIDI files (*.mid *.midi);;All files (*)";

}  // namespace

QCheckBox* SequenceWindow::CreateRecordFromMidiBox(QWidget* parent) {
    recordFromMidiBox = new QCheckBox("Record from MIDI", parent);
    recordFromMidiBox->setToolTip("Place the hits played on a MIDI controller in the pattern while it plays");
    return recordFromMidiBox;
}

void SequenceWindow::CreateMidiMenuEntries(QMenu* file, QMenu* play, QMenu* options) {
    exportMidiAction = file->addAction("Export MIDI...", this, &SequenceWindow::ExportMidiClick);
    recordFromMidiAction = play->addAction("Record from MIDI");
    recordFromMidiAction->setCheckable(true);
    midiInputsAction = options->addAction("MIDI Inputs", this, [this] { optionsWindow_->ShowOptions(); });
}

void SequenceWindow::ConnectMidiControls() {
    connect(recordFromMidiBox, &QCheckBox::toggled, recordFromMidiAction, &QAction::setChecked);
    connect(recordFromMidiAction, &QAction::toggled, recordFromMidiBox, &QCheckBox::setChecked);
    // Hits waiting for a step that will not come round are placed as the playback stops.
    connect(stopButton, &QPushButton::clicked, this, &SequenceWindow::PlaceWaitingHits);
    connect(stopAction, &QAction::triggered, this, &SequenceWindow::PlaceWaitingHits);
    const std::function<void()> shown = session_.Engine().OnStepPlayed;
    session_.Engine().OnStepPlayed = [this, shown] {
        if (shown) {
            shown();
        }
        MidiStepPlayed();
    };
}

// --- export ---

void SequenceWindow::ExportMidiClick() {
    const std::string name = document_.playList.Empty() ? document_.grid.Name() : document_.songTitle;
    const std::string path = prompt_.ChooseFileToSave(
        {kExportDialogTitle, kExportDialogFilter, session_.StartDirectory(), name.empty() ? "" : name + ".mid", "mid"});
    if (path.empty()) {
        return;
    }
    Attempt([&] {
        const MidiExportSounds sounds{session_.StartDirectory(), session_.DrumKit().Items(), session_.RenderSamples()};
        const SongForMidi song =
            document_.playList.Empty()
                ? SongForMidiOfPattern(PatternOfEditor(document_.grid, document_.Delay()), sounds)
                : SongForMidiOfPlayList(document_.playList.Names(), sounds, document_.songTitle);
        WriteSongMidiFile(song, path);
        ShowStatus(QString("Exported to %1").arg(QString::fromStdString(path)));
    });
}

// --- the kit from MIDI ---

void SequenceWindow::StartMidiInput() {
    if (!session_.SoundOutput()) {
        return;
    }
    midiInput_ = std::make_unique<KitMidiInput>(session_.SoundOutput(), session_.DrumKit(), session_.Timers(), [this] {
        QMetaObject::invokeMethod(this, &SequenceWindow::TakeMidiHits, Qt::QueuedConnection);
    });
    midiInput_->Ports().OpenOwnPort();
    Attempt([this] { chosenMidiInputs_ = ReadMidiInputChoices(MidiInputChoicesPath(session_.StartDirectory())); });
    midiInput_->Ports().OpenChosenPorts(chosenMidiInputs_);
    ShowMidiInputs();
}

// Options lists the ports there are now and those chosen before.
void SequenceWindow::ConnectMidiOptions() {
    optionsWindow_->ListMidiInputs = [] { return ListMidiInputChoices(); };
    optionsWindow_->SetChosenMidiInputs(chosenMidiInputs_);
    optionsWindow_->OnMidiInputsChosen = [this] { MidiInputsChosen(); };
}

void SequenceWindow::MidiInputsChosen() {
    chosenMidiInputs_ = optionsWindow_->ChosenMidiInputs();
    Attempt([this] { WriteMidiInputChoices(MidiInputChoicesPath(session_.StartDirectory()), chosenMidiInputs_); });
    if (midiInput_) {
        midiInput_->Ports().OpenChosenPorts(chosenMidiInputs_);
        ShowMidiInputs();
    }
}

void SequenceWindow::ShowMidiInputs() {
    const std::vector<std::string> problems = midiInput_->Ports().Problems();
    if (!problems.empty()) {
        ShowStatus(QString::fromStdString(problems.front()));
    } else if (midiInput_->Ports().OpenPorts().empty()) {
        ShowStatus("No MIDI input: this computer has no ALSA sequencer and no JACK server is running");
    }
}

PatternTiming SequenceWindow::PlayingPatternTiming() {
    PatternPlayer& pattern = session_.Engine().Pattern();
    PatternTiming timing;
    timing.length = pattern.Length();
    timing.playedRow = pattern.PlayedRow();
    timing.playedAt = pattern.PlayedRow() == PatternPlayer::kNoRow ? pattern.Clock().NextFiring() - pattern.Clock().Interval()
                                                                   : pattern.Clock().LastFiring();
    timing.interval = pattern.Clock().Interval();
    timing.latency = session_.SoundOutput() ? session_.SoundOutput()->GetMixer().LatencyMilliseconds() : 0;
    return timing;
}

void SequenceWindow::TakeMidiHits() {
    if (!midiInput_) {
        return;
    }
    LiveHit hit;
    while (midiInput_->TakeHit(hit)) {
        if (!recordFromMidiBox->isChecked() || !session_.Engine().PlayingPattern()) {
            continue;
        }
        if (const std::optional<RecordedHit> now = midiRecording_.Add(hit, PlayingPatternTiming())) {
            PlaceRecordedHits({*now});
        }
    }
}

void SequenceWindow::MidiStepPlayed() {
    if (midiRecording_.Waiting()) {
        PlaceRecordedHits(midiRecording_.StepPlayed(session_.Engine().Pattern().PlayedRow()));
    }
    if (!session_.Engine().PlayingPattern()) {
        PlaceWaitingHits();
    }
}

void SequenceWindow::PlaceWaitingHits() { PlaceRecordedHits(midiRecording_.TakeWaiting()); }

void SequenceWindow::PlaceRecordedHits(const std::vector<RecordedHit>& hits) {
    for (const RecordedHit& hit : hits) {
        RecordEdit("Record from MIDI", [&] { PlaceRecordedHit(document_.grid, hit); });
    }
}

}  // namespace stepweave
