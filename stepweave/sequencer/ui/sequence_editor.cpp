// SequenceWindow: the pattern editor's handlers (the grid, the instrument chooser,
// the pan slider, the name field and the length/beat chooser).
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSlider>

#include "stepweave/sequencer/editor/instrument_chooser.h"
#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/model/step_level.h"
#include "stepweave/sequencer/model/time_bar.h"
#include "stepweave/sequencer/session/sequencer_session.h"
#include "stepweave/sequencer/ui/editor_undo_commands.h"
#include "stepweave/sequencer/ui/options_window.h"
#include "stepweave/sequencer/ui/sequence_window.h"
#include "stepweave/sequencer/ui/stepweave_look.h"
#include "stepweave/sequencer/ui/window_prompt.h"

namespace stepweave {

namespace {

std::string Text(const QComboBox* chooser) { return chooser->currentText().toStdString(); }

GridCell ToGridCell(StepGrid::Cell cell) { return {cell.row, cell.column}; }

}  // namespace

QString SequenceWindow::CellText(int row, int column) const {
    return QString::fromStdString(document_.grid.Cell(row, column));
}

// Kit hits glow in the accent, brighter the louder their level; user samples
// in the second accent. Rows that start a beat are a shade lighter.
StepGrid::CellLook SequenceWindow::CellLookOf(int row, int column, const QString& text) const {
    if (row < PatternGrid::kFirstStepRow || column == 0) {
        const bool beatLabel = column == 0 && text.endsWith('*');
        return {{}, beatLabel ? look::kText : look::kDimText, {}, {}};
    }
    const bool beatRow = QString::fromStdString(document_.grid.Cell(row, 0)).endsWith('*');
    StepGrid::CellLook cellLook{beatRow ? look::kBeatRow : QColor(), look::kText, {}, {}};
    if (text.isEmpty()) {
        return cellLook;
    }
    const std::string label = text.toStdString();
    std::string blanked = label;
    if (blanked.size() > StepLevel::kCharacterPosition) {
        blanked[StepLevel::kCharacterPosition] = ' ';
    }
    const int instrument = InstrumentList::IndexOf(blanked);
    if (InstrumentList::IsKitInstrument(instrument)) {
        // The name, and the level at the right edge ("1" for a blank level).
        const char levelCharacter = label[StepLevel::kCharacterPosition];
        const int level = StepLevel::FromCharacter(levelCharacter).Value();
        QColor fill = look::kAccent;
        fill.setAlpha(std::clamp(230 - 20 * level, 60, 230));  // level 1 is the loudest
        const QString name = QString::fromStdString(std::string(InstrumentList::Label(instrument)).substr(0, 10)).trimmed();
        return {fill, Qt::white, name, QString::number(level)};
    }
    if (InstrumentList::IsUserSample(instrument)) {
        QColor fill = look::kSampleAccent;
        fill.setAlpha(150);
        return {fill, Qt::white, {}, {}};
    }
    return {QColor(0x55, 0x5b, 0x66), look::kDimText, {}, {}};  // a text no instrument answers to: silent
}

void SequenceWindow::ShowGrid() {
    patternGrid->SetRowCount(document_.grid.RowCount());
    patternGrid->Refresh();
    ShowPlayhead();
}

// An edit that fails half way is kept as far as it went, and can be undone too.
void SequenceWindow::RecordEdit(const QString& name, const std::function<void()>& work) {
    EditorSnapshot before = EditorSnapshot::Of(document_);
    Attempt(work);
    EditorSnapshot after = EditorSnapshot::Of(document_);
    std::vector<CellChange> cells = ChangedCells(before.grid, after.grid);
    const auto shown = [this] { ShowDocument(); };
    if (!before.SameEditorFields(after)) {
        undoStack_.push(new EditorStateCommand(name, document_, std::move(before), std::move(after), shown));
    } else if (!cells.empty()) {
        undoStack_.push(new CellEditCommand(name, document_, std::move(cells), shown));
    } else {
        ShowDocument();
    }
}

void SequenceWindow::GridMouseReleased(Qt::MouseButton button, StepGrid::Cell cell) {
    const GridCell at = ToGridCell(cell);
    if (!IsEditableCell(document_.grid, at)) {
        return;
    }
    if (button == Qt::RightButton) {
        RecordEdit("Change Level", [&] { StepLevelUp(document_.grid, at); });
        return;
    }
    // A drag that selected a range of cells is a selection (for Delete), not a click.
    const StepGrid::Cell anchor = patternGrid->SelectionAnchor();
    if ((button != Qt::LeftButton && button != Qt::MiddleButton) || anchor.row != cell.row ||
        anchor.column != cell.column) {
        return;
    }
    bool preview = false;
    RecordEdit("Place Instrument", [&] { preview = PlaceInstrument(document_.grid, at, Text(instrumentChooser)); });
    if (preview) {
        PreviewInstrument(session_.DrumKit(), session_.Samples(), Text(instrumentChooser));
    }
}

void SequenceWindow::GridKeyPressed(QKeyEvent* event) {
    const GridCell at = ToGridCell(patternGrid->CurrentCell());
    if (event->key() == Qt::Key_Delete) {
        const GridRange range{ToGridCell(patternGrid->SelectionAnchor()), at};
        RecordEdit("Delete", [&] { ClearCells(document_.grid, range); });
        return;
    }
    const QString typed = event->text();
    if (typed.size() != 1 || !typed[0].isDigit() || !IsEditableCell(document_.grid, at)) {
        return;
    }
    int row = at.row;
    RecordEdit("Change Level", [&] {
        row = TypeLevel(document_.grid, at, typed[0].toLatin1(), Text(instrumentChooser), optionsWindow_->CellJump());
    });
    patternGrid->SetCurrentCell({row, at.column});
}

// Enter, wherever the focus is: the grid takes the focus and its current
// cell toggles, without a preview.
void SequenceWindow::InsertInstrumentClick() {
    patternGrid->setFocus(Qt::ShortcutFocusReason);
    const GridCell at = ToGridCell(patternGrid->CurrentCell());
    if (!IsEditableCell(document_.grid, at)) {
        return;
    }
    RecordEdit("Insert Instrument", [&] { PlaceInstrument(document_.grid, at, Text(instrumentChooser)); });
}

void SequenceWindow::InstrumentChosen() {
    if (!showing_) {
        ShowChooserPan();
    }
}

// The slider follows the chooser; that move is not the user's and changes no pan.
void SequenceWindow::ShowChooserPan() {
    const std::optional<int> pan = ChooserPan(session_.DrumKit(), Text(instrumentChooser));
    if (!pan) {
        return;
    }
    const bool wasShowing = showing_;
    showing_ = true;
    panSlider->setValue(*pan);
    showing_ = wasShowing;
}

void SequenceWindow::PanSliderMoved(int value) {
    if (showing_) {
        return;
    }
    if (SetPanFromSlider(session_.DrumKit(), Text(instrumentChooser), value) == PanSliderResult::RefusedForSample) {
        prompt_.Notify(kSamplePanningMessage, kSamplePanningCaption);
        ShowChooserPan();
    }
}

void SequenceWindow::PatternNameEdited(const QString& text) {
    if (!showing_) {
        document_.SetPatternName(text.toStdString());
        patternGrid->Refresh();
    }
}

void SequenceWindow::TimeBarChosen(int) {
    if (showing_) {
        return;
    }
    const TimeBarFields fields = SplitTimeBarItem(Text(timeBarChooser));
    lengthEdit->setText(QString::fromStdString(fields.length));
    beatEdit->setText(QString::fromStdString(fields.beat));
}

// Update Time: both fields must hold something; then the header, the rows
// shown and the step labels follow them. A field that is no number stops
// with the conversion's message, the header keeping what it took.
void SequenceWindow::UpdateTimeClick() {
    const std::string length = lengthEdit->text().toStdString();
    const std::string beat = beatEdit->text().toStdString();
    if (length.empty() || beat.empty()) {
        showing_ = true;
        timeBarChooser->setCurrentIndex(-1);
        timeBarChooser->setEditText("");
        showing_ = false;
        lengthEdit->clear();
        beatEdit->clear();
        return;
    }
    RecordEdit("Update Time", [&] { document_.grid.UpdateTime(length, beat); });
}

void SequenceWindow::ClearPatternClick() {
    RecordEdit("Clear Pattern", [this] { document_.ClearPattern(); });
}

void SequenceWindow::PlayInstrumentClick() { PreviewInstrument(session_.DrumKit(), session_.Samples(), Text(instrumentChooser)); }

}  // namespace stepweave
