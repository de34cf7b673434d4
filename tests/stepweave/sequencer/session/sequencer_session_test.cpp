// The session the main window and the headless commands drive: with sound
// devices for playing, without any for a render.
#include "stepweave/sequencer/session/sequencer_session.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/stepweave/sequencer/model/sequencer_test_support.h"
#include "tests/stepweave/sequencer/playback/sound_test_support.h"
#include "stepweave/data/default_kit.h"
#include "stepweave/sequencer/commands/song_commands.h"
#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

constexpr int kSnare = 3;

// Counts the sound outputs opened from it; they play into a clock the test
// moves by hand.
struct CountedSoundOutput {
    AudioBackendSource Source() {
        return [this](std::string&) {
            ++opened;
            return std::make_unique<ManualAudioBackend>(clock, kTestLatency);
        };
    }

    ManualAudioClock clock;
    int opened = 0;
};

// A seeded start folder and a song whose first sample is "low.wav" at
// 22050 Hz, panned left.
class SessionFolder : public ::testing::Test {
protected:
    SessionFolder() { WriteSeedFiles(folder.string()); }

    std::string WriteSong(const std::string& sample) {
        std::vector<std::string> lines{"Verse"};
        for (int k = 1; k <= 8; ++k) {
            lines.insert(lines.end(), {"<*sam" + std::to_string(k), k == 1 ? sample : "Blank.wav",
                                       k == 1 ? "22050" : "44100", "//", k == 1 ? "-1500" : "0"});
        }
        WriteText(folder / "tune.sng", CrLfText(lines));
        return (folder / "tune.sng").string();
    }

    void WritePans(int snarePan) {
        std::vector<std::string> pans(17, "0");
        pans[kSnare] = std::to_string(snarePan);
        WriteText(folder / "Panning.dat", CrLfText(pans));
    }

    static int SnarePan(SequencerSession& session) {
        WaveCollection& kit = session.DrumKit().Items();
        return kit.Items(kit.IndexOf(InstrumentList::Label(kSnare))).Pan();
    }

    std::filesystem::path folder = FreshFolder();
    CountedSoundOutput output;
    TimerScheduler timers{output.clock};
};

}  // namespace

TEST_F(SessionFolder, WithoutSoundTheSongsSampleSettingsAreKeptAndNoDeviceOpens) {
    SequencerSession session(folder.string(), timers, SessionSound::None, output.Source());
    session.LoadDefaultKit();
    // No file is opened for a sample: one that is missing is only a name.
    ASSERT_TRUE(OpenSong(session.Document(), WriteSong("missing.wav")));

    const RenderSampleSettings samples = session.RenderSamples();
    EXPECT_EQ(samples[0].fileName, "missing.wav");
    EXPECT_EQ(samples[0].frequency, 22050);
    EXPECT_EQ(samples[0].pan, -1500);
    EXPECT_EQ(samples[0].volume, 0) << "the files carry no volume";
    EXPECT_EQ(samples[1].fileName, "Blank.wav");
    EXPECT_EQ(samples[1].frequency, 44100);
    EXPECT_EQ(session.Samples().FileName(1), "Blank.wav") << "the wave player's streams are left alone";

    EXPECT_THROW(session.StartSoundOutput(), std::logic_error);
    EXPECT_EQ(output.opened, 0);
}

TEST_F(SessionFolder, WithDevicesTheStreamsHoldTheSamplesAndARenderTakesTheirVolumes) {
    SaveMonoWave(folder / "low.wav", 22050, RampSamples(2205));
    SequencerSession session(folder.string(), timers, SessionSound::Devices, output.Source());
    session.LoadDefaultKit();
    session.StartSoundOutput();
    EXPECT_GT(output.opened, 0);
    ASSERT_TRUE(OpenSong(session.Document(), WriteSong("low.wav")));
    EXPECT_TRUE(session.Samples().HoldsSample(1));
    session.Samples().SetVolume(1, -1200);

    const RenderSampleSettings samples = session.RenderSamples();
    EXPECT_EQ(samples[0].fileName, "low.wav");
    EXPECT_EQ(samples[0].frequency, 22050);
    EXPECT_EQ(samples[0].pan, -1500);
    EXPECT_EQ(samples[0].volume, -1200);
    EXPECT_EQ(samples[1].volume, 0);

    EXPECT_THROW(OpenSong(session.Document(), WriteSong("missing.wav")), FileOpenError)
        << "a stream opens its file";
}

