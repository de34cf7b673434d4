#include "stepweave/sequencer/playback/song_player.h"

#include <filesystem>
#include <system_error>

#include "stepweave/sequencer/playback/cell_trigger.h"
#include "stepweave/sequencer/model/integer_text.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/commands/song_compiler.h"
#include "stepweave/sequencer/playback/step_sounds.h"

namespace stepweave {

namespace {

// Relative names (the blank sample among them) are meant to be found in the
// start folder, whatever a file dialog did to the current directory.
void ReturnToStartDirectory(const std::string& startDirectory) {
    if (startDirectory.empty()) {
        return;
    }
    std::error_code error;
    if (std::filesystem::current_path(error) != std::filesystem::path(startDirectory)) {
        std::filesystem::current_path(startDirectory, error);
    }
}

}  // namespace

SongPlayer::SongPlayer(SequencerDocument& document, StepSounds& sounds, ApplicationIdle& application,
                       const GlobalTempo& globalTempo)
    : document_(document), sounds_(sounds), globalTempo_(globalTempo), clock_(application) {
    clock_.OnTimer = [this](StepClock&, int) { PlayNextStep(); };
}

bool SongPlayer::Start() {
    PlayList& playList = document_.playList;
    if (playList.Empty()) {
        return false;
    }
    const int start = playList.SelectedIndex() == PlayList::kNoSelection ? 0 : playList.SelectedIndex();
    const std::vector<std::string> names = playList.Names();
    CompiledSong song = CompileSong(document_.StartDirectory(), {names.begin() + start, names.end()});

    const PatternFileContents& last = *song.lastPattern;
    CopyPatternRows(last, document_.grid);
    document_.SetDelay(last.Tempo());
    document_.SetLoop(last.Repeat());
    document_.ShowHeaderName();
    playList.Select(start - 1);
    if (globalTempo_.global) {
        document_.SetDelay(globalTempo_.tempo);
    }
    lines_ = std::move(song.lines);
    position_ = 0;
    firstEntry_ = start;
    stopRequested_ = false;
    clock_.SetEnabled(true);
    return true;
}

void SongPlayer::Stop() {
    stopRequested_ = true;
    clock_.SetEnabled(false);
    lines_.clear();
}

void SongPlayer::PlayNextStep() {
    ReturnToStartDirectory(document_.StartDirectory());
    if (position_ < lines_.size() && lines_[position_] == kTempoMarker) {
        TakeTempoMarker();
    }
    StepScope step(sounds_, clock_.LastFiring());
    for (int channel = 1; channel <= PatternGrid::kChannels; ++channel) {
        if (AtEnd()) {
            EndOfSong();
            return;
        }
        TriggerCell(lines_[position_], sounds_);
        ++position_;
    }
    if (OnStepPlayed) {
        OnStepPlayed();
    }
    if (AtEnd()) {
        EndOfSong();
    }
}

void SongPlayer::TakeTempoMarker() {
    ++position_;
    const std::string tempoLine = position_ < lines_.size() ? lines_[position_] : std::string();
    ++position_;
    document_.SetDelay(globalTempo_.For(ParseInteger(tempoLine)));
    clock_.SetInterval(static_cast<uint32_t>(StepIntervalMilliseconds(document_.Delay())));
    if (OnTempoChanged) {
        OnTempoChanged();
    }
}

bool SongPlayer::AtEnd() const {
    return stopRequested_ || position_ >= lines_.size() || lines_[position_] == kSongEndMarker;
}

void SongPlayer::EndOfSong() {
    if (repeat_ && !stopRequested_ && !lines_.empty()) {
        position_ = 0;
        return;
    }
    lines_.clear();
    document_.playList.Select(0);
    clock_.SetEnabled(false);
    if (OnFinished) {
        OnFinished();
    }
}

}  // namespace stepweave
