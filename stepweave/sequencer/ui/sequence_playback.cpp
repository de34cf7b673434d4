// SequenceWindow: the play buttons, Stop, the tempo slider and its BPM label, the
// repeat count, Global, and the playhead in the grid.
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
    BitBtn3->setEnabled(engine.PlayPatternEnabled());
    BitBtn12->setEnabled(engine.PlaySongEnabled());
    Label6->setText(QString::fromStdString(engine.BpmLabel()));
    if (Delay->value() != document_.Delay()) {
        Delay->setValue(document_.Delay());
    }
    Global->setChecked(engine.Global());
    endless->setChecked(engine.Endless());
    Noend->setChecked(engine.Noend());
    ShowPlayhead();
}

void SequenceWindow::ShowPlayhead() {
    const std::optional<int> row = PlayheadRow(session_.Engine(), document_.grid);
    StringGrid1->SetHighlightedRow(row.value_or(-1));
}

void SequenceWindow::BitBtn3Click() {
    Attempt([this] { session_.Engine().PlayPattern(); });
    ShowDocument();
}

// Play Song loads each pattern of the play list into the editor on its way:
// the editor ends up holding the last one, which Undo takes back.
void SequenceWindow::BitBtn12Click() {
    RecordEdit("Play Song", [this] { session_.Engine().PlaySong(); });
}

void SequenceWindow::BitBtn4Click() {
    session_.Engine().Stop();
    ShowDocument();
}

void SequenceWindow::DelayChange(int value) {
    if (showing_) {
        return;
    }
    session_.Engine().DelayChange(value);
    ShowTransport();
}

// A repeat count below 1 never gets past the field, which holds at least 1.
void SequenceWindow::LoopChange(int value) {
    if (!showing_) {
        document_.SetLoop(value);
    }
}

void SequenceWindow::GlobalClick(bool checked) {
    if (!showing_) {
        session_.Engine().SetGlobal(checked);
    }
}

}  // namespace stepweave
