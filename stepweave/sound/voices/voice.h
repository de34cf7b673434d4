#pragma once
// One voice of a sound device: a block of sample bytes that the mixer plays
// once or looping, with its own frequency, pan and volume (hundredths of a
// decibel, as decibel_gain says). Duplicates share the bytes and play on
// their own. A voice object starts empty and is made by Create, Duplicate
// or LoadFromMemory; using an empty one raises VoiceError
// "%s not made" ("IDirectSoundBuffer"). Control calls record their result
// (LastResult) and never raise; a VoiceLost result tells the device, whose
// owner then reloads its voices.
//
// Writing while it plays: the mixer reads at and just after the play
// cursor, so a ring that is being refilled is written only between its
// write position and the play cursor; the cursors travel through atomics.
// When a voice is stopped while the audio thread may still be reading it,
// Write gives it a fresh copy of its bytes to write instead, and the mixer
// switches over before it plays again.
//
// Main thread only.
#include <cstdint>
#include <functional>
#include <memory>

#include "stepweave/sound/mixer/sound_memory.h"
#include "stepweave/sound/voices/sound_result.h"
#include "stepweave/sound/wav/wave_format.h"

namespace stepweave {

class AudioOutput;
class MixerVoice;
class SoundDevice;

// Where the voice is: playing (and whether looping), or lost with its output.
struct VoiceStatus {
    bool playing = false;
    bool looping = false;
    bool lost = false;
    bool operator==(const VoiceStatus&) const = default;
};

// Fills one region of a voice's bytes: called once, or twice when the
// region wraps past the end of the voice.
using VoiceRegionWriter = std::function<void(uint8_t* bytes, uint32_t count)>;

class Voice {
public:
    explicit Voice(SoundDevice& device);
    ~Voice();
    Voice(const Voice&) = delete;
    Voice& operator=(const Voice&) = delete;

    bool IsMade() const { return mixerVoice_ != nullptr; }
    SoundResult LastResult() const { return result_; }

    // A silent, stopped voice of exactly `bytes` bytes of `format`, which
    // must be PCM the mixer plays at a rate from 100 to 100000 Hz. False,
    // with the reason recorded, when it cannot be made.
    bool Create(const WaveFormat& format, uint32_t bytes);
    // A voice that plays the source's bytes (none are copied), with its
    // format, frequency, pan and volume, stopped at 0. False when refused.
    bool Duplicate(Voice& source);
    // A voice of exactly `size` bytes in `format`, holding `data`.
    // VoiceError "%s cannot be made" ("Sound Buffer") when it
    // cannot be made, "%s cannot be locked" when it cannot be written (the
    // voice is then released).
    void LoadFromMemory(const WaveFormat& format, const uint8_t* data, uint32_t size);
    void Release();

    // Once from the cursor to the end, or looping.
    bool Play(bool loop = false);
    bool Stop();
    // Makes a lost voice usable again; its bytes must then be written anew.
    bool Restore();
    // Writes `count` bytes from `offset` on, wrapping past the end, through
    // `write`; the mixer sees them once written.
    SoundResult Write(uint32_t offset, uint32_t count, const VoiceRegionWriter& write);

    VoiceStatus Status();
    bool Playing() { return Status().playing; }
    bool IsLost() { return Status().lost; }
    // The play cursor in bytes of whole frames.
    uint32_t Position();
    void SetPosition(uint32_t position);
    // The write cursor: the first byte after the play cursor that the mixer
    // will not read before the cursors are next updated.
    uint32_t WritePosition();
    int32_t Pan();
    void SetPan(int32_t pan);
    int32_t Volume();
    void SetVolume(int32_t volume);
    uint32_t Frequency();
    // 0 goes back to the format's own rate.
    void SetFrequency(uint32_t frequency);
    WaveFormat Format();
    uint32_t Size();
    // The bytes this voice plays, shared with its duplicates.
    const SharedSoundMemory& Memory();

private:
    friend class SoundDevice;
    void Detach();
    SoundDevice& RequireDevice();
    void RequireMade() const;
    bool Record(SoundResult result);
    bool NoticeLoss();
    SoundResult SendGains();
    void Adopt(const WaveFormat& format, SharedSoundMemory memory, uint32_t frequency);

    SoundDevice* device_;
    std::shared_ptr<AudioOutput> output_;
    MixerVoice* mixerVoice_ = nullptr;
    SharedSoundMemory memory_;
    WaveFormat format_;
    SoundResult result_ = SoundResult::Ok;
    uint32_t lossesSeen_ = 0;
    int32_t volume_ = 0;
    int32_t pan_ = 0;
    uint32_t frequency_ = 0;
};

}  // namespace stepweave
