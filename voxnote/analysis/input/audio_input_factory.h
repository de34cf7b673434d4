#pragma once
// Picks the recording device by the VOXNOTE_AUDIO_IN environment variable:
//   rtaudio (or unset)  the sound card's default recording input;
//   file:PATH           plays the WAV file at PATH into the capture in real time;
//   null                no recording device.
// Any other value counts as null.
#include <memory>
#include <string_view>

#include "voxnote/analysis/input/audio_input.h"

namespace voxnote {

std::unique_ptr<AudioInput> CreateAudioInput(std::string_view choice);
std::unique_ptr<AudioInput> CreateAudioInputFromEnvironment();

}  // namespace voxnote
