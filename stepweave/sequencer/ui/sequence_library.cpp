// SequenceWindow: the pattern library, the play list and storing and loading
// patterns.
#include <QEvent>
#include <QListWidget>
#include <QMouseEvent>

#include "stepweave/sequencer/commands/library_commands.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/session/sequencer_session.h"
#include "stepweave/sequencer/ui/sequence_window.h"
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
    ShowNames(*MusicLib, document_.library.Names(), false);
    ShowSelection(*MusicLib, document_.library.SelectedIndex());
}

void SequenceWindow::ShowPlayList() {
    ShowNames(*SongList, document_.playList.Names(), true);
    for (int row = 0; row < document_.playList.Count(); ++row) {
        const Qt::CheckState state = document_.playList.Entry(row).checked ? Qt::Checked : Qt::Unchecked;
        if (SongList->item(row)->checkState() != state) {
            SongList->item(row)->setCheckState(state);
        }
    }
    ShowSelection(*SongList, document_.playList.SelectedIndex());
}

void SequenceWindow::SongListItemChanged(QListWidgetItem* item) {
    if (!showing_) {
        document_.playList.SetChecked(SongList->row(item), item->checkState() == Qt::Checked);
    }
}

// The play list is watched for presses of any button: each loads the
// selected entry's pattern into the editor, a left press selecting the entry
// under the pointer first. A quick second click arrives as a double click.
bool SequenceWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SongList->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        SongListMouseDown(static_cast<QMouseEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

void SequenceWindow::SongListMouseDown(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QListWidgetItem* item = SongList->itemAt(event->position().toPoint());
        if (item != nullptr) {
            document_.playList.Select(SongList->row(item));
        }
    }
    RecordEdit("Load Pattern", [this] { LoadSelectedPattern(document_); });
}

void SequenceWindow::BitBtn6Click() {
    Attempt([this] { StorePattern(document_, prompt_); });
    ShowDocument();
}

void SequenceWindow::MusicLibDblClick() { BitBtn1Click(); }

void SequenceWindow::BitBtn1Click() {
    AddSelectedToPlayList(document_);
    ShowDocument();
}

void SequenceWindow::BitBtn2Click() {
    RemoveSelectedFromPlayList(document_);
    ShowDocument();
}

void SequenceWindow::UpDown1Click(bool up) {
    if (up) {
        document_.playList.MoveSelectedUp();
    } else {
        document_.playList.MoveSelectedDown();
    }
    ShowDocument();
}

void SequenceWindow::SongBinClick() {
    document_.playList.RemoveChecked();
    ShowDocument();
}

void SequenceWindow::LibBinClick() {
    Attempt([this] { DeleteSelectedPattern(document_, prompt_); });
    ShowDocument();
}

// Clear List also ends song playback.
void SequenceWindow::BitBtn10Click() {
    session_.Engine().ClearList();
    ShowDocument();
}

}  // namespace stepweave
