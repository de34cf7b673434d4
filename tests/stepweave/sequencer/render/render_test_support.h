#pragma once
// Shared helpers of the song renderer's tests: sounds made in the test and
// written as plain WAV files, pattern files written line by line, a kit built
// from such sounds, an observer that plays the user's part (the save dialog,
// the Stop button), a WAV reader, and the oracle: the render's arithmetic
// followed literally, one note and one sample at a time, in memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/stepweave/sequencer/model/sequencer_test_support.h"
#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/render/render_observer.h"
#include "stepweave/sequencer/render/render_sample_settings.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/kit/wave_collection.h"

namespace stepweave::render_testing {

// A sound as the test made it. 8-bit sounds keep their bytes' values as
// (byte - 128) x 255, which is what reading them gives.
struct TestSound {
    int rate = 44100;
    int channels = 1;
    int bits = 16;
    std::vector<int16_t> samples;  // interleaved

    int64_t Frames() const { return static_cast<int64_t>(samples.size()) / channels; }
    // A mono sound feeds both sides; frames beyond the sound read as 0.
    int16_t At(int channel, int64_t frame) const {
        if (frame < 0 || frame >= Frames()) {
            return 0;
        }
        return samples[static_cast<size_t>(frame * channels + std::min(channel, channels - 1))];
    }
};

// A decaying tone with a little noise, loud enough to overlap and clip.
inline TestSound ToneSound(int rate, int channels, int frames, double pitch, double level, int bits = 16) {
    TestSound sound{rate, channels, bits, {}};
    uint32_t noise = 12345;
    for (int frame = 0; frame < frames; ++frame) {
        for (int channel = 0; channel < channels; ++channel) {
            noise = noise * 1664525u + 1013904223u;
            const double t = static_cast<double>(frame) / rate;
            const double value = level * std::exp(-t * 12.0) *
                                 (0.8 * std::sin(2 * M_PI * pitch * (channel + 1) * t) +
                                  0.2 * (static_cast<double>(noise >> 8) / 8388608.0 - 1.0));
            if (bits == 8) {
                const int byte = std::clamp(static_cast<int>(std::lround(value / 255.0)) + 128, 0, 255);
                sound.samples.push_back(static_cast<int16_t>((byte - 128) * 255));
            } else {
                sound.samples.push_back(static_cast<int16_t>(std::lround(value)));
            }
        }
    }
    return sound;
}

// One frame at `value`, then silence: marks exactly where a note starts.
inline TestSound ClickSound(int16_t value, int frames = 64) {
    TestSound sound;
    sound.samples.assign(static_cast<size_t>(frames), 0);
    sound.samples[0] = value;
    return sound;
}

inline TestSound ConstantSound(int16_t value, int frames) {
    TestSound sound;
    sound.samples.assign(static_cast<size_t>(frames), value);
    return sound;
}

inline std::vector<uint8_t> WavBytes(const TestSound& sound) {
    std::vector<uint8_t> bytes;
    const auto put = [&bytes](uint32_t value, int count) {
        for (int i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    };
    const auto tag = [&bytes](const char* text) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(text[i]));
    };
    const int sampleBytes = sound.bits / 8;
    const auto dataSize = static_cast<uint32_t>(sound.samples.size() * sampleBytes);
    tag("RIFF");
    put(36 + dataSize, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(1, 2);
    put(static_cast<uint32_t>(sound.channels), 2);
    put(static_cast<uint32_t>(sound.rate), 4);
    put(static_cast<uint32_t>(sound.rate * sound.channels * sampleBytes), 4);
    put(static_cast<uint32_t>(sound.channels * sampleBytes), 2);
    put(static_cast<uint32_t>(sound.bits), 2);
    tag("data");
    put(dataSize, 4);
    for (const int16_t sample : sound.samples) {
        if (sampleBytes == 1) {
            bytes.push_back(static_cast<uint8_t>(sample / 255 + 128));
        } else {
            put(static_cast<uint16_t>(sample), 2);
        }
    }
    return bytes;
}

inline void WriteWav(const std::filesystem::path& path, const TestSound& sound) {
    const auto bytes = WavBytes(sound);
    WriteFileSafely(path.string(), bytes.data(), static_cast<int64_t>(bytes.size()));
}

// A rendered file: its header fields and its samples, interleaved left/right.
struct RenderedWav {
    uint32_t riffSize = 0;
    uint16_t channels = 0;
    uint32_t rate = 0;
    uint16_t bits = 0;
    uint32_t dataSize = 0;
    size_t fileSize = 0;
    std::vector<int16_t> samples;

