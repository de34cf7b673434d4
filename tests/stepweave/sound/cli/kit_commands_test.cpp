#include "stepweave/sound/cli/kit_commands.h"

#include <gtest/gtest.h>

#include "stepweave/sound/files/errors.h"

#include <sstream>

#include "stepweave/sound/kit/kit_file.h"
#include "stepweave/sound/kit/kit_layout.h"
#include "stepweave/sound/kit/kit_maker.h"
#include "stepweave/sound/kit/wave_collection.h"
#include "tests/stepweave/sound/wav/wave_test_support.h"

using namespace stepweave;
using namespace wave_test;
namespace fs = std::filesystem;

namespace {

struct Output {
    std::ostringstream out;
    std::ostringstream err;
};

size_t FilesIn(const fs::path& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}));
}

WaveData TestWave(const std::string& name) {
    WaveData wave;
    wave.LoadFromFile(TestWavePath(name));
    return wave;
}

// A full 17-slot kit whose slot i holds the given waves in turn.
void SaveKit(const std::string& path, const std::vector<WaveData>& waves) {
    WaveCollection kit;
    for (int i = 0; i < kKitSlotCount; ++i) {
        WaveCollectionItem& item = kit.Add();
        item.SetName(std::string(kKitSlotNames[static_cast<size_t>(i)]));
        item.SetWave(waves[static_cast<size_t>(i) % waves.size()]);
    }
    kit.SaveToFile(path);
}

}  // namespace

TEST(KitCommands, ListShowsIndexNameSizeAndFormat) {
    const fs::path folder = FreshFolder("kit_list");
    WaveCollection kit;
    kit.Add();
    kit.Add().SetName("Kick      [ ]");
    kit.Items(1).SetWave(TestWave("mono16.wav"));
    kit.Add().SetName("Snare     [ ]");
    kit.Items(2).SetWave(TestWave("stereo16.wav"));
    kit.Add().SetName("float");
    kit.Items(3).SetWave(TestWave("float.wav"));
    kit.Add().SetName("8 bit");
    kit.Items(4).SetWave(TestWave("mono8.wav"));
    const std::string path = (folder / "listed.dxg").string();
    kit.SaveToFile(path);

    Output output;
    EXPECT_EQ(KitListCommand(path, output.out, output.err), 0);
    EXPECT_EQ(output.out.str(),
              "0 \"\" 0 bytes (empty)\n"
              "1 \"Kick      [ ]\" 1764 bytes PCM 44100 Hz 16-bit mono\n"
              "2 \"Snare     [ ]\" 1764 bytes PCM 22050 Hz 16-bit stereo\n"
              "3 \"float\" 880 bytes format 3 22050 Hz 32-bit mono\n"
              "4 \"8 bit\" 551 bytes PCM 11025 Hz 8-bit mono\n");
    EXPECT_EQ(output.err.str(), "");

    Output missing;
    EXPECT_NE(KitListCommand((folder / "none.dxg").string(), missing.out, missing.err), 0);
    EXPECT_EQ(missing.err.str(), "Cannot open file " + (folder / "none.dxg").string() + "\n");
}

TEST(KitCommands, ExtractWritesEachImageExactlyAsStored) {
    const fs::path folder = FreshFolder("kit_extract");
    // Stored images that our writer would not produce: the real files as sox
    // wrote them (extra chunks, no pad byte) and an empty one.
    const std::vector<KitFileEntry> entries = {
        {"", {}}, {"Kick      [ ]", ReadTestWave("adpcm.wav")}, {"Snare     [ ]", ReadTestWave("mono16.wav")}};
    MemoryStream kit;
    WriteKitFile(kit, entries);
    const std::string path = (folder / "stored.dxg").string();
    WriteFileSafely(path, kit.Bytes().data(), kit.Size());

    const fs::path target = folder / "new" / "waves";
    Output output;
    ASSERT_EQ(KitExtractCommand(path, target.string(), output.out, output.err), 0) << output.err.str();
    EXPECT_EQ(FilesIn(target), 3u);
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(ReadWholeFile((target / (std::to_string(i) + ".wav")).string()), entries[i].waveImage);
    }

    const fs::path blocked = folder / "a file";
    WriteFileSafely(blocked.string(), std::string("x"));
    Output failed;
    EXPECT_NE(KitExtractCommand(path, blocked.string(), failed.out, failed.err), 0);
    EXPECT_EQ(failed.err.str(), "Cannot create file " + blocked.string() + "\n");
}

TEST(KitCommands, MakeBuildsSeventeenBlankSlotsFromBlankWavOfAnyCase) {
    const fs::path folder = FreshFolder("kit_make_blank");
    fs::copy_file(TestWavePath("mono8.wav"), folder / "blank.wav");
    EXPECT_EQ(BlankWavePath(folder.string()), (folder / "blank.wav").string());

    KitMakeArguments arguments;
    arguments.outputPath = (folder / "new.dxg").string();
    arguments.startDirectory = folder.string();
    Output output;
    ASSERT_EQ(KitMakeCommand(arguments, output.out, output.err), 0) << output.err.str();

    WaveCollection made;
    made.LoadFromFile(arguments.outputPath);
    ASSERT_EQ(made.Count(), kKitSlotCount);
    const std::vector<uint8_t> blank = TestWave("mono8.wav").Image();
    for (int i = 0; i < kKitSlotCount; ++i) {
        EXPECT_EQ(made.Items(i).Name(), kKitSlotNames[static_cast<size_t>(i)]);
        EXPECT_EQ(made.Items(i).Wave().Image(), blank);
    }

    fs::remove(folder / "blank.wav");
    Output missing;
    EXPECT_NE(KitMakeCommand(arguments, missing.out, missing.err), 0);
    EXPECT_EQ(missing.err.str(), "Cannot open file " + (folder / "Blank.wav").string() + "\n");
}

