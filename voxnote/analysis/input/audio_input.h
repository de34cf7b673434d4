#pragma once
// The recording device as the capture session drives it: open it in the
// capture format, prepare blocks, hand them over, start; the device fills the
// blocks in order and gives each back as a completion that the main thread
// takes in its own loop; reset stops the recording and gives back every block
// it still holds; unprepare and close end the run. Every call reports whether
// it worked, so that each failure can get its own message.
#include <cstdint>
#include <string>

#include "voxnote/analysis/capture/capture_block.h"
#include "voxnote/analysis/capture/capture_format.h"

namespace voxnote {

struct InputDeviceCapabilities {
    std::string name;
    int channels = 0;
};

// How a device states its recording position.
enum class PositionType { Milliseconds, Samples, Bytes, Other };

struct CapturePosition {
    PositionType type = PositionType::Milliseconds;  // asked for; the device may answer in another
    uint32_t value = 0;
};

class AudioInput {
public:
    virtual ~AudioInput() = default;

    // How many recording devices there are.
    virtual int DeviceCount() = 0;
    // What recording device `device` (0 is the first) offers.
    virtual bool DeviceCapabilities(int device, InputDeviceCapabilities& capabilities) = 0;

    // Opens the default recording device to record in format.
    virtual bool Open(const CaptureFormat& format) = 0;
    // Fails while blocks are still queued.
    virtual bool Close() = 0;
    // A block must be prepared before it is queued, and may be unprepared only
    // when the device has given it back.
    virtual bool Prepare(CaptureBlock& block) = 0;
    virtual bool Unprepare(CaptureBlock& block) = 0;
    // Queues an empty block; blocks are filled in the order they are queued.
    virtual bool AddBuffer(CaptureBlock& block) = 0;
    virtual bool Start() = 0;
    // Stops recording and gives back every block as a completion, the one
    // being filled with what it holds and the others empty; the position
    // starts again at 0. Until its completion is taken, a block still counts
    // as the device's.
    virtual bool Reset() = 0;
    // The recording position since Start, in the type asked for when the
    // device can, else in the type it sets.
    virtual bool GetPosition(CapturePosition& position) = 0;

    // The next block the device has finished with, or nullptr: the completion
    // notification, taken on the main thread.
    virtual CaptureBlock* TakeCompletedBlock() = 0;
    // Samples lost since Start because no block was queued.
    virtual uint64_t DroppedSamples() const = 0;
};

}  // namespace voxnote