    int16_t Left(int64_t frame) const { return Sample(2 * frame); }
    int16_t Right(int64_t frame) const { return Sample(2 * frame + 1); }
    int16_t Sample(int64_t index) const {
        return index >= 0 && index < static_cast<int64_t>(samples.size()) ? samples[static_cast<size_t>(index)] : 0;
    }
    // Frames whose left sample is not silent.
    std::vector<int64_t> SoundingFrames() const {
        std::vector<int64_t> frames;
        for (size_t i = 0; i < samples.size(); i += 2) {
            if (samples[i] != 0) frames.push_back(static_cast<int64_t>(i / 2));
        }
        return frames;
    }
};

inline RenderedWav ReadRenderedWav(const std::filesystem::path& path) {
    const auto bytes = ReadWholeFile(path.string());
    RenderedWav wav;
    wav.fileSize = bytes.size();
    const auto get = [&bytes](size_t at, int count) {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) value |= static_cast<uint32_t>(bytes.at(at + i)) << (8 * i);
        return value;
    };
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ");
    wav.riffSize = get(4, 4);
    wav.channels = static_cast<uint16_t>(get(22, 2));
    wav.rate = get(24, 4);
    wav.bits = static_cast<uint16_t>(get(34, 2));
    EXPECT_EQ(std::string(bytes.begin() + 36, bytes.begin() + 40), "data");
    wav.dataSize = get(40, 4);
    for (size_t at = 44; at + 1 < bytes.size(); at += 2) {
        wav.samples.push_back(static_cast<int16_t>(get(at, 2)));
    }
    return wav;
}

// ---- patterns ----------------------------------------------------------------

struct PatternCell {
    int step;     // 1-based
    int channel;  // 1..6
    std::string text;
};

// "Kick      [3]" for instrument 1 at level 3; level -1 leaves the blank.
inline std::string KitCell(int instrument, int level = -1) {
    std::string label(InstrumentList::Label(instrument));
    if (level >= 0) label[11] = static_cast<char>('0' + level);
    return label;
}
inline std::string SampleCell(int sample) { return "Sample" + std::to_string(sample); }

// Writes a pattern file as the program stores one.
inline void WritePattern(const std::filesystem::path& folder, const std::string& name, int length, int tempo,
                         int repeat, const std::vector<PatternCell>& cells) {
    std::vector<std::vector<std::string>> rows(static_cast<size_t>(length) + 3, std::vector<std::string>(7));
    rows[0] = {name, "Length:", std::to_string(length), "Time:", "4", "", ""};
    rows[1] = {"", "Channel:1", "Channel:2", "Channel:3", "Channel:4", "Channel:5", "Channel:6"};
    for (int step = 1; step <= length + 1; ++step) rows[static_cast<size_t>(step + 1)][0] = std::to_string(step);
    for (const auto& cell : cells) rows.at(static_cast<size_t>(cell.step + 1)).at(static_cast<size_t>(cell.channel)) = cell.text;
    std::vector<std::string> lines;
    for (const auto& row : rows) lines.insert(lines.end(), row.begin(), row.end());
    lines.push_back(std::to_string(tempo));
    lines.push_back(std::to_string(repeat));
    for (int sample = 1; sample <= 32; ++sample) lines.insert(lines.end(), {"Blank.wav", "44100"});
    testing::WriteText(folder / (name + ".pat"), testing::CrLfText(lines));
}

