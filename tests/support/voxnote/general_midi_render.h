#pragma once
// Melodies and drum hits played by the built-in General MIDI synthesizer
// (FluidSynth with the installed soundfont) and brought to the analysis
// format, 11025 Hz mono 16 bit, through the same rate conversion the WAV
// import uses. For tests and benchmarks that listen to real instruments.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "voxnote/analysis/resampling/soxr_resampler.h"
#include "voxnote/app/midi/short_message.h"
#include "voxnote/app/mididevices/soundfont_locator.h"
#include "voxnote/app/mididevices/synth_renderer.h"

namespace voxnote::testing {

struct PlayedNote {
    double startSeconds = 0;
    double lengthSeconds = 0;
    int note = 60;
    int velocity = 100;
};

inline constexpr int kPercussionChannel = 9;
inline constexpr uint32_t kRenderRate = 44100;
inline constexpr uint32_t kAnalysisRenderRate = 11025;

// The notes on `program` (channel 1), or on the percussion channel when
// percussion is set, followed by `tailSeconds` of the sound dying away; the
// mono mix converted to 11025 Hz and scaled so that its loudest sample is
// `peak`. Nothing when no soundfont is installed or the synthesizer cannot
// start.
inline std::optional<std::vector<int16_t>> RenderGeneralMidi(std::span<const PlayedNote> notes, int program,
                                                             bool percussion, double tailSeconds = 0.5,
                                                             double peak = 16000.0) {
    std::optional<std::filesystem::path> soundfont = FindGeneralMidiSoundfont();
    if (!soundfont) return std::nullopt;
    std::string failure;
    std::unique_ptr<SynthRenderer> synth = SynthRenderer::Create(*soundfont, kRenderRate, failure);
    if (!synth) return std::nullopt;

    struct Message {
        int64_t dueUs;
        uint32_t message;
    };
    const uint8_t channel = percussion ? kPercussionChannel : 0;
    std::vector<Message> messages;
    messages.push_back({0, ShortMessage(static_cast<uint8_t>(0xC0 | channel), static_cast<uint8_t>(program))});
    double lastEnd = 0;
    for (const PlayedNote& note : notes) {
        const int64_t on = std::llround(note.startSeconds * 1e6);
        const int64_t off = std::llround((note.startSeconds + note.lengthSeconds) * 1e6);
        messages.push_back({on, ShortMessage(static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(note.note),
                                             static_cast<uint8_t>(note.velocity))});
        messages.push_back({off, ShortMessage(static_cast<uint8_t>(0x80 | channel), static_cast<uint8_t>(note.note))});
        lastEnd = std::max(lastEnd, note.startSeconds + note.lengthSeconds);
    }
    // A note-off due at the same moment as a note-on of the same key goes first.
    std::stable_sort(messages.begin(), messages.end(), [](const Message& a, const Message& b) {
        if (a.dueUs != b.dueUs) return a.dueUs < b.dueUs;
        return (StatusOf(a.message) & 0xF0) == 0x80 && (StatusOf(b.message) & 0xF0) != 0x80;
    });

    constexpr unsigned kPiece = 441;  // 10 ms
    const size_t totalFrames = static_cast<size_t>((lastEnd + tailSeconds) * kRenderRate);
    auto resampler = SoxrResampler<float>::Create(kRenderRate, kAnalysisRenderRate, 1, kPiece);
    if (!resampler) return std::nullopt;
    std::vector<float> stereo(2 * kPiece);
    std::vector<float> mono(kPiece);
    std::vector<float> converted;
    size_t next = 0;
    for (size_t frame = 0; frame < totalFrames; frame += kPiece) {
        const int64_t startUs = static_cast<int64_t>(frame) * 1000000 / kRenderRate;
        const int64_t endUs = static_cast<int64_t>(frame + kPiece) * 1000000 / kRenderRate;
        while (next < messages.size() && messages[next].dueUs < endUs) {
            synth->Post(messages[next].message, messages[next].dueUs);
            ++next;
        }
        synth->Render(stereo.data(), kPiece, startUs);
        for (unsigned i = 0; i < kPiece; ++i) mono[i] = 0.5f * (stereo[2 * i] + stereo[2 * i + 1]);
        resampler->Process(mono, converted);
    }
    resampler->Finish(converted);
    float loudest = 0.0f;
    for (float value : converted) loudest = std::max(loudest, std::fabs(value));
    const double gain = loudest > 0.0f ? peak / loudest : 0.0;
    std::vector<int16_t> samples(converted.size());
    for (size_t i = 0; i < converted.size(); ++i) {
        samples[i] = static_cast<int16_t>(std::lround(std::clamp(converted[i] * gain, -32768.0, 32767.0)));
    }
    return samples;
}

}  // namespace voxnote::testing
