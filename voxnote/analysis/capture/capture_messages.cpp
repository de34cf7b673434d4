#include "voxnote/analysis/capture/capture_messages.h"

#include <array>

namespace voxnote {

namespace {

const std::array<std::string, 26> kTexts = {
    "Error getting the max compression format size.",
    "Error allocating local memory for WaveFormatEx structure.",
    "Error allocating local memory for VXNDS.",
    "Error locking VXNDS memory.",
    "Error allocating local memory for EVS.",
    "Error locking EVS memory.",
    "Error locking WaveFormatEx memory.",
    "Warning, FormatTagDetails function failed",
    "Warning, FormatDetails function failed",
    "No microphone set up",
    "No wave audio recording devices found.",
    "Error allocating wave header memory.",
    "Couldn't lock header memory for recording.",
    "Error allocating wave buffer memory.",
    "Could not open the input device for recording.",
    "Error preparing header for recording.",
    "Error starting sampling.",
    "Error in waveInReset",
    "Error in waveInUnprepareHeader (1..10)",
    "Error closing input device.",
    "Error adding buffer.",
    "Failed to get waveIn Position",
    "Sound card returned unknown measurement",
    "Buffer overflow whilst processing",
    "Error in VoxnoteClose",
    "Warning - driver halted !  Not enough power.\n"
    "There may be enough power if the 'Higher Priority Processing' option is set.\n"
    "Do you wish to set this option now ?",
};

}  // namespace

const std::string& CaptureMessageText(CaptureMessage message) { return kTexts[static_cast<size_t>(message)]; }

}  // namespace voxnote