TEST(KitCommands, MakeTakesTheTemplateThenTheSlotFiles) {
    const fs::path folder = FreshFolder("kit_make_template");
    fs::copy_file(TestWavePath("mono8.wav"), folder / "Blank.wav");
    const std::string templatePath = (folder / "template.dxg").string();
    SaveKit(templatePath, {TestWave("mono16.wav"), TestWave("float.wav"), WaveData()});

    KitMakeArguments arguments;
    arguments.outputPath = (folder / "made.dxg").string();
    arguments.templatePath = templatePath;
    arguments.slotFiles = {"3=" + TestWavePath("mono16.wav"), "16=" + TestWavePath("stereo16.wav")};
    arguments.startDirectory = folder.string();
    Output output;
    ASSERT_EQ(KitMakeCommand(arguments, output.out, output.err), 0) << output.err.str();

    WaveCollection templateKit;
    templateKit.LoadFromFile(templatePath);
    WaveCollection made;
    made.LoadFromFile(arguments.outputPath);
    ASSERT_EQ(made.Count(), kKitSlotCount);
    EXPECT_EQ(made.Items(0).Wave().Image(), TestWave("mono8.wav").Image());  // slot 0 stays blank
    EXPECT_EQ(made.Items(3).Wave().Image(), TestWave("mono16.wav").Image());
    EXPECT_EQ(made.Items(16).Wave().Image(), TestWave("stereo16.wav").Image());
    for (int slot : {1, 2, 4, 7, 15}) {
        EXPECT_EQ(made.Items(slot).Wave().Image(), templateKit.Items(slot).Wave().Image());
    }
}

TEST(KitMaker, TemplateWavesComeAcrossAsAWavFileWouldCarryThem) {
    WaveData blank = TestWave("mono8.wav");
    WaveData formatOnly = TestWave("stereo16.wav");
    formatOnly.SetSize(0);
    WaveCollection templateKit;
    for (int i = 0; i < kKitSlotCount; ++i) {
        templateKit.Add().SetWave(i == 2 ? formatOnly : TestWave("mono16.wav"));
    }
    WaveCollection kit;
    kit.Add().SetName("left over");
    PrepareKit(kit, blank, &templateKit);
    ASSERT_EQ(kit.Count(), kKitSlotCount);
    EXPECT_EQ(kit.Items(0).Wave().Image(), blank.Image());
    EXPECT_EQ(kit.Items(1).Wave().Image(), TestWave("mono16.wav").Image());
    // A wave with a format but no data is written as nothing and read back empty.
    EXPECT_EQ(kit.Items(2).Wave().FormatSize(), 0);
    EXPECT_NO_THROW(CheckKitLayout(kit));
    kit.Items(5).SetName("renamed");
    EXPECT_THROW(CheckKitLayout(kit), WaveCollectionError);
}

TEST(KitCommands, AFailedMakeLeavesAnExistingKitUntouched) {
    const fs::path folder = FreshFolder("kit_make_failure");
    fs::copy_file(TestWavePath("mono16.wav"), folder / "Blank.wav");
    const std::string out = (folder / "keep.dxg").string();
    WriteFileSafely(out, std::string("the old kit"));
    WriteFileSafely((folder / "not a wave.wav").string(), std::string("RIFF\4\0\0\0AVI ", 12));
    WaveCollection shortKit;
    shortKit.Add();
    shortKit.SaveToFile((folder / "short.dxg").string());

    struct Case {
        std::vector<std::string> slots;
        std::string templatePath;
        std::string message;
    };
    const Case cases[] = {
        // The file is named in front of the system's message.
        {{"2=" + (folder / "not a wave.wav").string()}, "", "not a wave.wav: Wave is invalid"},
        // Sounds the kit's users could not play are refused with their format.
        {{"3=" + TestWavePath("adpcm.wav")}, "",
         "'adpcm.wav' cannot be used: it is format 2; only 8- or 16-bit PCM, mono or stereo, can be played"},
        {{"5=" + TestWavePath("float.wav")}, "",
         "'float.wav' cannot be used: it is 32-bit floating point; only 8- or 16-bit PCM, mono or stereo, can be "
         "played"},
        {{"0=" + TestWavePath("mono8.wav")}, "",
         "Invalid slot '0=" + TestWavePath("mono8.wav") + "': expected N=FILE.wav with N from 1 to 16"},
        {{"x=a.wav"}, "", "Invalid slot 'x=a.wav': expected N=FILE.wav with N from 1 to 16"},
        {{"4=" + (folder / "absent.wav").string()}, "", "Cannot open file " + (folder / "absent.wav").string()},
        {{}, (folder / "short.dxg").string(), "List index out of bounds (1)"},
    };
    for (const Case& c : cases) {
        KitMakeArguments arguments{out, c.templatePath, c.slots, folder.string()};
        Output output;
        EXPECT_NE(KitMakeCommand(arguments, output.out, output.err), 0);
        EXPECT_EQ(output.err.str(), c.message + "\n");
        const auto kept = ReadWholeFile(out);
        EXPECT_EQ(std::string(kept.begin(), kept.end()), "the old kit");
        EXPECT_EQ(FilesIn(folder), 4u);  // no temporary file left behind
    }
}
