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
    RecordEdit("New Song", [this] { NewSong(document_); });
}

void SequenceWindow::OpenSongClick() {
    OpenSongFile(prompt_.ChooseFileToOpen({"Open Song", kSongFilter, session_.StartDirectory(), "", ""}));
}

void SequenceWindow::OpenSongFile(const std::string& path) {
    Attempt([&] {
        if (OpenSong(document_, path)) {
            session_.Engine().EnablePlayPattern();
        }
    });
    ShowDocument();
}

void SequenceWindow::SaveSongClick() {
    const std::string path =
        prompt_.ChooseFileToSave({"Save Song", kSongFilter, session_.StartDirectory(), document_.songTitle, "sng"});
    Attempt([&] {
        if (SaveSong(document_, path)) {
            session_.Engine().EnablePlayPattern();
        }
    });
    ShowDocument();
}

}  // namespace stepweave