// ---- the kit and the start folder --------------------------------------------

using KitSounds = std::array<std::optional<TestSound>, 17>;
using KitPans = std::array<int, 17>;

// Items 0..16 named as a kit's slots, each holding its sound (none: an empty
// wave) and pan. The sounds pass through WAV files in the folder.
inline void BuildKit(WaveCollection& kit, const std::filesystem::path& folder, const KitSounds& sounds,
                     const KitPans& pans = {}) {
    kit.Clear();
    for (int item = 0; item < 17; ++item) {
        WaveCollectionItem& slot = kit.Add();
        slot.SetName(std::string(InstrumentList::Label(item)));
        slot.SetPan(pans[static_cast<size_t>(item)]);
        if (sounds[static_cast<size_t>(item)]) {
            const auto path = folder / ("kit_source_" + std::to_string(item) + ".wav");
            WriteWav(path, *sounds[static_cast<size_t>(item)]);
            slot.Wave().LoadFromFile(path.string());
        }
    }
}

// A start folder with its "Blank.wav" (100 ms of silence) and "temp" folder.
inline std::filesystem::path StartFolder() {
    const auto folder = testing::FreshFolder();
    std::filesystem::create_directories(folder / "temp");
    WriteWav(folder / "Blank.wav", ConstantSound(0, 4410));
    return folder;
}

// ---- the user's part -----------------------------------------------------------

// Plays the user: answers the save dialog with `outputPath` ("" cancels) and,
// when `stopAfterNotes` is set, presses Stop as soon as that many notes have
// been added, which (as in the window) enables the play buttons again.
class ScriptedRenderUser : public RenderObserver {
public:
    std::string outputPath;
    std::optional<int> stopAfterNotes;
    // What else the user does while events are handled.
    std::function<void()> duringEvents;

    bool playButtonsEnabled = true;
    bool renderWindowShown = false;
    bool progressShown = false;
    int progressMaximum = 0;
    int lastProgress = -1;
    int dialogs = 0;
    int eventRounds = 0;
    std::vector<std::string> added;
    std::vector<int> passes;

    std::string ChooseOutputFile() override {
        ++dialogs;
        EXPECT_FALSE(playButtonsEnabled);
        return outputPath;
    }
    void SetPlayButtonsEnabled(bool enabled) override { playButtonsEnabled = enabled; }
    bool StopRequested() override { return playButtonsEnabled; }
    void ShowRenderWindow() override { renderWindowShown = true; }
    void HideRenderWindow() override { renderWindowShown = false; }
    void NowAdding(const std::string& name) override { added.push_back(name); }
    void ShowProgress(int maximum) override {
        progressShown = true;
        progressMaximum = maximum;
    }
    void SetProgress(int position) override {
        EXPECT_TRUE(progressShown);
        EXPECT_LT(position, progressMaximum);
        lastProgress = position;
    }
    void HideProgress() override { progressShown = false; }
    void PassStarted(int instrument, int, int) override { passes.push_back(instrument); }
    void ProcessEvents() override {
        ++eventRounds;
        if (duringEvents) duringEvents();
        if (stopAfterNotes && static_cast<int>(added.size()) >= *stopAfterNotes) {
            playButtonsEnabled = true;
        }
    }
};

// ---- the oracle ------------------------------------------------------------------

// What the render mixes for each instrument 1..48: the sound, and for user
// samples their settings. Kit pans come from `kitPans`.
struct OracleSounds {
    std::array<const TestSound*, InstrumentList::kCount> sounds{};
    KitPans kitPans{};
    RenderSampleSettings samples;
};

