#include "stepweave/sequencer/model/unsaved_work.h"

#include "stepweave/sequencer/model/sequencer_document.h"

namespace stepweave {

namespace {

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

std::string PatternLine(const SequencerDocument& document) {
    const std::string& name = document.grid.Name();
    if (name.empty()) {
        return "The pattern in the editor has no name and is not stored.";
    }
    return "The pattern " + Quoted(name) + " has changes that are not stored.";
}

std::string SongLine(const SequencerDocument& document) {
    if (document.songTitle.empty()) {
        return "The play list is not saved as a song.";
    }
    return "The song " + Quoted(document.songTitle) + " has changes that are not saved.";
}

const char* WhatComes(DocumentLeaving leaving) {
    switch (leaving) {
        case DocumentLeaving::NewSong: return "starting a new song";
        case DocumentLeaving::OpenSong: return "opening another song";
        case DocumentLeaving::Exit: return "closing Stepweave";
    }
    return "";
}

}  // namespace

UnsavedWork::UnsavedWork(const SequencerDocument& document) : document_(document) {
    PatternKept();
    SongKept();
}

void UnsavedWork::PatternKept() {
    keptPattern_ = {document_.grid, document_.Loop(), document_.Delay()};
    tempoSetByHand_ = false;
}

// The file's tempo is what a tempo moved by hand is compared with from now on.
void UnsavedWork::KeptIfStoredAs(const PatternGrid& grid, int loop, int delay) {
    PatternState stored{grid, loop, delay};
    if (!PatternDiffersFrom(stored)) {
        keptPattern_ = std::move(stored);
        tempoSetByHand_ = false;
    }
}

void UnsavedWork::SongKept() { keptSong_ = CurrentSong(); }

UnsavedWork::SongState UnsavedWork::CurrentSong() const {
    SongState song{document_.playList.Names(), {}};
    const UserSampleSlots& samples = document_.Samples();
    for (int sample = 1; sample <= kSongSampleCount; ++sample) {
        song.samples[static_cast<size_t>(sample - 1)] = {samples.FileName(sample), samples.Frequency(sample),
                                                         samples.Pan(sample)};
    }
    return song;
}

bool UnsavedWork::PatternDiffersFrom(const PatternState& pattern) const {
    return document_.grid != pattern.grid || document_.Loop() != pattern.loop ||
           (tempoSetByHand_ && document_.Delay() != pattern.delay);
}

bool UnsavedWork::PatternUnsaved() const {
    const PatternGrid& grid = document_.grid;
    return !(grid.Name().empty() && grid.ChannelsEmpty()) && PatternDiffersFrom(keptPattern_);
}

bool UnsavedWork::SongUnsaved() const { return !document_.playList.Empty() && CurrentSong() != keptSong_; }

std::optional<UnsavedWorkQuestion> UnsavedWork::QuestionBefore(DocumentLeaving leaving) const {
    UnsavedWorkQuestion question;
    question.storesPattern = PatternUnsaved();
    question.savesSong = SongUnsaved();
    if (!question.storesPattern && !question.savesSong) {
        return std::nullopt;
    }
    std::string ask;
    if (question.storesPattern && question.savesSong) {
        question.text = PatternLine(document_) + "\n" + SongLine(document_);
        question.saveButton = "Store and Save Song";
        ask = "Store the pattern and save the song";
    } else if (question.storesPattern) {
        question.text = PatternLine(document_);
        question.saveButton = "Store";
        ask = "Store it";
    } else {
        question.text = SongLine(document_);
        question.saveButton = "Save Song";
        ask = "Save it";
    }
    question.text += "\n\n" + ask + " before " + WhatComes(leaving) + "?";
    return question;
}

}  // namespace stepweave
