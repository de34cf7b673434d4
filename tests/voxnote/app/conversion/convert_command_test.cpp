#include "voxnote/app/conversion/convert_command.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "tests/voxnote/app/test_support.h"
#include "voxnote/analysis/detector/detector.h"
#include "voxnote/analysis/precise/precise_detector.h"
#include "tests/voxnote/app/conversion/wav_dialog_test_files.h"
#include "voxnote/app/settings/preset_store.h"

namespace voxnote {
namespace {

using test::ReadText;
using test::RecordingReporter;
using test::SineSamples;
using test::TemporaryFolder;

// Silence, then a tone, then silence, all at 11025 Hz.
std::vector<int16_t> ToneAfterSilence(double frequency, double amplitude, size_t silenceBefore, size_t toneSamples,
                                      size_t silenceAfter) {
    std::vector<int16_t> samples(silenceBefore, 0);
    std::vector<int16_t> tone = SineSamples(frequency, amplitude, toneSamples);
    samples.insert(samples.end(), tone.begin(), tone.end());
    samples.resize(samples.size() + silenceAfter, 0);
    return samples;
}

class ConvertCommand : public ::testing::Test {
protected:
    void SetUp() override { setenv("VOXNOTE_INI", (folder / "voxnote.ini").c_str(), 1); }
    void TearDown() override { unsetenv("VOXNOTE_INI"); }

    std::string WriteWav(const std::string& name, const std::vector<uint8_t>& image) {
        test::WriteBytes(folder / name, image);
        return (folder / name).string();
    }

    int Run(const std::vector<std::string>& arguments) {
        CLI::App app;
        ConvertOptions options;
        AddConvertCommand(app, options);
        std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
        reversed.push_back("convert");
        app.parse(reversed);
        output.str("");
        reporter.texts.clear();
        return RunConvert(options, output, reporter);
    }

    // How the arguments are refused: the exit status and the message.
    std::pair<int, std::string> Refusal(const std::vector<std::string>& arguments) {
        try {
            Run(arguments);
        } catch (const CLI::ParseError& error) {
            return {error.get_exit_code(), error.what()};
        }
        return {0, "not refused"};
    }