// Adds one note into a stereo 16-bit output, sample by sample, exactly as
// the arithmetic is written, every rounding by std::nearbyint.
inline void PlainMixIn(std::vector<int16_t>& out, const TestSound& source, double frequency, double time,
                       double pan, double volume) {
    const auto start = static_cast<int64_t>(std::nearbyint(176400.0 * time / 4.0));
    const double gain[2] = {pan > 1 ? 0 : pan < 0 ? 1 : 1 - pan, pan < -1 ? 0 : pan > 0 ? 1 : 1 - std::fabs(pan)};
    const double rate = source.rate;
    const int64_t frames = source.Frames();
    const auto n = static_cast<int64_t>(std::nearbyint(44100.0 * (frames / rate) * rate / frequency));
    const double r = static_cast<double>(n) / static_cast<double>(frames);
    for (int64_t k = 0; k < n; ++k) {
        const double x = k / r;
        const auto i0 = static_cast<int64_t>(x);
        const int64_t i1 = std::min(i0 + 1, frames - 1);
        const double w0 = 1 - (x - i0);
        const double w1 = 1 - w0;
        for (int ch = 0; ch < 2; ++ch) {
            const double a0 = source.At(ch, i0);
            const double a1 = source.At(ch, i1);
            const auto at = static_cast<size_t>(2 * (start + k) + ch);
            if (at >= out.size()) out.resize(at + 1, 0);
            const double v = std::nearbyint((a0 * w0 + a1 * w1) * volume * gain[ch]) + out[at];
            out[at] = static_cast<int16_t>(std::clamp(v, -32767.0, 32767.0));
        }
    }
}

// The mixdown of a compiled song, line by line as written: one pass per used
// instrument in ascending order; the Stop button pressed (as the scripted
// user presses it) after `stopAfterNotes` notes ends it.
inline std::vector<int16_t> PlainRender(const std::vector<std::string>& mainPlay, const OracleSounds& oracle,
                                        std::optional<int> stopAfterNotes = std::nullopt) {
    std::array<bool, InstrumentList::kCount> used{};
    for (std::string line : mainPlay) {
        if (line.size() > 10) line[11] = ' ';
        const int index = InstrumentList::IndexOf(line);
        if (index > 0) used[static_cast<size_t>(index)] = true;
    }
    std::vector<int16_t> out;
    int notes = 0;
    bool stopPressed = false;
    for (int i = 1; i <= 48; ++i) {
        if (!used[static_cast<size_t>(i)]) continue;
        double time = 0;
        double step = 0;
        int channel = -1;
        for (size_t j = 0; j < mainPlay.size(); ++j) {
            if (stopPressed) return out;
            std::string line = mainPlay[j];
            int level = 0;
            if (i <= 16 && line.size() > 10) {
                level = line[11] == ' ' ? 1 : line[11] - '0';
                line[11] = ' ';
            }
            if (line == "//") {
                ++j;
                step = 2 * std::stoi(mainPlay[j]) / 1000.0;
            } else {
                ++channel;
            }
            const int index = InstrumentList::IndexOf(line);
            if (channel == 6) {
                channel = 0;
                time = time + step;
            }
            if (stopAfterNotes && notes >= *stopAfterNotes) stopPressed = true;
            if (index == i) {
                const TestSound& sound = *oracle.sounds[static_cast<size_t>(i)];
                if (i <= 16) {
                    PlainMixIn(out, sound, sound.rate, time, oracle.kitPans[static_cast<size_t>(i)] / 2000.0,
                               (4000 - 500 * level) / 4000.0);
                } else {
                    const RenderSampleSetting& sample = oracle.samples[static_cast<size_t>(i - 17)];
                    PlainMixIn(out, sound, sample.frequency, time, sample.pan / 2000.0,
                               (sample.volume + 4000) / 4000.0);
                }
                ++notes;
            }
            if (mainPlay[j] == "%%%") break;
        }
    }
    return out;
}

}  // namespace stepweave::render_testing
