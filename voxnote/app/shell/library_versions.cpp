#include "voxnote/app/shell/library_versions.h"

#include <fluidsynth.h>
#include <rtaudio/RtAudio.h>
#include <rtmidi/RtMidi.h>
#include <soxr.h>

namespace voxnote {

std::string LibraryVersions() {
    std::string text = "RtAudio " + RtAudio::getVersion();
    text += ", RtMidi " + RtMidi::getVersion();
    text += ", FluidSynth ";
    text += fluid_version_str();
    text += ", ";
    text += soxr_version();
    return text;
}

}  // namespace voxnote
