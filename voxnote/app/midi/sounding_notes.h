#pragma once
// Which notes are sounding on which channels, followed from the messages
// sent to a device, so that stopping can end every one of them.
#include <bitset>
#include <cstdint>
#include <functional>

namespace voxnote {

class SoundingNotes {
public:
    void Follow(uint32_t message);

    // Sends a note-off for every sounding note, then All Notes Off on every
    // channel that played a note, and forgets them all.
    void Silence(const std::function<void(uint32_t)>& send);

    bool AnySounding() const;

private:
    std::bitset<16 * 128> sounding_;
    std::bitset<16> channelsUsed_;
};

}  // namespace voxnote
