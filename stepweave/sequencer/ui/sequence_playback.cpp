// SequenceWindow: the play buttons, Stop, the tempo slider and its BPM label, the
// repeat count, globalTempoBox, and the playhead in the grid.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/playback/playhead.h"
#include "stepweave/sequencer/session/sequencer_session.h"
#include "stepweave/sequencer/ui/sequence_window.h"

namespace stepweave {

void SequenceWindow::ShowTransport() {
    PlaybackEngine& engine = session_.Engine();
    playPatternButton->setEnabled(engine.PlayPatternEnabled());
    playSongButton->setEnabled(engine.PlaySongEnabled());
    bpmLabel->setText(QString::fromStdString(engine.BpmLabel()));
    if (tempoSlider->value() != document_.Delay()) {
        tempoSlider->setValue(document_.Delay());
    }
    globalTempoBox->setChecked(engine.UsesGlobalTempo());
    patternRepeatBox->setChecked(engine.PatternRepeat());
    songRepeatBox->setChecked(engine.SongRepeat());
    ShowPlayhead();
}

// The grid keeps the playing row in view; the play list marks the entry playing.
void SequenceWindow::ShowPlayhead() {
    const std::optional<int> row = PlayheadRow(session_.Engine(), document_.grid);
    patternGrid->SetHighlightedRow(row.value_or(-1));
    ShowPlayingEntry();
}

void SequenceWindow::PlayPatternClick() {
    Attempt([this] { session_.Engine().PlayPattern(); });
    ShowDocument();
}

// Play Song loads each pattern of the play list into the editor on its way:
// the editor ends up holding the last one, which Undo takes back.
void SequenceWindow::PlaySongClick() {
    RecordEdit("Play Song", [this] { session_.Engine().PlaySong(); });
    SongPlayer& song = session_.Engine().Song();
    if (song.Playing()) {
        unsaved_.PatternKept();
        songPatternStarts_ = PatternStartLines(song.Lines());
        songFirstEntry_ = song.FirstEntry();
        ShowPlayingEntry();
    }
}

void SequenceWindow::StopClick() {
    session_.Engine().Stop();
    ShowDocument();
}

void SequenceWindow::TempoSliderMoved(int value) {
    if (showing_) {
        return;
    }
    session_.Engine().SetDelayByHand(value);
    unsaved_.TempoSetByHand();
    ShowTransport();
}

// The field takes any number the user types; one below 1 becomes 1 at once.
void SequenceWindow::LoopsChanged(int value) {
    if (showing_) {
        return;
    }
    document_.SetLoop(value);
    if (value != document_.Loop()) {
        showing_ = true;
        loopsBox->setValue(document_.Loop());
        showing_ = false;
    }
}

void SequenceWindow::GlobalTempoClick(bool checked) {
    if (!showing_) {
        session_.Engine().SetUsesGlobalTempo(checked);
    }
}

}  // namespace stepweave
