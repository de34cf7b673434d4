#include "stepweave/sequencer/commands/song_commands.h"

#include "stepweave/sequencer/files/song_file.h"
#include "stepweave/sequencer/model/user_sample_slots.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"

namespace stepweave {

namespace {

constexpr size_t kExtensionLength = 4;

// A cancelled dialog gives no name; a name that is only the extension is no
// song either.
bool NamesASong(std::string_view fileName) { return !fileName.empty() && fileName != kSongFileExtension; }

}  // namespace

std::string SongTitleFromPath(const std::string& path) {
    const std::string_view name = FileNameWithoutDirectory(path);
    return std::string(name.substr(0, name.size() > kExtensionLength ? name.size() - kExtensionLength : 0));
}

void NewSong(SequencerDocument& document) {
    document.grid.ClearChannels();
    document.SetPatternName("");
    document.playList.Clear();
    document.songTitle.clear();
    document.caption = kMainWindowCaption;
}

bool OpenSong(SequencerDocument& document, const std::string& chosenPath) {
    if (!NamesASong(FileNameWithoutDirectory(chosenPath))) {
        return false;
    }
    MarkedWithFile(chosenPath, [&] {
        const SongFileContents song = ParseSongFile(ReadTextFile(chosenPath));
        document.songTitle = chosenPath;
        ApplySongFile(song, document.playList, document.Samples());
    });
    document.songTitle = SongTitleFromPath(chosenPath);
    document.caption = kOpenedSongCaptionPrefix + document.songTitle;
    return true;
}

bool SaveSong(SequencerDocument& document, const std::string& chosenPath) {
    const std::string fileName(FileNameWithoutDirectory(chosenPath));
    if (!NamesASong(fileName)) {
        return false;
    }
    document.songTitle = fileName;
    WriteFileSafely(chosenPath, SongFileText(document.playList, document.Samples()));
    document.songTitle = SongTitleFromPath(chosenPath);
    return true;
}

void ClearList(SequencerDocument& document) {
    document.playList.Clear();
    document.songTitle.clear();
}

}  // namespace stepweave
