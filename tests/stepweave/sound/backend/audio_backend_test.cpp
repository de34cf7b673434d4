#include "tests/support/scratch_folder.h"
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <filesystem>

#include "tests/stepweave/sound/output/manual_sound_output.h"
#include "tests/stepweave/sound/mixer/sound_measure.h"
#include "stepweave/sound/backend/audio_backend_choice.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/voices/sound_device.h"
#include "stepweave/sound/voices/voice.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/output/audio_output.h"
#include "stepweave/sound/timing/millisecond_clock.h"
#include "stepweave/sound/wav/recording_wave_writer.h"

namespace fs = std::filesystem;
using namespace stepweave;
using namespace stepweave::testing;

namespace {

uint32_t Uint32At(const std::vector<uint8_t>& bytes, size_t at) {
    uint32_t value;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

std::string FileText(const fs::path& path) {
    const std::vector<uint8_t> bytes = ReadWholeFile(path.string());
    return {bytes.begin(), bytes.end()};
}

uint16_t Uint16At(const std::vector<uint8_t>& bytes, size_t at) {
    uint16_t value;
    std::memcpy(&value, bytes.data() + at, 2);
    return value;
}

}  // namespace

TEST(AudioBackendChoice, ReadsTheEnvironmentValue) {
    EXPECT_EQ(ParseAudioBackendChoice(nullptr).kind, AudioBackendChoice::Kind::RtAudio);
    EXPECT_EQ(ParseAudioBackendChoice("").kind, AudioBackendChoice::Kind::RtAudio);
    EXPECT_EQ(ParseAudioBackendChoice("rtaudio").kind, AudioBackendChoice::Kind::RtAudio);
    EXPECT_EQ(ParseAudioBackendChoice("null").kind, AudioBackendChoice::Kind::Null);
    const AudioBackendChoice file = ParseAudioBackendChoice("file:/tmp/take 1.wav");
    EXPECT_EQ(file.kind, AudioBackendChoice::Kind::File);
    EXPECT_EQ(file.path, "/tmp/take 1.wav");
    EXPECT_EQ(ParseAudioBackendChoice("file:").kind, AudioBackendChoice::Kind::Unknown);
    EXPECT_EQ(ParseAudioBackendChoice("alsa").kind, AudioBackendChoice::Kind::Unknown);
}

TEST(RecordingWaveWriter, RoundsAndClipsToSixteenBits) {
    EXPECT_EQ(FloatToSample16(0.5f), 16384);
    EXPECT_EQ(FloatToSample16(-1.0f), -32768);
    EXPECT_EQ(FloatToSample16(1.0f), 32767);
    EXPECT_EQ(FloatToSample16(3.0f), 32767);
    EXPECT_EQ(FloatToSample16(-3.0f), -32768);
    EXPECT_EQ(FloatToSample16(1000.4f / 32768.0f), 1000);
}

TEST(FileRecordingBackend, RecordsWhatIsPlayedInRealTimeAndPutsTheFileInPlaceOnClose) {
    const fs::path folder = ScratchFolder("stepweave_file_backend_test");
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path target = folder / "take.wav";

    const std::vector<int16_t> tone = Sine16(4410, 1.0 / 100, 0.5);
    {
        SoundDevice sound;
        sound.Open(OpenAudioOutput(AudioBackendNamed("file:" + target.string())));
        Voice buffer(sound);
        buffer.LoadFromMemory(PcmFormat(44100, 16, 1), reinterpret_cast<const uint8_t*>(tone.data()),
                              static_cast<uint32_t>(tone.size() * 2));
        buffer.SetPan(-10000);
        buffer.Play();
        while (buffer.Playing()) {
            SystemClock().SleepUntil(SystemClock().Now() + 10);
        }
        EXPECT_FALSE(fs::exists(target));
    }
    ASSERT_TRUE(fs::exists(target));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1);

