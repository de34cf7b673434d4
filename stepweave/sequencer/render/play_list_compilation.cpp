#include "stepweave/sequencer/render/play_list_compilation.h"

#include "stepweave/sequencer/files/pattern_file.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/commands/song_compiler.h"

namespace stepweave {

std::optional<std::vector<std::string>> CompilePlayListFromSelection(SequencerDocument& document,
                                                                     std::optional<int> globalTempo) {
    PlayList& playList = document.playList;
    if (playList.Empty()) {
        return std::nullopt;
    }
    const int start = playList.SelectedIndex() == PlayList::kNoSelection ? 0 : playList.SelectedIndex();
    const std::vector<std::string> names = playList.Names();
    CompiledSong song = CompileSong(document.StartDirectory(), {names.begin() + start, names.end()});

    const PatternFileContents& last = *song.lastPattern;
    CopyPatternRows(last, document.grid);
    document.SetDelay(last.Tempo());
    document.SetLoop(last.Repeat());
    document.ShowHeaderName();
    playList.Select(start - 1);
    if (globalTempo) {
        document.SetDelay(*globalTempo);
    }
    return std::move(song.lines);
}

}  // namespace stepweave
