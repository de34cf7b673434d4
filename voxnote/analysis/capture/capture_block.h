#pragma once
// One capture block as the session and the input device share it: the data,
// the length the device may fill and the bytes it did fill. The two flags are
// the main thread's own bookkeeping; the device thread only writes the data
// and bytesRecorded of a block it has been handed, and hands it back through
// the block feed's completion queue.
#include <cstdint>

namespace voxnote {

struct CaptureBlock {
    uint8_t* data = nullptr;
    uint32_t bufferLength = 0;
    uint32_t bytesRecorded = 0;
    bool prepared = false;  // the device accepts the block
    bool inQueue = false;   // handed to the device and not yet given back
};

}  // namespace voxnote
