// SequenceWindow: the question before New Song, Open Song or closing the
// window drops a pattern that is not stored or a song that is not saved.
#include "stepweave/sequencer/editor/stored_pattern.h"
#include "stepweave/sequencer/ui/sequence_window.h"
#include "stepweave/sequencer/ui/window_prompt.h"

namespace stepweave {

bool SequenceWindow::MayDropDocument(DocumentLeaving leaving) {
    // A render leaves the song's last pattern in the editor as its file holds it.
    if (unsaved_.PatternUnsaved()) {
        if (const std::optional<StoredPattern> stored = StoredEditorPattern(document_)) {
            unsaved_.KeptIfStoredAs(stored->grid, stored->loop, stored->delay);
        }
    }
    const std::optional<UnsavedWorkQuestion> question = unsaved_.QuestionBefore(leaving);
    if (!question) {
        return true;
    }
    switch (prompt_.AskAboutUnsavedWork(*question)) {
        case UnsavedWorkAnswer::Discard: return true;
        case UnsavedWorkAnswer::Cancel: return false;
        case UnsavedWorkAnswer::Save: break;
    }
    // A pattern without a name is asked for one and not stored; a cancelled
    // save dialog saves nothing: either way the document stays.
    if (question->storesPattern && !StoreEditedPattern()) {
        return false;
    }
    return !question->savesSong || SaveSongToChosenFile();
}

}  // namespace stepweave