    const std::vector<uint8_t> file = ReadWholeFile(target.string());
    ASSERT_GE(file.size(), 44u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
    EXPECT_EQ(Uint32At(file, 4), file.size() - 8);
    EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(Uint16At(file, 20), 1);       // PCM
    EXPECT_EQ(Uint16At(file, 22), 2);       // stereo
    EXPECT_EQ(Uint32At(file, 24), 44100u);  // rate
    EXPECT_EQ(Uint16At(file, 34), 16);      // bits
    EXPECT_EQ(Uint32At(file, 40), file.size() - 44);  // the data, whole frames, and no pad byte after them

    // The tone comes out whole, sample for sample, on the left only.
    std::vector<int16_t> samples(Uint32At(file, 40) / 2);
    std::memcpy(samples.data(), file.data() + 44, samples.size() * 2);
    size_t start = 0;
    while (start + 1 < samples.size() / 2 && samples[2 * (start + 1)] == 0) {
        ++start;
    }
    ASSERT_LT(start + tone.size(), samples.size() / 2);
    for (size_t i = 0; i < tone.size(); ++i) {
        ASSERT_EQ(samples[2 * (start + i)], tone[i]) << i;
        ASSERT_EQ(samples[2 * (start + i) + 1], 0) << i;
    }
    for (size_t frame = start + tone.size(); frame < samples.size() / 2; ++frame) {
        ASSERT_EQ(samples[2 * frame], 0) << frame;
    }
}

TEST(FileRecordingBackend, AFolderThatDoesNotExistMeansNoDevice) {
    EXPECT_THROW(OpenAudioOutput(AudioBackendNamed("file:/nonexistent-folder/take.wav")), SoundOutputError);
}

namespace {

// Plays a tenth of a second of a tone through a recording into `target`
// and closes the output; returns what closing it raised ("" for none).
std::string RecordATenthAndClose(const fs::path& target) {
    std::shared_ptr<AudioOutput> output = OpenAudioOutput(AudioBackendNamed("file:" + target.string()));
    {
        SoundDevice sound;
        sound.Open(output);
        Voice buffer(sound);
        const std::vector<int16_t> tone = Sine16(4410, 1.0 / 100, 0.5);
        buffer.LoadFromMemory(PcmFormat(44100, 16, 1), reinterpret_cast<const uint8_t*>(tone.data()),
                              static_cast<uint32_t>(tone.size() * 2));
        buffer.Play();
        while (buffer.Playing()) {
            SystemClock().SleepUntil(SystemClock().Now() + 10);
        }
    }
    try {
        output->Close();
        return "";
    } catch (const StepweaveError& error) {
        return CommandLineMessage(error);
    }
}

// Files may grow to `bytes` in this process, as on a disk that is that full;
// a write beyond fails instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit old_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

}  // namespace

TEST(FileRecordingBackend, ARecordingThatCannotBeWrittenIsReportedAndTheOldFileStays) {
    const fs::path folder = ScratchFolder("stepweave_file_backend_full");
    const fs::path target = folder / "take.wav";
    WriteFileSafely(target.string(), std::string("the old take"));
    {
        const FileSizeLimit fullDisk(8192);  // room for the header and a few blocks, not a tenth of a second
        EXPECT_EQ(RecordATenthAndClose(target), "take.wav: Stream write error");
    }
    EXPECT_EQ(FileText(target), "the old take");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1) << "no temporary left";
}

TEST(FileRecordingBackend, AWholeRecordingClosesWithoutComplaint) {
    const fs::path target = ScratchFolder("stepweave_file_backend_whole") / "take.wav";
    EXPECT_EQ(RecordATenthAndClose(target), "");
    EXPECT_TRUE(fs::exists(target));
}

TEST(FileRecordingBackend, KeepsEveryPlayIntactWhileTheMainThreadRestartsAndRewritesBuffers) {
    // The device's own thread mixes while the main thread plays copies,
    // restarts a looping ring (rewriting all of it) and releases buffers.
    const fs::path target = ScratchFolder("stepweave_file_backend_busy") / "busy.wav";
    {
        SoundDevice sound;
        sound.Open(OpenAudioOutput(AudioBackendNamed("file:" + target.string())));
        const std::vector<int16_t> hit(441, 1000);
        Voice master(sound);
        master.LoadFromMemory(PcmFormat(44100, 16, 1), reinterpret_cast<const uint8_t*>(hit.data()), 882);
        Voice ring(sound);
        const std::vector<int16_t> quiet(4410, 100);
        const std::vector<int16_t> louder(4410, 200);
        ring.LoadFromMemory(PcmFormat(44100, 16, 1), reinterpret_cast<const uint8_t*>(quiet.data()), 8820);
        ring.Play(true);
        MillisecondClock& clock = SystemClock();
        std::vector<std::unique_ptr<Voice>> copies;
        for (int round = 0; round < 40; ++round) {
            if (round % 10 == 0) {
                copies.clear();  // released while some still wait to sound or play
            }
            for (int i = 0; i < 8; ++i) {
                copies.push_back(std::make_unique<Voice>(sound));
                ASSERT_TRUE(copies.back()->Duplicate(master));
                copies.back()->SetPan(-1000 * i);
                copies.back()->Play();
            }
            ring.Stop();
            const std::vector<int16_t>& level = round % 2 ? louder : quiet;
            ASSERT_EQ(ring.Write(0, ring.Size(),
                                 [&](uint8_t* bytes, uint32_t count) { std::memcpy(bytes, level.data(), count); }),
                      SoundResult::Ok);
            ring.SetPosition(0);
            ring.Play(true);
            clock.SleepUntil(clock.Now() + 5);
        }
        ring.Stop();
        clock.SleepUntil(clock.Now() + 100);
    }
    const std::vector<uint8_t> file = ReadWholeFile(target.string());
    std::vector<int16_t> samples(Uint32At(file, 40) / 2);
    std::memcpy(samples.data(), file.data() + 44, samples.size() * 2);
    // Every left sample is a sum of whole sounds at full level: the ring's
    // 100 or 200 and hits of 1000 (eight per round, rounds overlapping).
    int hitsHeard = 0;
    for (size_t frame = 0; frame < samples.size() / 2; ++frame) {
        const int left = samples[2 * frame];
        ASSERT_TRUE(left % 100 == 0 && left >= 0 && left <= 200 + 8 * 4 * 1000) << frame << ": " << left;
        hitsHeard = std::max(hitsHeard, left / 1000);
    }
    EXPECT_GE(hitsHeard, 8);
}
