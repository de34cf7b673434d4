// Converts recordings of a known tune and scores the notes found against
// the tune: one recording played by a General MIDI synthesizer from the
// soundfont the project installs, one of a synthesized singing voice with
// vibrato, and a bass line two octaves down; with either detector.
#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <iostream>
#include <memory>

#include "tests/voxnote/app/test_support.h"
#include "voxnote/analysis/detector/detector.h"
#include "voxnote/app/settings/current_detector_settings.h"
#include "voxnote/app/conversion/wav_conversion.h"

namespace voxnote {
namespace {

struct TuneNote {
    int note;
    uint32_t startMs;
    uint32_t endMs;
};

// The first two lines of a well-known nursery tune in C major (C4 = 60),
// a quarter note every 500 ms, each note released 100 ms before the next.
std::vector<TuneNote> NurseryTune() {
    const int pitches[] = {60, 60, 67, 67, 69, 69, 67, 65, 65, 64, 64, 62, 62, 60,
                           67, 67, 65, 65, 64, 64, 62, 67, 67, 65, 65, 64, 64, 62};
    const int beats[] = {1, 1, 1, 1, 1, 1, 2, 1, 1, 1, 1, 1, 1, 2, 1, 1, 1, 1, 1, 1, 2, 1, 1, 1, 1, 1, 1, 2};
    std::vector<TuneNote> tune;
    uint32_t time = 500;
    for (size_t i = 0; i < std::size(pitches); ++i) {
        uint32_t length = 500u * static_cast<uint32_t>(beats[i]);
        tune.push_back({pitches[i], time, time + length - 100});
        time += length;
    }
    return tune;
}

uint32_t TuneEndMs(const std::vector<TuneNote>& tune) {
    return tune.back().endMs + 1000;
}

// Interleaved stereo at 44100 Hz from the synthesizer at its output gain
// (0.2 is the synthesizer's own), or nothing when the soundfont is not
// installed.
std::optional<std::vector<int16_t>> RenderWithSynthesizer(const std::vector<TuneNote>& tune, int program,
                                                          double gain = 0.2) {
    const char* soundfont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    if (!std::filesystem::exists(soundfont)) {
        return std::nullopt;
    }
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
        fluid_set_log_function(level, nullptr, nullptr);
    }
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", 44100.0);
    fluid_settings_setint(settings, "synth.reverb.active", 0);
    fluid_settings_setint(settings, "synth.chorus.active", 0);
    fluid_settings_setnum(settings, "synth.gain", gain);
    fluid_synth_t* synth = new_fluid_synth(settings);
    std::optional<std::vector<int16_t>> rendered;
    if (fluid_synth_sfload(synth, soundfont, 1) != FLUID_FAILED) {
        fluid_synth_program_change(synth, 0, program);
        std::vector<int16_t> samples;
        const uint32_t totalFrames = TuneEndMs(tune) * 441 / 10;
        uint32_t frame = 0;
        auto renderUntil = [&](uint32_t ms) {
            uint32_t until = ms * 441 / 10;
            size_t start = samples.size();
            samples.resize(start + 2 * (until - frame));
            fluid_synth_write_s16(synth, static_cast<int>(until - frame), samples.data() + start, 0, 2,
                                  samples.data() + start, 1, 2);
            frame = until;
        };
        for (const TuneNote& note : tune) {
            renderUntil(note.startMs);
            fluid_synth_noteon(synth, 0, note.note, 100);
            renderUntil(note.endMs);
            fluid_synth_noteoff(synth, 0, note.note);
        }
        renderUntil(totalFrames * 10 / 441);
        rendered = std::move(samples);
    }
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return rendered;
}

// A sung "ah" at 11025 Hz: harmonics shaped by three vowel formants, a
// 5.5 Hz vibrato of a third of a semitone that sets in gently, soft attacks
// and releases, and a little breath noise.
std::vector<int16_t> SingWithVibrato(const std::vector<TuneNote>& tune) {
    const double rate = 11025.0;
    std::vector<double> voice(static_cast<size_t>(TuneEndMs(tune) * rate / 1000), 0.0);
    std::mt19937 random(5);
    std::normal_distribution<double> breath(0.0, 1.0);
    for (const TuneNote& note : tune) {
        const double frequency = 440.0 * std::pow(2.0, (note.note - 69) / 12.0);
        const size_t start = static_cast<size_t>(note.startMs * rate / 1000);
        const size_t end = static_cast<size_t>(note.endMs * rate / 1000);
        double phase = 0.0;
        for (size_t i = start; i < end && i < voice.size(); ++i) {
            const double t = (i - start) / rate;
            const double left = (end - i) / rate;
            const double depth = std::min(1.0, t / 0.3) * (1.0 / 3.0);
            const double vibrato = std::pow(2.0, depth * std::sin(2 * M_PI * 5.5 * t) / 12.0);
            phase += 2 * M_PI * frequency * vibrato / rate;
            const double envelope = std::min({1.0, t / 0.06, left / 0.08});
            double sample = 0.0;
            for (int h = 1; h * frequency < 4500.0; ++h) {
                const double f = h * frequency;
                const double formants = 1.0 / (1.0 + std::pow((f - 700.0) / 130.0, 2)) +
                                        0.5 / (1.0 + std::pow((f - 1220.0) / 140.0, 2)) +
                                        0.2 / (1.0 + std::pow((f - 2600.0) / 200.0, 2)) + 0.02;
                sample += formants * std::sin(h * phase) / h;
            }
            voice[i] += envelope * (sample + 0.01 * breath(random));
        }
    }
    double peak = 1e-9;
    for (double v : voice) {
        peak = std::max(peak, std::abs(v));
    }
    std::vector<int16_t> samples(voice.size());
    for (size_t i = 0; i < voice.size(); ++i) {
        samples[i] = static_cast<int16_t>(std::lround(voice[i] / peak * 12000.0));
    }
    return samples;
}

struct DetectedNote {
    int note;
    uint32_t startMs;
    uint32_t endMs;
};

std::vector<DetectedNote> NotesOf(const MidiStreamBuffer& stream) {
    std::vector<DetectedNote> notes;
    for (const TimedNoteEvent& event : NoteEventsOf(stream)) {
        if (event.velocity > 0) {
            notes.push_back({event.note, event.timeMs, event.timeMs});
        } else if (!notes.empty()) {
            notes.back().endMs = event.timeMs;
        }
    }
    return notes;
}

struct Score {
    int found = 0;   // tune notes detected with their pitch
    int wrong = 0;   // detected notes that are no tune note (other pitch, split, extra)
    int missed = 0;  // tune notes not detected
};

// Each detected note is laid against the tune note it overlaps most; it
// counts as found when it has that note's pitch and is the first to do so.
Score ScoreAgainst(const std::vector<TuneNote>& tune, const std::vector<DetectedNote>& detected) {
    std::vector<bool> taken(tune.size(), false);
    Score score;
    for (const DetectedNote& note : detected) {
        int best = -1;
        int64_t bestOverlap = 0;
        for (size_t i = 0; i < tune.size(); ++i) {
            int64_t overlap = std::min<int64_t>(note.endMs, tune[i].endMs) -
                              std::max<int64_t>(note.startMs, tune[i].startMs);
            if (overlap > bestOverlap) {
                bestOverlap = overlap;
                best = static_cast<int>(i);
            }
        }
        if (best >= 0 && tune[best].note == note.note && !taken[best]) {
            taken[best] = true;
            ++score.found;
        } else {
            ++score.wrong;
        }
    }
    for (bool found : taken) {
        score.missed += !found;
    }
    return score;
}

Score ConvertAndScore(const std::vector<uint8_t>& wavImage, const std::vector<TuneNote>& tune, const char* what,
                      DetectorChoice detector = DetectorChoice::Classic) {
    MemoryByteSource source(wavImage);
    auto state = std::make_unique<DetectorState>();
    test::RecordingReporter reporter;
    CurrentDetectorSettings settings;
    ConversionResult result = ConvertWavToMidi(source, detector, *state, settings.Header(), 0, reporter);
    EXPECT_TRUE(reporter.texts.empty()) << ::testing::PrintToString(reporter.texts);
    EXPECT_TRUE(result.stream.has_value());
    Score score = result.stream ? ScoreAgainst(tune, NotesOf(*result.stream)) : Score{0, 0, int(tune.size())};
    std::cout << what << " (" << CommandLineName(detector) << "): " << tune.size() << " notes in the tune, " << score.found << " found, " << score.wrong
              << " wrong, " << score.missed << " missed\n";
    return score;
}

TEST(MelodyConversion, ASynthesizedFluteTune) {
    const std::vector<TuneNote> tune = NurseryTune();
    std::optional<std::vector<int16_t>> flute = RenderWithSynthesizer(tune, 73);
    if (!flute) {
        GTEST_SKIP() << "the General MIDI soundfont is not installed";
    }
    Score score = ConvertAndScore(test::WavImage(*flute, 2, 44100), tune, "flute, 44100 Hz stereo");
    EXPECT_GE(score.found, static_cast<int>(tune.size()) - 1);
    EXPECT_LE(score.wrong, 1);
}

TEST(MelodyConversion, ASungTuneWithVibrato) {
    const std::vector<TuneNote> tune = NurseryTune();
    Score score = ConvertAndScore(test::WavImage(SingWithVibrato(tune)), tune, "sung with vibrato, 11025 Hz mono");
    EXPECT_GE(score.found, static_cast<int>(tune.size()) - 1);
    EXPECT_LE(score.wrong, 1);
}

TEST(MelodyConversion, TheSungTuneThroughThePreciseDetector) {
    const std::vector<TuneNote> tune = NurseryTune();
    Score sung = ConvertAndScore(test::WavImage(SingWithVibrato(tune)), tune, "sung with vibrato, 11025 Hz mono",
                                 DetectorChoice::Precise);
    EXPECT_GE(sung.found, static_cast<int>(tune.size()) - 1);
    EXPECT_LE(sung.wrong, 1);
}

// The tune two octaves down (C2 = 36 .. A2 = 45, 65 to 110 Hz) on a
// synthesizer's electric bass, played loud enough for the input volume's
// threshold: the precise detector hears it cleanly; the classic one, which
// has no pitch so low of its own and goes by the harmonics, adds wrong notes.
TEST(MelodyConversion, ABassLineTwoOctavesDown) {
    std::vector<TuneNote> bass = NurseryTune();
    for (TuneNote& note : bass) {
        note.note -= 24;
    }
    std::optional<std::vector<int16_t>> played = RenderWithSynthesizer(bass, 33, 0.6);
    if (!played) {
        GTEST_SKIP() << "the General MIDI soundfont is not installed";
    }
    const std::vector<uint8_t> wav = test::WavImage(*played, 2, 44100);
    Score precise = ConvertAndScore(wav, bass, "electric bass, two octaves down", DetectorChoice::Precise);
    EXPECT_GE(precise.found, static_cast<int>(bass.size()) - 2);
    EXPECT_LE(precise.wrong, 2);
    Score classic = ConvertAndScore(wav, bass, "electric bass, two octaves down", DetectorChoice::Classic);
    EXPECT_GT(classic.wrong, precise.wrong);
}

}  // namespace
}  // namespace voxnote
