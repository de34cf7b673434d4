#include "stepweave/sound/mixer/voice_renderer.h"

#include <cstring>

namespace stepweave {

namespace {

constexpr float kFractionScale = 1.0f / 4294967296.0f;

template <int Bits>
float SampleAt(const uint8_t* bytes) {
    if constexpr (Bits == 8) {
        return (static_cast<float>(*bytes) - 128.0f) * (1.0f / 128.0f);
    } else {
        int16_t value;
        std::memcpy(&value, bytes, sizeof value);
        return static_cast<float>(value) * (1.0f / 32768.0f);
    }
}

template <int Bits, int Channels>
void FrameAt(const uint8_t* bytes, uint32_t frame, float& left, float& right) {
    constexpr int kBytesPerSample = Bits / 8;
    const uint8_t* at = bytes + static_cast<size_t>(frame) * kBytesPerSample * Channels;
    left = SampleAt<Bits>(at);
    right = Channels == 2 ? SampleAt<Bits>(at + kBytesPerSample) : left;
}

template <int Bits, int Channels>
bool RenderFormat(VoiceRenderState& voice, float* out, int frames) {
    const uint8_t* bytes = voice.memory->Bytes();
    const uint32_t frameCount = voice.frames;
    const uint64_t end = static_cast<uint64_t>(frameCount) << kFrameFractionBits;
    uint64_t position = voice.position;
    for (int i = 0; i < frames; ++i) {
        if (position >= end) {
            if (!voice.looping) {
                voice.position = position;
                return false;
            }
            position %= end;
        }
        const uint32_t index = static_cast<uint32_t>(position >> kFrameFractionBits);
        const float fraction = static_cast<float>(position & 0xFFFFFFFFu) * kFractionScale;
        float left0, right0, left1 = 0.0f, right1 = 0.0f;
        FrameAt<Bits, Channels>(bytes, index, left0, right0);
        if (index + 1 < frameCount) {
            FrameAt<Bits, Channels>(bytes, index + 1, left1, right1);
        } else if (voice.looping) {
            FrameAt<Bits, Channels>(bytes, 0, left1, right1);
        }
        out[2 * i] += (left0 + (left1 - left0) * fraction) * voice.leftGain;
        out[2 * i + 1] += (right0 + (right1 - right0) * fraction) * voice.rightGain;
        position += voice.step;
    }
    voice.position = position;
    return voice.looping || position < end;
}

}  // namespace

uint64_t StepForFrequency(uint32_t frequency, uint32_t outputRate) {
    return (static_cast<uint64_t>(frequency) << kFrameFractionBits) / outputRate;
}

bool RenderVoice(VoiceRenderState& voice, float* out, int frames) {
    if (voice.frames == 0) {
        return false;
    }
    const bool stereo = voice.layout.channels == 2;
    if (voice.layout.bitsPerSample == 8) {
        return stereo ? RenderFormat<8, 2>(voice, out, frames) : RenderFormat<8, 1>(voice, out, frames);
    }
    return stereo ? RenderFormat<16, 2>(voice, out, frames) : RenderFormat<16, 1>(voice, out, frames);
}

}  // namespace stepweave
