#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>
#include <vector>

#include "voxnote/app/audio/audio_timeline.h"
#include "voxnote/app/mididevices/builtin_synth_device.h"
#include "voxnote/app/mididevices/soundfont_locator.h"
#include "voxnote/app/mididevices/synth_renderer.h"

namespace voxnote {
namespace {

constexpr double kRate = 22050;

// Renders `seconds` of sound in buffers of 256 frames, the first beginning
// at `startUs`, and returns the left channel.
std::vector<float> RenderLeft(SynthRenderer& synth, double seconds, int64_t startUs = 0) {
    const unsigned frames = static_cast<unsigned>(seconds * kRate);
    std::vector<float> interleaved(2 * frames);
    for (unsigned done = 0; done < frames; done += 256) {
        const int64_t bufferStart = startUs + std::llround(done * 1e6 / kRate);
        synth.Render(interleaved.data() + 2 * done, std::min(256u, frames - done), bufferStart);
    }
    std::vector<float> left(frames);
    for (unsigned i = 0; i < frames; ++i) {
        left[i] = interleaved[2 * i];
    }
    return left;
}

double Rms(const std::vector<float>& samples, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; ++i) {
        sum += double{samples[i]} * samples[i];
    }
    return std::sqrt(sum / static_cast<double>(to - from));
}

// The fundamental between 200 and 1000 Hz, from the strongest autocorrelation.
double Pitch(const std::vector<float>& samples, size_t from, size_t length) {
    size_t bestLag = 0;
    double best = 0;
    for (size_t lag = static_cast<size_t>(kRate / 1000); lag <= static_cast<size_t>(kRate / 200); ++lag) {
        double sum = 0;
        for (size_t i = from; i < from + length; ++i) {
            sum += double{samples[i]} * samples[i + lag];
        }
        if (sum > best) {
            best = sum;
            bestLag = lag;
        }
    }
    // Parabolic refinement around the peak lag.
    auto at = [&](size_t lag) {
        double sum = 0;
        for (size_t i = from; i < from + length; ++i) {
            sum += double{samples[i]} * samples[i + lag];
        }
        return sum;
    };
    const double left = at(bestLag - 1), centre = at(bestLag), right = at(bestLag + 1);
    const double shift = 0.5 * (left - right) / (left - 2 * centre + right);
    return kRate / (static_cast<double>(bestLag) + shift);
}

class SynthRendererTest : public testing::Test {
protected:
    void SetUp() override {
        const std::optional<std::filesystem::path> soundfont = FindGeneralMidiSoundfont();
        ASSERT_TRUE(soundfont) << "the build installs timgm6mb-soundfont";
        std::string failure;
        synth = SynthRenderer::Create(*soundfont, kRate, failure);
        ASSERT_TRUE(synth) << failure;
    }
    std::unique_ptr<SynthRenderer> synth;
};

TEST_F(SynthRendererTest, ANoteSoundsAtItsPitchAndDiesAwayAfterItsNoteOff) {
    const std::vector<float> before = RenderLeft(*synth, 0.1);
    EXPECT_LT(Rms(before, 0, before.size()), 1e-6) << "silent until a note plays";

    ASSERT_TRUE(synth->Post(0x0000C0));  // acoustic grand piano
    ASSERT_TRUE(synth->Post(0x644590));  // A4, velocity 100
    const std::vector<float> note = RenderLeft(*synth, 0.6);
    const double level = Rms(note, 2205, note.size());
    EXPECT_GT(level, 0.01) << "clearly audible";
    EXPECT_NEAR(Pitch(note, 4410, 4096), 440.0, 4.0);
    EXPECT_GT(synth->ActiveVoices(), 0);

    ASSERT_TRUE(synth->Post(0x004590));  // note-off as a note-on with velocity 0
    const std::vector<float> after = RenderLeft(*synth, 3.0);
    EXPECT_LT(Rms(after, after.size() - 5512, after.size()), level / 100);
    EXPECT_EQ(synth->ActiveVoices(), 0);
}

TEST_F(SynthRendererTest, PitchBendAndOtherChannelsReachTheSynthesizer) {
    ASSERT_TRUE(synth->Post(0x49C1));    // channel 2: flute (program 73)
    ASSERT_TRUE(synth->Post(0x7F7FE1));  // channel 2: bend fully up, two semitones
    ASSERT_TRUE(synth->Post(0x704591));  // channel 2: A4
    const std::vector<float> note = RenderLeft(*synth, 0.6);
    EXPECT_GT(Rms(note, 2205, note.size()), 0.005);
    EXPECT_NEAR(Pitch(note, 4410, 4096), 440.0 * std::pow(2.0, 2.0 / 12 * 8191 / 8192), 5.0);
}

size_t FirstSoundingFrame(const std::vector<float>& samples) {
    size_t frame = 0;
    while (frame < samples.size() && std::fabs(samples[frame]) < 1e-4) {
        ++frame;
    }
    return frame;
}

TEST_F(SynthRendererTest, MessagesStartAtTheirOwnFrameInsideABuffer) {
    // The same note at the first frame, for the attack of its sample.
    std::string failure;
    std::unique_ptr<SynthRenderer> reference = SynthRenderer::Create(*FindGeneralMidiSoundfont(), kRate, failure);
    ASSERT_TRUE(reference->Post(0x7F4590));
    const size_t attack = FirstSoundingFrame(RenderLeft(*reference, 0.1));

    // Due 100.3 ms after the start: frame 2211.6, inside the 9th buffer of 256.
    ASSERT_TRUE(synth->Post(0x7F4590, 1'000'000 + 100'300));
    const size_t onset = FirstSoundingFrame(RenderLeft(*synth, 0.3, 1'000'000)) - attack;
    // The synthesizer works in blocks of 64 frames: the note starts with the
    // block after its frame, not with the buffer.
    EXPECT_GE(onset, 2212u);
    EXPECT_LE(onset, 2212u + 64);

    ASSERT_TRUE(synth->Post(0x004590, 0));  // long overdue: at the first frame
    ASSERT_TRUE(synth->Post(0x7F4890, 6'000'000));
    RenderLeft(*synth, 3.0, 2'000'000);
    EXPECT_EQ(synth->ActiveVoices(), 0);
    EXPECT_TRUE(synth->HasPending()) << "not due yet";
}

TEST(AudioTimeline, BuffersFollowOneAnotherAndNeverCoverTheFuture) {
    AudioTimeline timeline(48000);  // 480 frames: 10 ms
    EXPECT_EQ(timeline.NextBuffer(1'000'000, 480), 1'000'000);
    // Callbacks in a burst: each buffer starts no later than its callback allows.
    EXPECT_EQ(timeline.NextBuffer(1'001'000, 480), 1'001'000);
    EXPECT_EQ(timeline.NextBuffer(1'002'000, 480), 1'002'000);
    // Paced callbacks that come a little late keep the sequence, moved only
    // a 1024th of the way: 1'012'000 + 2000 / 1024.
    EXPECT_EQ(timeline.NextBuffer(1'014'000, 480), 1'012'002);
    EXPECT_EQ(timeline.NextBuffer(1'024'000, 480), 1'022'004);
    // A stall of half a second starts the sequence again from the clock.
    EXPECT_EQ(timeline.NextBuffer(1'500'000, 480), 1'500'000);
    timeline.Restart();
    EXPECT_EQ(timeline.NextBuffer(7'000'000, 480), 7'000'000);
}

TEST(BuiltinSynthDevice, OpensPlaysAndClosesOnTheChosenAudioOutput) {
    const auto soundfont = FindGeneralMidiSoundfont();
    if (!soundfont) {
        GTEST_SKIP() << "no General MIDI soundfont installed";
    }
    setenv("VOXNOTE_AUDIO_OUT", "null", 1);  // sound goes nowhere, in real time
    BuiltinSynthDevice synth(*soundfont);
    ASSERT_TRUE(synth.Open()) << synth.OpenFailure();
    EXPECT_FALSE(synth.Open()) << "one user at a time";
    EXPECT_TRUE(synth.SendShortMessage(0x7F3C90));  // note-on C5
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(synth.SendShortMessage(0x003C90));
    synth.Close();
    EXPECT_FALSE(synth.SendShortMessage(0x7F3C90)) << "nothing is sent once closed";
    ASSERT_TRUE(synth.Open()) << "the kept output serves the next open: " << synth.OpenFailure();
    synth.Close();
}

}  // namespace
}  // namespace voxnote
