// What a render refuses before it writes anything: a sound the mixing wave
// would read as noise, and a song too long for a WAV file.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/stepweave/sequencer/render/render_test_support.h"
#include "stepweave/sequencer/commands/song_compiler.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "stepweave/sequencer/render/render_export_folder.h"
#include "stepweave/sequencer/render/render_sounds.h"
#include "stepweave/sequencer/render/song_length.h"
#include "stepweave/sequencer/render/song_renderer.h"
#include "stepweave/sequencer/render/song_timeline.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;
using namespace stepweave::render_testing;
namespace fs = std::filesystem;

namespace {

constexpr int kKick = 1;
constexpr int kSnare = 3;
constexpr const char* kOnlyPcm = "; only 8- or 16-bit PCM, mono or stereo, can be played";

// A WAV file of `frames` frames of a steady level, in any format: tag 1 is
// PCM, 3 floating point, 0xFFFE the extensible header (with the PCM or the
// floating point sub-format as `extensibleTag` says).
void WriteFormattedWav(const fs::path& path, uint16_t tag, uint16_t channels, uint16_t bits, int frames,
                       uint16_t extensibleTag = 1) {
    std::vector<uint8_t> bytes;
    const auto put = [&bytes](uint32_t value, int count) {
        for (int i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    };
    const auto text = [&bytes](const char* chars) { bytes.insert(bytes.end(), chars, chars + 4); };
    const bool extensible = tag == 0xFFFE;
    const uint32_t formatSize = extensible ? 40 : 16;
    const uint32_t blockAlign = channels * bits / 8u;
    const uint32_t dataSize = blockAlign * static_cast<uint32_t>(frames);
    text("RIFF");
    put(4 + 8 + formatSize + 8 + dataSize, 4);
    text("WAVE");
    text("fmt ");
    put(formatSize, 4);
    put(tag, 2);
    put(channels, 2);
    put(44100, 4);
    put(44100 * blockAlign, 4);
    put(blockAlign, 2);
    put(bits, 2);
    if (extensible) {
        put(22, 2);        // the extension's size
        put(bits, 2);      // valid bits
        put(0x3, 4);       // front left and right
        put(extensibleTag, 2);
        for (const uint8_t b : {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}) {
            bytes.push_back(b);
        }
    }
    text("data");
    put(dataSize, 4);
    for (uint32_t i = 0; i < dataSize / 2; ++i) {
        put(6000, 2);
    }
    WriteFileSafely(path.string(), bytes.data(), static_cast<int64_t>(bytes.size()));
}

struct Refusal {
    fs::path folder = StartFolder();
    UserSampleTable table;
    SequencerDocument document{folder.string(), table};
    WaveCollection kit;
    ScriptedRenderUser user;
    RenderSampleSettings samples = RenderSampleSettingsFrom(table);

    Refusal() {
        user.outputPath = (folder / "song.wav").string();
        KitSounds sounds;
        sounds[kKick] = ToneSound(44100, 1, 3000, 60, 20000);
        sounds[kSnare] = ToneSound(22050, 1, 2000, 200, 15000);
        BuildKit(kit, folder, sounds);
        WritePattern(folder, "Beat", 4, 50, 1,
                     {{1, 1, KitCell(kKick)}, {2, 2, KitCell(kSnare)}, {3, 3, SampleCell(7)}});
        document.playList.Append("Beat");
        WriteWav(folder / "clap.wav", ConstantSound(500, 100));
        samples[6].fileName = "clap.wav";
    }

    // The render's error; "" when it completed.
    std::string Render() {
        SongRenderer renderer(document, kit, user);
        try {
            EXPECT_EQ(renderer.Render(samples), RenderOutcome::Completed);
            return "";
        } catch (const StepweaveError& error) {
            return error.what();
        }
    }

    // After a refusal: no dialog was shown, nothing was written and the
    // render's folder is gone with "temp" as it was.
    void ExpectNothingWritten() const {
        EXPECT_EQ(user.dialogs, 0);
        EXPECT_FALSE(fs::exists(folder / "song.wav"));
        EXPECT_TRUE(fs::is_empty(folder / "temp"));
        EXPECT_TRUE(user.playButtonsEnabled);
    }
};

}  // namespace

TEST(RenderRefusals, AKitSoundTheMixingWaveCannotReadIsNamedWithItsFormat) {
    struct Case {
        uint16_t tag, channels, bits, extensibleTag;
        std::string format;
    };
    const Case cases[] = {
        {1, 1, 24, 1, "24-bit PCM"},
        {1, 2, 32, 1, "32-bit PCM"},
        {3, 1, 32, 1, "32-bit floating point"},
        {1, 4, 16, 1, "PCM with 4 channels"},
        {0xFFFE, 2, 24, 1, "24-bit WAVE_FORMAT_EXTENSIBLE"},
        {0xFFFE, 2, 32, 3, "32-bit WAVE_FORMAT_EXTENSIBLE"},
    };
    for (const Case& c : cases) {
        Refusal render;
        WriteFormattedWav(render.folder / "odd.wav", c.tag, c.channels, c.bits, 1000, c.extensibleTag);
        render.kit.Items(kSnare).Wave().LoadFromFile((render.folder / "odd.wav").string());
        EXPECT_EQ(render.Render(), "'Snare' cannot be used: it is " + c.format + kOnlyPcm) << c.format;
        render.ExpectNothingWritten();
    }
}

TEST(RenderRefusals, ASoundTheSongDoesNotUseIsNoObstacle) {
    Refusal render;
    WriteFormattedWav(render.folder / "float.wav", 3, 1, 32, 1000);
    render.kit.Items(6).Wave().LoadFromFile((render.folder / "float.wav").string());  // Tom1: not in the song
    render.samples[11].fileName = (render.folder / "float.wav").string();            // Sample12: neither
    EXPECT_EQ(render.Render(), "");
    EXPECT_TRUE(fs::exists(render.folder / "song.wav"));
}

TEST(RenderRefusals, ASixteenBitExtensibleFileMixesAsThePlainPcmItIs) {
    Refusal plain;
    WriteFormattedWav(plain.folder / "pcm.wav", 1, 2, 16, 3000);
    plain.kit.Items(kSnare).Wave().LoadFromFile((plain.folder / "pcm.wav").string());
    plain.samples[6].fileName = (plain.folder / "pcm.wav").string();
    ASSERT_EQ(plain.Render(), "");

    Refusal extensible;
    WriteFormattedWav(extensible.folder / "ext.wav", 0xFFFE, 2, 16, 3000);
    extensible.kit.Items(kSnare).Wave().LoadFromFile((extensible.folder / "ext.wav").string());
    extensible.samples[6].fileName = (extensible.folder / "ext.wav").string();
    ASSERT_EQ(extensible.Render(), "");

    const RenderedWav a = ReadRenderedWav(plain.folder / "song.wav");
    const RenderedWav b = ReadRenderedWav(extensible.folder / "song.wav");
    EXPECT_FALSE(a.SoundingFrames().empty());
    EXPECT_EQ(a.samples, b.samples);
}

TEST(RenderRefusals, ASongTooLongForAWavFileIsRefusedBeforeTheSaveDialog) {
    Refusal render;
    // 64 steps of 0.28 s, 1400 times: nearly seven hours, more than a WAV file holds.
    WritePattern(render.folder, "Long", 64, 140, 1400, {{1, 1, KitCell(kKick)}});
    render.document.playList.Clear();
    render.document.playList.Append("Long");
    EXPECT_EQ(render.Render(),
              "Wave is too long: the song lasts 6:57:50, and a WAV file holds at most 6:45:47 of 16-bit stereo "
              "44100 Hz sound");
    render.ExpectNothingWritten();
}

TEST(RenderRefusals, TheLengthKnownBeforehandIsTheLengthRendered) {
    Refusal render;
    WritePattern(render.folder, "Slow", 3, 140, 2, {{3, 1, SampleCell(7)}, {2, 6, KitCell(kSnare, 4)}});
    render.document.playList.Append("Slow");
    render.samples[6].frequency = 11025;  // the clap at a quarter speed lasts four times as long
    std::vector<std::string> lines = CompileSong(render.folder.string(), render.document.playList.Names()).lines;
    int64_t predicted = 0;
    {
        const RenderExportFolder folder(render.folder.string());
        const RenderSounds sounds = ExportRenderSounds(folder, render.folder.string(), render.kit, render.samples);
        predicted = RenderedFrames(ReadSongTimeline(lines), sounds);
    }
    ASSERT_EQ(render.Render(), "");
    const RenderedWav wav = ReadRenderedWav(render.folder / "song.wav");
    EXPECT_EQ(predicted, static_cast<int64_t>(wav.samples.size() / 2));
    EXPECT_GT(predicted, 0);
}