    TemporaryFolder folder;
    std::ostringstream output;
    RecordingReporter reporter;
};

// The events of the analysis run straight over the samples in blocks of
// 4096, as "time_ms,note,velocity" rows.
std::string DirectAnalysisRows(const std::vector<int16_t>& samples, DetectorHeaderSettings settings) {
    auto state = std::make_unique<DetectorState>();
    RefreshDetectorSettings(*state, settings);
    ResetDetector(*state, 0);
    std::string rows;
    NoteEvent event;
    auto drain = [&] {
        while (DrainEvents(*state, event)) {
            rows += std::to_string(event.timeMs) + "," + std::to_string(event.Note()) + "," +
                    std::to_string(event.Velocity()) + "\n";
        }
    };
    for (size_t start = 0; start < samples.size(); start += 4096) {
        size_t count = std::min<size_t>(4096, samples.size() - start);
        std::memcpy(InputArea(*state), samples.data() + start, count * 2);
        AnalyseBlock(*state, static_cast<uint32_t>(count * 2));
        drain();
    }
    FlushDetector(*state);
    drain();
    return rows;
}

TEST_F(ConvertCommand, AToneOf440HertzBecomesNote69) {
    std::vector<int16_t> samples = ToneAfterSilence(440.0, 8000, 4096, 11025, 11025);
    std::string wav = WriteWav("a440.wav", test::WavImage(samples));
    ASSERT_EQ(Run({wav, "--events", "-"}), kConvertSucceeded) << ::testing::PrintToString(reporter.texts);
    EXPECT_TRUE(reporter.texts.empty());
    // The file's samples reach the analysis unchanged, in the same blocks.
    EXPECT_EQ(output.str(), "time_ms,note,velocity\n" + DirectAnalysisRows(samples, kStartUpDetectorSettings));
    int onTime = 0, note = 0, velocity = 0, offTime = 0, offNote = 0, offVelocity = 0;
    ASSERT_EQ(std::sscanf(output.str().c_str(), "time_ms,note,velocity\n%d,%d,%d\n%d,%d,%d", &onTime, &note,
                          &velocity, &offTime, &offNote, &offVelocity),
              6);
    // The tone sounds from 371 ms to 1371 ms: one note-on just before it
    // (frame 27) and its note-off just after (frame 106).
    EXPECT_EQ(onTime, 352);
    EXPECT_EQ(note, 69);
    EXPECT_EQ(velocity, 110);
    EXPECT_EQ(offTime, 1384);
    EXPECT_EQ(offNote, 69);
    EXPECT_EQ(offVelocity, 0);
}

// The precise detector's events for the samples as "time_ms,note,velocity" rows.
std::string PreciseRows(const std::vector<int16_t>& samples, DetectorHeaderSettings settings) {
    std::string rows;
    for (const NoteEvent& event : DetectNotesPrecisely(samples, settings)) {
        rows += std::to_string(event.timeMs) + "," + std::to_string(event.Note()) + "," +
                std::to_string(event.Velocity()) + "\n";
    }
    return rows;
}

// Six short notes from E2 (82 Hz) up: too low for the classic detector.
TEST_F(ConvertCommand, TheDetectorOptionChoosesWhichDetectorHearsTheFile) {
    const std::vector<int16_t> samples = test::ShortNotes(6, 40);
    std::string wav = WriteWav("low.wav", test::WavImage(samples));
    ASSERT_EQ(Run({wav, "--events", "-", "--detector", "precise"}), kConvertSucceeded)
        << ::testing::PrintToString(reporter.texts);
    EXPECT_TRUE(reporter.texts.empty());
    const std::string precise = output.str();
    EXPECT_EQ(precise, "time_ms,note,velocity\n" + PreciseRows(samples, kStartUpDetectorSettings));
    for (int note : {40, 44, 47, 52}) {
        EXPECT_NE(precise.find("," + std::to_string(note) + ",0\n"), std::string::npos) << note << "\n" << precise;
    }

    // The user's note rules apply to the precise detector's notes too.
    ASSERT_EQ(Run({wav, "--events", "-", "--detector", "precise", "--transpose", "12", "--fixed-volume"}),
              kConvertSucceeded);
    DetectorHeaderSettings octaveUpFixed = kStartUpDetectorSettings;
    octaveUpFixed.transposition = 12;
    octaveUpFixed.fixedVolume = true;
    EXPECT_EQ(output.str(), "time_ms,note,velocity\n" + PreciseRows(samples, octaveUpFixed));
    EXPECT_NE(output.str().find(",52,64\n"), std::string::npos) << output.str();

    // Classic is the default, and names itself too.
    ASSERT_EQ(Run({wav, "--events", "-"}), kConvertSucceeded);
    const std::string classic = output.str();
    EXPECT_EQ(classic, "time_ms,note,velocity\n" + DirectAnalysisRows(samples, kStartUpDetectorSettings));
    EXPECT_NE(classic, precise);
    ASSERT_EQ(Run({wav, "--events", "-", "--detector", "classic"}), kConvertSucceeded);
    EXPECT_EQ(output.str(), classic);
}

// Refused as any bad argument is, before a file is read or written.
TEST_F(ConvertCommand, AnUnknownDetectorAndFramesFromThePreciseOneAreRefused) {
    std::string wav = WriteWav("a440.wav", test::WavImage(ToneAfterSilence(440.0, 8000, 4096, 11025, 11025)));
    const int badArgument = Refusal({wav, "--tuning", "99"}).first;
    EXPECT_NE(badArgument, 0);

    const auto [status, message] = Refusal({wav, "--detector", "exact"});
    EXPECT_EQ(status, badArgument);
    EXPECT_NE(message.find("exact"), std::string::npos) << message;
    EXPECT_NE(message.find("classic"), std::string::npos) << message;
    EXPECT_NE(message.find("precise"), std::string::npos) << message;
    EXPECT_EQ(Refusal({wav, "--detector", "Precise"}).first, badArgument) << "names are lower case";

    const std::pair<int, std::string> frames = {
        badArgument, "--frames writes the classic detector's analysis frames; the precise detector has none of them."};
    EXPECT_EQ(Refusal({wav, "--frames", "-", "--detector", "precise"}), frames);
    EXPECT_EQ(Refusal({wav, "--detector", "precise", "--frames", (folder / "f.csv").string()}), frames);
    EXPECT_FALSE(std::filesystem::exists(folder / "f.csv"));
    EXPECT_FALSE(std::filesystem::exists(folder / "a440.mid"));
    EXPECT_TRUE(reporter.texts.empty());
}

// A delta time in 7-bit groups, most significant first.
std::string VariableLength(uint32_t value) {
    std::string bytes(1, static_cast<char>(value & 0x7F));
    while (value >>= 7) {
        bytes.insert(bytes.begin(), static_cast<char>(0x80 | (value & 0x7F)));
    }
    return bytes;
}

TEST_F(ConvertCommand, WritesAMidiFileWhoseTicksAreTheEventTimes) {
    std::vector<int16_t> samples = ToneAfterSilence(440.0, 8000, 4096, 11025, 11025);
    std::string wav = WriteWav("a440.wav", test::WavImage(samples));
    ASSERT_EQ(Run({wav, "-o", (folder / "out.mid").string(), "--events", (folder / "e.csv").string(), "--voice",
                   "73"}),
              kConvertSucceeded);
    EXPECT_EQ(output.str(), "Notes found: 1\n");
    int onTime = 0, velocity = 0, offTime = 0, note = 0;
    ASSERT_EQ(std::sscanf(ReadText(folder / "e.csv").c_str(), "time_ms,note,velocity\n%d,%d,%d\n%d", &onTime, &note,
                          &velocity, &offTime),
              4);
    std::string track = std::string("\0\xFF\x51\x03\x07\x53\x00\0\xC0\x49", 10) + VariableLength(onTime) +
                        "\x90" + static_cast<char>(69) + static_cast<char>(velocity) +
                        VariableLength(offTime - onTime) + "\x90" + static_cast<char>(69) + std::string("\0\0\xFF\x2F\0", 5);
    std::string expected = std::string("MThd\0\0\0\x06\0\0\0\x01\x01\xE0MTrk\0\0\0", 21) +
                           static_cast<char>(track.size()) + track;
    EXPECT_EQ(ReadText(folder / "out.mid"), expected);
}

TEST_F(ConvertCommand, StereoAt44100HertzGivesTheSameNote) {
    std::vector<int16_t> tone = SineSamples(440.0, 8000, 44100, 44100);
    std::vector<int16_t> stereo(2 * 44100, 0);  // a second of silence first
    for (int16_t sample : tone) {
        stereo.push_back(sample);
        stereo.push_back(sample);
    }
    stereo.resize(stereo.size() + 2 * 44100, 0);
    std::string wav = WriteWav("stereo.wav", test::WavImage(stereo, 2, 44100));
    ASSERT_EQ(Run({wav, "--events", (folder / "events.csv").string()}), kConvertSucceeded);
    std::istringstream events(ReadText(folder / "events.csv"));
    std::string header, on, off;
    std::getline(events, header);
    std::getline(events, on);
    std::getline(events, off);
    EXPECT_EQ(header, "time_ms,note,velocity");
    EXPECT_NE(on.find(",69,"), std::string::npos) << on;
    EXPECT_NE(off.find(",69,0"), std::string::npos) << off;
}

TEST_F(ConvertCommand, OptionsOverrideSingleValues) {
    std::vector<int16_t> samples = ToneAfterSilence(440.0, 8000, 4096, 11025, 11025);
    std::string wav = WriteWav("a440.wav", test::WavImage(samples));
    ASSERT_EQ(Run({wav, "--events", "-", "--transpose", "12", "--fixed-volume"}), kConvertSucceeded);
    DetectorHeaderSettings octaveUpFixed = kStartUpDetectorSettings;
    octaveUpFixed.transposition = 12;
    octaveUpFixed.fixedVolume = true;
    EXPECT_EQ(output.str(), "time_ms,note,velocity\n" + DirectAnalysisRows(samples, octaveUpFixed));
    EXPECT_NE(output.str().find(",81,64\n"), std::string::npos);
    ASSERT_EQ(Run({wav, "--events", "-", "--rhythm-note", "38"}), kConvertSucceeded);
    EXPECT_NE(output.str().find(",38,"), std::string::npos);
    EXPECT_EQ(Run({wav, "--max-note", "68", "--events", "-"}), kConvertSucceeded) << "69 lies above the range";
    EXPECT_EQ(reporter.texts, std::vector<std::string>{"No notes detected."});
    EXPECT_EQ(output.str(), "time_ms,note,velocity\n");
}

TEST_F(ConvertCommand, StartsFromAPresetWhenAsked) {
    PrivateProfile profile(folder / "voxnote.ini");
    DetectorSettings octaveUp;
    octaveUp.transposition = 12;
    PresetStore(profile).Save("Octave Up", octaveUp);
    std::string wav = WriteWav("a440.wav", test::WavImage(ToneAfterSilence(440.0, 8000, 4096, 11025, 11025)));
    ASSERT_EQ(Run({wav, "--events", "-", "--preset", "octave up"}), kConvertSucceeded);
    EXPECT_NE(output.str().find(",81,"), std::string::npos) << output.str();

    EXPECT_EQ(Run({wav, "--preset", "Nonesuch"}), kConvertFailed);
    ASSERT_EQ(reporter.texts.size(), 1u);
    EXPECT_NE(reporter.texts[0].find("Nonesuch"), std::string::npos);
}

TEST_F(ConvertCommand, AFormatItCannotTakeShowsEveryMessageAndWritesNothing) {
    test::WavShape eightBit48k{1, 1, 48000, 8};
    std::string wav = WriteWav("bad.wav", test::RiffWave({test::FmtChunk(eightBit48k),
                                                          test::Chunk("data", std::vector<uint8_t>(4800, 128))}));
    std::ofstream(folder / "old.mid") << "keep";
    EXPECT_EQ(Run({wav, "-o", (folder / "old.mid").string(), "--events", (folder / "e.csv").string()}),
              kConvertFailed);
    EXPECT_EQ(reporter.texts,
              (std::vector<std::string>{"Cannot process wave file.\nThe frequency should be 11kHz, 22kHz or 44kHz",
                                        "Cannot process wave file.\nThe samples should be 16 bit."}));
    EXPECT_EQ(ReadText(folder / "old.mid"), "keep");
    EXPECT_FALSE(std::filesystem::exists(folder / "e.csv"));
    EXPECT_EQ(output.str(), "");
}

// No notes is a result: a notice, and a MIDI file that holds only the voice.
TEST_F(ConvertCommand, SilenceGivesAValidMidiFileWithoutNotes) {
    std::string silent = WriteWav("silent.wav", test::WavImage(std::vector<int16_t>(20000, 0)));
    EXPECT_EQ(Run({silent, "-o", (folder / "silent.mid").string(), "--voice", "5"}), kConvertSucceeded);
    EXPECT_EQ(reporter.texts, std::vector<std::string>{"No notes detected."});
    EXPECT_EQ(output.str(), "Notes found: 0\n");
    std::string track = std::string("\0\xFF\x51\x03\x07\x53\x00\0\xC0\x05\0\xFF\x2F\0", 14);
    EXPECT_EQ(ReadText(folder / "silent.mid"),
              std::string("MThd\0\0\0\x06\0\0\0\x01\x01\xE0MTrk\0\0\0", 21) + static_cast<char>(track.size()) +
                  track);
}

TEST_F(ConvertCommand, DamagedAndForeignFilesFailWithTheirMessage) {
    std::vector<uint8_t> truncated = test::WavImage(ToneAfterSilence(440.0, 8000, 4096, 20000, 0));
    truncated.resize(truncated.size() / 2);
    EXPECT_EQ(Run({WriteWav("cut.wav", truncated)}), kConvertFailed);
    EXPECT_EQ(reporter.texts, std::vector<std::string>{"Error reading division of file"});
    EXPECT_FALSE(std::filesystem::exists(folder / "cut.mid"));

    const std::string notWav = "Cannot process wave file.\nIt is not a WAV file, or its \"fmt \" chunk is missing.";
    std::vector<uint8_t> avi = test::RiffWave({test::Chunk("LIST", std::vector<uint8_t>(12, 0))});
    std::copy_n("AVI ", 4, avi.begin() + 8);
    const std::vector<std::pair<std::string, std::vector<uint8_t>>> foreign = {
        {"text.wav", {'h', 'e', 'l', 'l', 'o'}},
        {"empty.wav", {}},
        {"song.wav", {'I', 'D', '3', 4, 0, 0, 0, 0, 0, 0, 0xFF, 0xFB, 0x90, 0x64, 0, 0, 0, 0}},
        {"film.wav", avi},
    };
    for (const auto& [name, bytes] : foreign) {
        EXPECT_EQ(Run({WriteWav(name, bytes)}), kConvertFailed) << name;
        EXPECT_EQ(reporter.texts, std::vector<std::string>{notWav}) << name;
        EXPECT_EQ(output.str(), "") << name;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "film.mid"));

