// Live runs recorded from WAV files through the file: input: a recording
// finds the same notes as the offline analysis of the same file.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "tests/voxnote/analysis/detector/analysis_test_support.h"
#include "tests/voxnote/analysis/capture/capture_live_run.h"
#include "voxnote/analysis/input/audio_input_factory.h"
#include "voxnote/analysis/input/capture_wav_file.h"
#include "voxnote/analysis/input/file_audio_input.h"

namespace voxnote {
namespace {

using capture_testing::kBlockSamples;
using capture_testing::LiveRun;

struct Note {
    int note;
    int velocity;
    uint32_t timeMs;
};

std::vector<Note> NotesOf(const std::vector<NoteEvent>& events, uint32_t startMs) {
    std::vector<Note> notes;
    for (const NoteEvent& event : events) notes.push_back({event.Note(), event.Velocity(), event.timeMs - startMs});
    return notes;
}

// The whole file mixed to mono, followed by four blocks of silence, converted
// at once and analysed in blocks.
std::vector<Note> OfflineNotes(const CaptureWavSound& sound) {
    const size_t frames = sound.samples.size() / sound.channels;
    std::vector<float> mono(frames + 4 * kBlockSamples * sound.sampleRate / kCaptureSampleRate, 0.0f);
    for (size_t frame = 0; frame < frames; ++frame) {
        float sum = 0;
        for (int channel = 0; channel < sound.channels; ++channel) sum += sound.samples[frame * sound.channels + channel];
        mono[frame] = sum / (32768.0f * sound.channels);
    }
    std::vector<int16_t> signal(mono.size());
    if (sound.sampleRate == kCaptureSampleRate) {
        std::transform(mono.begin(), mono.end(), signal.begin(), FloatToSample16);
    } else {
        auto resampler = PolyphaseResampler::Create(sound.sampleRate, kCaptureSampleRate);
        signal.resize(resampler->MaxOutput(mono.size()));
        signal.resize(resampler->Process(mono.data(), mono.size(), signal.data()));
    }
    return NotesOf(testing::Analyse(signal, static_cast<int>(kBlockSamples)).events, 0);
}

// Records until the file has played and four blocks of silence have been
// analysed after it, then stops.
std::vector<Note> LiveNotes(LiveRun& run, FileAudioInput& device) {
    run.session->StartStop(true);
    std::optional<uint64_t> processedWhenFinished;
    while (!processedWhenFinished || run.session->BytesProcessed() < *processedWhenFinished + 4 * kCaptureBlockBytes) {
        if (!processedWhenFinished && device.Finished()) processedWhenFinished = run.session->BytesProcessed();
        run.Idle();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    run.session->StartStop(true);
    return NotesOf(run.sink.events, run.session->StartTime());
}

void ExpectSameNotes(const std::vector<Note>& live, const std::vector<Note>& offline) {
    ASSERT_EQ(live.size(), offline.size());
    for (size_t i = 0; i < live.size(); ++i) {
        EXPECT_EQ(live[i].note, offline[i].note) << "event " << i;
        EXPECT_EQ(live[i].velocity, offline[i].velocity) << "event " << i;
    }
}

// C major arpeggio with four harmonics, 48 kHz stereo, played four times
// faster than real time (a block every 93 ms: time enough to analyse it even
// in a sanitizer build).
TEST(CaptureFileRun, ARecordingFindsTheNotesOfTheOfflineAnalysis) {
    std::vector<int16_t> stereo(2 * 24000, 0);
    for (int note : {60, 64, 67, 72, 69}) {
        const double hertz = 440.0 * std::pow(2.0, (note - 69) / 12.0);
        for (int n = 0; n < 24000; ++n) {
            double value = 0;
            for (int harmonic = 1; harmonic <= 4; ++harmonic) {
                value += std::sin(capture_testing::kTwoPi * hertz * harmonic * n / 48000.0) / harmonic;
            }
            const auto sample = static_cast<int16_t>(std::lround(5000 * value));
            stereo.push_back(sample);
            stereo.push_back(sample);
        }
        stereo.resize(stereo.size() + 2 * 7200, 0);
    }
    const std::string image = capture_testing::WavImage(48000, 2, stereo);
    const auto path = capture_testing::WriteTempFile("arpeggio.wav", image);
    FileAudioInput device(path.string(), 4.0);
    LiveRun run(&device);

    const std::vector<Note> offline = OfflineNotes(*ReadCaptureWavFile(path.string()));
    ASSERT_EQ(offline.size(), 10u);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(offline[2 * i].note, std::vector<int>({60, 64, 67, 72, 69})[i]);
        EXPECT_EQ(offline[2 * i + 1].velocity, 0);
    }
    ExpectSameNotes(LiveNotes(run, device), offline);
    EXPECT_TRUE(run.prompt.messages.empty());
    EXPECT_TRUE(run.prompt.questions.empty());
}

// A driver for checking by hand: with VOXNOTE_AUDIO_IN=file:PATH it records
// that file in real time on the system clock, prints the notes of the live
// run and of the offline analysis side by side, and compares them.
TEST(CaptureFileRun, RecordingNamedByTheEnvironmentMatchesItsOfflineAnalysis) {
    const char* choice = std::getenv("VOXNOTE_AUDIO_IN");
    if (choice == nullptr || std::string_view(choice).substr(0, 5) != "file:") {
        GTEST_SKIP() << "set VOXNOTE_AUDIO_IN=file:PATH to record PATH";
    }
    const std::unique_ptr<AudioInput> input = CreateAudioInputFromEnvironment();
    auto* device = dynamic_cast<FileAudioInput*>(input.get());
    ASSERT_TRUE(device != nullptr && device->IsReadable());
    LiveRun run(device, &SystemClock());
    const std::vector<Note> live = LiveNotes(run, *device);
    const std::vector<Note> offline = OfflineNotes(*ReadCaptureWavFile(std::string(choice + 5)));
    std::printf("%-22s %s\n", "live (note vel ms)", "offline (note vel ms)");
    for (size_t i = 0; i < std::max(live.size(), offline.size()); ++i) {
        auto text = [](const std::vector<Note>& notes, size_t i) {
            char buffer[32] = "";
            if (i < notes.size()) std::snprintf(buffer, sizeof buffer, "%3d %3d %7u", notes[i].note, notes[i].velocity, notes[i].timeMs);
            return std::string(buffer);
        };
        std::printf("%-22s %s\n", text(live, i).c_str(), text(offline, i).c_str());
    }
    for (const std::string& message : run.prompt.messages) std::printf("message: %s\n", message.c_str());
    EXPECT_TRUE(run.prompt.questions.empty());
    ExpectSameNotes(live, offline);
}

}  // namespace
}  // namespace voxnote