TEST_F(SessionFolder, TheKitComesFromTheStartFolderOrAGivenFileAndTakesThePanningFile) {
    SequencerSession session(folder.string(), timers, SessionSound::None, output.Source());
    const auto elsewhere = folder / "kits" / "other.dxg";
    std::filesystem::create_directories(elsewhere.parent_path());
    std::filesystem::rename(folder / "standard.dxg", elsewhere);
    try {
        session.LoadDefaultKit();
        FAIL() << "the start folder holds no kit";
    } catch (const FileOpenError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + (folder / "standard.dxg").string());
    }
    session.LoadKit(elsewhere.string());
    EXPECT_EQ(session.DrumKit().Items().Count(), 17);

    EXPECT_FALSE(session.ApplyPanningFile()) << "no file, nothing to apply";
    EXPECT_EQ(SnarePan(session), 0);
    WritePans(1500);
    EXPECT_TRUE(session.ApplyPanningFile());
    EXPECT_EQ(SnarePan(session), 1500);

    WriteText(folder / "Panning.dat", "0\r\nleft\r\n");
    EXPECT_THROW(session.ApplyPanningFile(), StepweaveError);
    EXPECT_EQ(SnarePan(session), 1500) << "a damaged file changes nothing";
}

TEST_F(SessionFolder, ResettingTheSampleExportsCopiesTheBlankFileIntoTheFirstEight) {
    WriteText(folder / "temp" / "sample3.wav", "an older export");
    SequencerSession session(folder.string(), timers, SessionSound::None, output.Source());
    session.ResetSampleExports();
    const std::string blank = FileText(folder / "Blank.wav");
    for (int sample = 1; sample <= kSampleExports; ++sample) {
        EXPECT_EQ(FileText(folder / "temp" / ("sample" + std::to_string(sample) + ".wav")), blank) << sample;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "temp" / "sample9.wav"));
}

TEST_F(SessionFolder, AKitThatFailsToLoadChangesNoPanAndNeverOverwritesThePanningFile) {
    constexpr int kCymbal2 = 9;
    const std::string standard = FileText(folder / "standard.dxg");
    WriteText(folder / "cut.dxg", standard.substr(0, standard.size() / 2));  // "Invalid stream format" or a short wave
    std::vector<std::string> pans(17, "0");
    pans[kCymbal2] = "900";
    WriteText(folder / "Panning.dat", CrLfText(pans));
    const std::string panningFile = FileText(folder / "Panning.dat");
    const auto cymbal2Pan = [](SequencerSession& session) {
        WaveCollection& kit = session.DrumKit().Items();
        return kit.Items(kit.IndexOf(InstrumentList::Label(kCymbal2))).Pan();
    };

    // Started on a damaged kit, the pans never reached the kit: closing keeps the file.
    std::filesystem::copy_file(folder / "cut.dxg", folder / "standard.dxg", std::filesystem::copy_options::overwrite_existing);
    {
        SequencerSession session(folder.string(), timers, SessionSound::None, output.Source());
        EXPECT_THROW(session.LoadDefaultKit(), StepweaveError);
        EXPECT_FALSE(session.WritePanningFile());
        EXPECT_EQ(FileText(folder / "Panning.dat"), panningFile);
        // A kit imported then takes the file's pans, as start-up would have given them.
        WriteText(folder / "good.dxg", standard);
        session.ImportKit((folder / "good.dxg").string());
        EXPECT_EQ(cymbal2Pan(session), 900);
        EXPECT_TRUE(session.WritePanningFile());
        EXPECT_EQ(FileText(folder / "Panning.dat"), panningFile);
    }

    // A damaged kit imported later changes neither the sounds nor the pans.
    WriteText(folder / "standard.dxg", standard);
    SequencerSession session(folder.string(), timers, SessionSound::None, output.Source());
    session.LoadDefaultKit();
    session.ApplyPanningFile();
    const std::vector<uint8_t> snare = session.DrumKit().Items().Items(kSnare).Wave().Image();
    EXPECT_THROW(session.ImportKit((folder / "cut.dxg").string()), StepweaveError);
    EXPECT_EQ(session.DrumKit().Items().Count(), 17);
    EXPECT_TRUE(session.DrumKit().Items().Items(kSnare).Wave().Image() == snare);
    EXPECT_EQ(cymbal2Pan(session), 900);
    session.ImportKit((folder / "standard.dxg").string());
    EXPECT_EQ(cymbal2Pan(session), 900);
    EXPECT_TRUE(session.WritePanningFile());
    EXPECT_EQ(FileText(folder / "Panning.dat"), panningFile);
}
