#pragma once
// The 16-byte PCM format record of a WAV file (its fields in file order) and
// how a mixing wave lays out its samples by it.
#include <array>
#include <cstdint>

namespace stepweave::wavaudio {

struct MixingWaveFormat {
    int16_t FormatTag = 1;  // PCM
    uint16_t Channels = 2;
    int32_t SamplesPerSec = 44100;
    int32_t AvgBytesPerSec = 176400;  // turns seconds into frames
    uint16_t BlockAlign = 4;          // bytes per frame
    uint16_t BitsPerSample = 16;

    static constexpr int kRecordSize = 16;
    using Record = std::array<uint8_t, kRecordSize>;

    Record Encode() const;
    // Lays the first `count` bytes (at most 16) of a record over this one:
    // a short "fmt " chunk replaces only the fields it holds.
    void OverlayRecordBytes(const uint8_t* bytes, int count);

    // 8-bit audio keeps one unsigned byte per sample; every other width is
    // read and written as 16-bit little-endian signed samples.
    bool IsEightBit() const { return BitsPerSample == 8; }
    int BytesPerSample() const { return IsEightBit() ? 1 : 2; }
    uint8_t SilenceByte() const { return IsEightBit() ? 128 : 0; }
    // Byte offset of a channel's sample within its frame.
    int ChannelOffset(int channel) const { return channel * BytesPerSample(); }

    // Whether samples can be addressed and timed at all: at least one
    // channel, a frame size and a positive rate.
    bool DescribesAudio() const { return Channels >= 1 && BlockAlign >= 1 && SamplesPerSec >= 1; }

    bool operator==(const MixingWaveFormat&) const = default;
};

}  // namespace stepweave::wavaudio
