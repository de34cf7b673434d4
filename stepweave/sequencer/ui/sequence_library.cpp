// SequenceWindow: the pattern library, the play list and storing and loading
// patterns.
#include <QEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <utility>

#include "stepweave/sequencer/commands/library_commands.h"
#include "stepweave/sequencer/model/pattern_library.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/playback/playhead.h"
#include "stepweave/sequencer/session/sequencer_session.h"
#include "stepweave/sequencer/ui/sequence_window.h"
#include "stepweave/sequencer/ui/stepweave_look.h"
#include "stepweave/sequencer/ui/window_prompt.h"

namespace stepweave {

namespace {

// Puts the names into the list, rebuilding it only when they changed so that
// a press being handled keeps its item.
void ShowNames(QListWidget& list, const std::vector<std::string>& names, bool checkable) {
    bool same = list.count() == static_cast<int>(names.size());
    for (int row = 0; same && row < list.count(); ++row) {
        same = list.item(row)->text().toStdString() == names[static_cast<size_t>(row)];
    }
    if (same) {
        return;
    }
    list.clear();
    for (const std::string& name : names) {
        auto* item = new QListWidgetItem(QString::fromStdString(name), &list);
        if (checkable) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
    }
}

void ShowSelection(QListWidget& list, int selected) {
    if (selected < 0) {
        list.setCurrentRow(-1);
        list.clearSelection();
    } else if (list.currentRow() != selected) {
        list.setCurrentRow(selected);
    }
}

}  // namespace

void SequenceWindow::ShowLibrary() {
    ShowNames(*patternLibraryBox, document_.library.Names(), false);
    ShowSelection(*patternLibraryBox, document_.library.SelectedIndex());
}

void SequenceWindow::ShowPlayList() {
    ShowNames(*playListBox, document_.playList.Names(), true);
    for (int row = 0; row < document_.playList.Count(); ++row) {
        const Qt::CheckState state = document_.playList.Entry(row).checked ? Qt::Checked : Qt::Unchecked;
        if (playListBox->item(row)->checkState() != state) {
            playListBox->item(row)->setCheckState(state);
        }
    }
    ShowSelection(*playListBox, document_.playList.SelectedIndex());
}

// During Play Song the entry whose pattern is playing is marked: bold, with
// the play glyph.
void SequenceWindow::ShowPlayingEntry() {
    PlaybackEngine& engine = session_.Engine();
    std::optional<int> pattern;
    if (engine.PlayingSong()) {
        pattern = PatternPlayedAt(songPatternStarts_, engine.Song().Position());
    }
    const int playing = pattern ? songFirstEntry_ + *pattern : -1;
    const bool wasShowing = std::exchange(showing_, true);
    for (int row = 0; row < playListBox->count(); ++row) {
        QListWidgetItem* item = playListBox->item(row);
        const bool marked = row == playing;
        if (item->data(Qt::FontRole).isValid() == marked) {
            continue;
        }
        QFont bold = playListBox->font();
        bold.setBold(true);
        item->setData(Qt::FontRole, marked ? QVariant(bold) : QVariant());
        item->setIcon(marked ? look::GlyphIcon(look::Glyph::Play) : QIcon());
    }
    showing_ = wasShowing;
}

void SequenceWindow::PlayListEntryChanged(QListWidgetItem* item) {
    if (!showing_) {
        document_.playList.SetChecked(playListBox->row(item), item->checkState() == Qt::Checked);
    }
}

// The play list is watched for presses of any button: each loads the
// selected entry's pattern into the editor, a left press selecting the entry
// under the pointer first. A quick second click arrives as a double click.
bool SequenceWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == playListBox->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        PlayListPressed(static_cast<QMouseEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

void SequenceWindow::PlayListPressed(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QListWidgetItem* item = playListBox->itemAt(event->position().toPoint());
        if (item != nullptr) {
            document_.playList.Select(playListBox->row(item));
        }
    }
    bool loaded = false;
    RecordEdit("Load Pattern", [&] { loaded = LoadSelectedPattern(document_); });
    if (loaded) {
        unsaved_.PatternKept();
    }
}

void SequenceWindow::StoreClick() { StoreEditedPattern(); }

// A name Store cannot use gets its notice or error and stores nothing.
bool SequenceWindow::StoreEditedPattern() {
    const bool stored = Attempt([this] { StorePattern(document_, prompt_); }) && IsPatternName(document_.grid.Name());
    if (stored) {
        unsaved_.PatternKept();
    }
    ShowDocument();
    return stored;
}

void SequenceWindow::LibraryDoubleClick() { AddToPlayListClick(); }

void SequenceWindow::AddToPlayListClick() {
    AddSelectedToPlayList(document_);
    ShowDocument();
}

void SequenceWindow::TakeFromPlayListClick() {
    RemoveSelectedFromPlayList(document_);
    ShowDocument();
}

void SequenceWindow::PlayListArrowClick(bool up) {
    if (up) {
        document_.playList.MoveSelectedUp();
    } else {
        document_.playList.MoveSelectedDown();
    }
    ShowDocument();
}

void SequenceWindow::PlayListBinClick() {
    document_.playList.RemoveChecked();
    ShowDocument();
}

void SequenceWindow::LibraryBinClick() {
    Attempt([this] { DeleteSelectedPattern(document_, prompt_); });
    ShowDocument();
}

// Clear List also ends song playback.
void SequenceWindow::ClearListClick() {
    session_.Engine().ClearList();
    ShowDocument();
}

}  // namespace stepweave
