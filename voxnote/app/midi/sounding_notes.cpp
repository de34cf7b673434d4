#include "voxnote/app/midi/sounding_notes.h"

#include "voxnote/app/midi/short_message.h"

namespace voxnote {

void SoundingNotes::Follow(uint32_t message) {
    const uint8_t status = StatusOf(message);
    const uint8_t kind = status & 0xF0;
    const int channel = status & 0x0F;
    const size_t slot = channel * 128 + FirstDataOf(message);
    if (kind == kNoteOn && SecondDataOf(message) > 0) {
        sounding_.set(slot);
        channelsUsed_.set(channel);
    } else if (kind == kNoteOn || kind == kNoteOff) {
        sounding_.reset(slot);
    }
}

void SoundingNotes::Silence(const std::function<void(uint32_t)>& send) {
    for (size_t slot = 0; slot < sounding_.size(); ++slot) {
        if (sounding_.test(slot)) {
            send(ShortMessage(static_cast<uint8_t>(kNoteOff | slot / 128), static_cast<uint8_t>(slot % 128)));
        }
    }
    for (uint8_t channel = 0; channel < 16; ++channel) {
        if (channelsUsed_.test(channel)) {
            send(ShortMessage(kControlChange | channel, kAllNotesOffController));
        }
    }
    sounding_.reset();
    channelsUsed_.reset();
}

bool SoundingNotes::AnySounding() const {
    return sounding_.any();
}

}  // namespace voxnote
