#include "stepweave/sequencer/model/sequencer_document.h"

namespace stepweave {

SequencerDocument::SequencerDocument(std::string startDirectory, UserSampleSlots& samples)
    : startDirectory_(std::move(startDirectory)), samples_(samples) {}

void SequencerDocument::SetPatternName(const std::string& name) {
    patternNameField_ = name;
    grid.SetName(name);
}

void SequencerDocument::ClearPattern() {
    grid.ClearChannels();
    SetPatternName("");
    SetLoop(1);
}

}  // namespace stepweave
