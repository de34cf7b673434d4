// SequenceWindow: New, Open and Save Song.
#include "stepweave/sequencer/commands/song_commands.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/session/sequencer_session.h"
#include "stepweave/sequencer/ui/sequence_window.h"
#include "stepweave/sequencer/ui/window_prompt.h"

namespace stepweave {

namespace {

constexpr const char* kSongFilter = "*.sng (*.sng)";

}  // namespace

// New Song empties the pattern's cells and name with the play list; Undo
// gives the pattern back.
void SequenceWindow::NewSongClick() {
    if (!MayDropDocument(DocumentLeaving::NewSong)) {
        return;
    }
    RecordEdit("New Song", [this] { NewSong(document_); });
    unsaved_.PatternKept();
    unsaved_.SongKept();
}

void SequenceWindow::OpenSongClick() {
    if (!MayDropDocument(DocumentLeaving::OpenSong)) {
        return;
    }
    OpenSongFile(prompt_.ChooseFileToOpen({"Open Song", kSongFilter, session_.StartDirectory(), "", ""}));
}

void SequenceWindow::OpenSongFile(const std::string& path) {
    bool opened = false;
    Attempt([&] { opened = OpenSong(document_, path); });
    if (opened) {
        session_.Engine().EnablePlayPattern();
        unsaved_.SongKept();
    }
    ShowDocument();
}

void SequenceWindow::SaveSongClick() { SaveSongToChosenFile(); }

bool SequenceWindow::SaveSongToChosenFile() {
    const std::string path =
        prompt_.ChooseFileToSave({"Save Song", kSongFilter, session_.StartDirectory(), document_.songTitle, "sng"});
    bool saved = false;
    Attempt([&] { saved = SaveSong(document_, path); });
    if (saved) {
        session_.Engine().EnablePlayPattern();
        unsaved_.SongKept();
    }
    ShowDocument();
    return saved;
}

}  // namespace stepweave
