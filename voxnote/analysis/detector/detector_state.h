#pragma once
// The one record the analysis keeps all its state in ("VXNDS" in messages).
// The caller allocates it once (63168 bytes) and reuses it for every run; the
// analysis never allocates. Parts, in order: settings header, results, running
// state, band channels, sample history, input area, scratch, frame stream,
// channel table, pending-event queue.
#include <cstdint>

#include "voxnote/analysis/filterbank/band_channel.h"
#include "voxnote/analysis/filterbank/band_table.h"
#include "voxnote/analysis/filterbank/channel_table.h"
#include "voxnote/analysis/notes/event_clock.h"
#include "voxnote/analysis/filterbank/frame_measurement.h"
#include "voxnote/analysis/notes/note_segmenter.h"
#include "voxnote/analysis/notes/pending_event.h"
#include "voxnote/analysis/pitch/pitch_frame.h"

namespace voxnote {

constexpr uint32_t kDetectorStateBytes = 63168;
constexpr uint32_t kInputAreaBytes = 8192;
constexpr int kBlockSamples = kInputAreaBytes / 2;  // 4096
constexpr int kHistorySamples = 4378;               // what the slowest channels reach back
constexpr int kPitchBins = 790;                     // pitch steps 0..789
constexpr int kChannelTableRows = 40;

// Lets a caller watch every finished frame (for example to write them out);
// called from inside the analysis, so it must not re-enter it.
using FrameObserver = void (*)(void* context, uint32_t frameIndex, const PitchFrame& frame);

// 1. Written by the caller before and during a run.
struct DetectorSettingsHeader {
    int32_t timeOffsetTargetMs;
    uint32_t velocityBase;
    uint32_t inputThreshold;
    uint32_t reattackGap;
    uint32_t releaseDrop;
    uint32_t minimumNote;  // only the low byte is read
    uint32_t maximumNote;  // only the low byte is read
    int32_t tuning;
    int8_t transposition;
    uint8_t scaleLock;
    uint8_t scale;
    uint8_t fixedVolume;
    int8_t constantNote;
    uint8_t timeSmoothingShift;
    uint8_t reserved[2];
    FrameObserver frameObserver = nullptr;  // none until the caller sets one
    void* frameObserverContext = nullptr;
};

// 2. Read by the user interface.
struct DetectorResults {
    uint8_t currentNote;
    uint8_t fineStep;
    uint8_t inputClipped;
    uint8_t velocityClipped;
    uint8_t ok;
    uint8_t levelMeter;
    uint8_t reserved[2];
};

// 3. Running state that is not a channel's.
struct DetectorRunningState {
    int16_t carriedSample;
    uint8_t hasCarriedSample;
    uint8_t reserved;
    uint32_t blockBytes;            // bytes of 16-bit samples analysed in this block
    EventClock clock;
    NoteSegmenter segmenter;
    FrameMeasurementState measurement;
    int32_t frameWrite;             // next frame record the measurement completes
    int32_t frameDecided;           // frame records whose pitch has been decided
    uint32_t framesBeforeStream;    // run-wide index of frame record 0
    uint32_t rowsCompleted;         // channel-table rows every channel has written
    uint32_t queueRead;             // pending-event queue, in slots
    uint32_t queueWrite;
    int16_t previousPitch;          // the band level choice looks at two frames
    int16_t reserved2;
};

namespace detail {
constexpr uint32_t kFixedBytes = sizeof(DetectorSettingsHeader) + sizeof(DetectorResults) +
                                 sizeof(DetectorRunningState) + kChannelCount * sizeof(BandChannel) +
                                 (kHistorySamples + kBlockSamples) * 4 + kInputAreaBytes +
                                 kPitchBins * 4 + kChannelTableRows * sizeof(ChannelTableRow) +
                                 kPendingQueueBytes;
}  // namespace detail

// Whatever the fixed parts leave of the record holds frames waiting for the segmenter.
constexpr int kFrameStreamCapacity = (kDetectorStateBytes - detail::kFixedBytes) / sizeof(PitchFrame);

struct DetectorState {
    DetectorSettingsHeader header;
    DetectorResults results;
    DetectorRunningState running;
    BandChannel channels[kChannelCount];
    int32_t history[kHistorySamples + kBlockSamples];
    int16_t input[kBlockSamples];
    uint32_t histogram[kPitchBins];  // scratch of the note decision
    PitchFrame frames[kFrameStreamCapacity];
    ChannelTableRow channelTable[kChannelTableRows];
    PendingEvent queue[kPendingQueueSlots];
    uint8_t queueTail[kPendingQueueBytes - kPendingQueueSlots * sizeof(PendingEvent)];
};
static_assert(sizeof(DetectorState) == kDetectorStateBytes, "the record has a fixed size");
static_assert(kFrameStreamCapacity >= 300, "a note's frames up to the early decision must fit");

}  // namespace voxnote
