#pragma once
// Plays a wave of any length from a wave stream through a one-second ring
// buffer that loops on the device. Every 50 ms, on the main thread, the
// part of the ring played since the last refill is written again with the
// next sample data, or with silence once the data is used up; the first
// refill after all the data has been played stops the stream (or, looped,
// starts it over).
//
// Without an open device there is no ring: the stream keeps its wave stream
// and position, and playing it is silent.
//
// Main thread only.
#include <cstdint>
#include <memory>

#include "stepweave/sound/wav/wave_format.h"

namespace stepweave {

class RepeatingTimer;
class SoundDevice;
class Voice;
class WaveStream;
enum class DeviceEvent;

class AudioStream {
public:
    static constexpr uint32_t kBufferLengthMilliseconds = 1000;
    // min(ring length / 4, 50)
    static constexpr uint32_t kUpdateMilliseconds = 50;

    explicit AudioStream(SoundDevice& device);
    virtual ~AudioStream();
    AudioStream(const AudioStream&) = delete;
    AudioStream& operator=(const AudioStream&) = delete;

    WaveStream* Source() const { return waveStream_; }
    // Stops, rewinds, and makes a ring of one second of the stream's format
    // (VoiceError "%s cannot be made" ("Sound Buffer") when the
    // device refuses it; the stream is then not set). nullptr releases the ring.
    // Frequency, pan and volume go back to the format's rate, centre and full.
    void SetWaveStream(WaveStream* stream);

    // AudioStreamError "WaveStream not set" without a wave stream.
    void Play();
    void Stop();
    bool Playing() const { return playing_; }

    // Bytes of sample data played so far. Setting it clamps to the data and
    // lowers to a whole block; while playing, the stream goes on from there.
    int64_t Position() const { return position_; }
    void SetPosition(int64_t position);
    bool Looped() const { return looped_; }
    void SetLooped(bool looped) { looped_ = looped; }

    // Forwarded to the ring; kept for a ring made later.
    uint32_t Frequency() const;
    void SetFrequency(uint32_t frequency);
    int32_t Pan() const { return pan_; }
    void SetPan(int32_t pan);
    int32_t Volume() const { return volume_; }
    void SetVolume(int32_t volume);

    // Makes the ring anew, keeping the position, frequency, pan, volume and
    // whether it plays.
    void RecreateRing();

    // The stream's wave format; "WaveStream not set" without one.
    WaveFormat Format() const;
    // The sample data bytes the stream holds.
    int64_t Size() const;
    uint32_t BufferSize() const { return ringSize_; }
    Voice* Ring() const { return ring_.get(); }

    // The refill, run by the stream's 50 ms timer. Errors stop the stream
    // and go to the application's error handler.
    void Update();

private:
    void RequireWaveStream() const;
    void MakeRing();
    void ApplyControls();
    void Restart();
    void Queue(int64_t bytes);
    void WriteRing(int64_t bytes, bool fromData);
    void OnDeviceEvent(DeviceEvent event);
    uint16_t BlockAlign() const;

    SoundDevice* device_;
    std::unique_ptr<RepeatingTimer> updateTimer_;
    std::unique_ptr<Voice> ring_;
    WaveStream* waveStream_ = nullptr;
    uint32_t ringSize_ = 0;
    uint32_t writeCursor_ = 0;
    int64_t position_ = 0;
    int64_t written_ = 0;
    bool looped_ = false;
    bool playing_ = false;
    uint32_t frequency_ = 0;  // 0: the format's rate
    int32_t pan_ = 0;
    int32_t volume_ = 0;
};

}  // namespace stepweave
