#include "stepweave/sequencer/commands/library_commands.h"

#include <filesystem>
#include <system_error>

#include "stepweave/sequencer/files/pattern_file.h"
#include "stepweave/sequencer/model/sequencer_errors.h"
#include "stepweave/sound/files/byte_stream.h"

namespace stepweave {

void FillLibraryFromStartDirectory(SequencerDocument& document) {
    for (const auto& name : PatternNamesInFolder(document.StartDirectory())) {
        document.library.Add(name);
    }
}

void StorePattern(SequencerDocument& document, UserPrompt& prompt) {
    const std::string name = document.grid.Name();
    if (name.empty() || name == kBlankPatternEntry) {
        prompt.Notify(kPatternNameQuestion, kPatternNameCaption);
        return;
    }
    const std::string path = PatternFilePath(document.StartDirectory(), name);
    if (!IsPatternName(name)) {
        throw FileCreateError(path);
    }
    WriteFileSafely(path, PatternFileText(document.grid, document.Delay(), document.Loop(), document.Samples()));
    if (document.playList.Contains(name)) {
        return;
    }
    document.playList.Append(name);
    if (!document.library.Contains(name)) {
        document.library.Add(name);
    }
}

bool LoadSelectedPattern(SequencerDocument& document) {
    const int selected = document.playList.SelectedIndex();
    if (selected == PlayList::kNoSelection) {
        return false;
    }
    const std::string name = document.playList.Name(selected);
    if (name.empty() || name == kBlankPatternEntry) {
        return false;
    }
    LoadPatternIntoEditor(ReadPatternFile(document.StartDirectory(), name), document);
    return true;
}

void AddSelectedToPlayList(SequencerDocument& document) {
    const int selected = document.library.SelectedIndex();
    if (selected == PatternLibrary::kNoSelection || document.library.Name(selected) == kBlankPatternEntry) {
        return;
    }
    document.playList.Append(document.library.Name(selected));
}

void RemoveSelectedFromPlayList(SequencerDocument& document) {
    const int selected = document.playList.SelectedIndex();
    if (selected == PlayList::kNoSelection) {
        return;
    }
    const std::string name = document.playList.Name(selected);
    // A name the library lacks moves there (one that cannot name a pattern is
    // simply dropped); "<Blank>" is always in the library.
    if (!document.library.Contains(name)) {
        document.library.Add(name);
    }
    document.playList.RemoveAt(selected);
}

void DeleteSelectedPattern(SequencerDocument& document, UserPrompt& prompt) {
    const int selected = document.library.SelectedIndex();
    if (selected <= 0) {
        return;  // nothing selected, or "<Blank>"
    }
    if (!prompt.ConfirmOkCancel(kDeletePatternQuestion, kDeletePatternCaption)) {
        return;
    }
    const std::string name = document.library.Name(selected);
    const std::string path = PatternFilePath(document.StartDirectory(), name);
    std::error_code error;
    std::filesystem::remove(path, error);
    if (error) {
        throw FileDeleteError(path);
    }
    document.library.RemoveAt(selected);
    document.playList.RemoveAll(name);
}

}  // namespace stepweave