    EXPECT_EQ(Run({(folder / "missing.wav").string()}), kConvertFailed);
    ASSERT_EQ(reporter.texts.size(), 1u);
    EXPECT_NE(reporter.texts[0].find("missing.wav"), std::string::npos);
}

// Without any output named, the notes go to the input's name with ".mid"
// beside it, and only ever to a new file there.
TEST_F(ConvertCommand, WithoutAnOutputTheMidiFileGoesBesideTheInputAndIsNeverReplaced) {
    std::string wav = WriteWav("a440.wav", test::WavImage(ToneAfterSilence(440.0, 8000, 4096, 11025, 11025)));
    const std::filesystem::path beside = folder / "a440.mid";
    ASSERT_EQ(Run({wav}), kConvertSucceeded) << ::testing::PrintToString(reporter.texts);
    EXPECT_EQ(output.str(), "Notes found: 1\n" + beside.string() + "\n");
    const std::string first = ReadText(beside);
    EXPECT_EQ(first.substr(0, 4), "MThd");

    std::ofstream(beside) << "mine";
    EXPECT_EQ(Run({wav, "--transpose", "12"}), kConvertFailed);
    EXPECT_EQ(reporter.texts,
              std::vector<std::string>{"The file \"" + beside.string() + "\" exists already; name it with -o to replace it."});
    EXPECT_EQ(ReadText(beside), "mine");
    EXPECT_EQ(output.str(), "");

    ASSERT_EQ(Run({wav, "-o", beside.string()}), kConvertSucceeded) << "a file that -o names is replaced";
    EXPECT_EQ(ReadText(beside), first);
    EXPECT_EQ(output.str(), "Notes found: 1\n");

    ASSERT_EQ(Run({wav, "--events", (folder / "e.csv").string()}), kConvertSucceeded);
    EXPECT_EQ(output.str(), "Notes found: 1\n") << "the events alone were asked for";
}

// A tone that sounds from the very first sample, as sox's synth writes it.
TEST_F(ConvertCommand, ASineFromTheFirstSampleGivesNote69AtOnce) {
    std::string wav = WriteWav("a.wav", test::WavImage(SineSamples(440.0, 32000, 2 * 11025)));
    ASSERT_EQ(Run({wav, "--events", "-"}), kConvertSucceeded) << ::testing::PrintToString(reporter.texts);
    int onTime = -1, note = 0, velocity = 0;
    ASSERT_EQ(std::sscanf(output.str().c_str(), "time_ms,note,velocity\n%d,%d,%d", &onTime, &note, &velocity), 3)
        << output.str();
    EXPECT_EQ(note, 69);
    EXPECT_GT(velocity, 0);
    EXPECT_LT(onTime, 50);
}

TEST_F(ConvertCommand, FramesAreWrittenAsTheSegmenterReadsThem) {
    std::vector<int16_t> samples = ToneAfterSilence(440.0, 8000, 4096, 11025, 11025);
    std::string wav = WriteWav("a440.wav", test::WavImage(samples));
    ASSERT_EQ(Run({wav, "--frames", (folder / "frames.csv").string()}), kConvertSucceeded);
    std::istringstream frames(ReadText(folder / "frames.csv"));
    std::string line;
    std::getline(frames, line);
    EXPECT_EQ(line, "frame,level,band_level,weight,pitch");
    int rows = 0;
    int previous = -1;
    int pitchedNear440 = 0;
    while (std::getline(frames, line)) {
        int index = 0, level = 0, band = 0, weight = 0, pitch = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%d,%d,%d,%d,%d", &index, &level, &band, &weight, &pitch), 5) << line;
        EXPECT_EQ(index, previous + 1);
        previous = index;
        pitchedNear440 += std::abs(pitch - 459) <= 5;
        ++rows;
    }
    // Every 144 samples one frame, plus the eight of the closing silence, less
    // the seven whose pitch is still being decided when the run ends.
    EXPECT_NEAR(rows, static_cast<int>(samples.size() / 144) + 8 - 7, 2);
    EXPECT_GT(pitchedNear440, 60) << "most frames of the one-second tone have its pitch";
}

}  // namespace
}  // namespace voxnote
