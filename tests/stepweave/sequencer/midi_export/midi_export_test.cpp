// The MIDI export read back by the tests' own MIDI reader: the demo song's
// notes against the render's time line, a render's clicks against the
// notes, note lengths, and the command's files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <tuple>

#include "tests/stepweave/sequencer/midi_export/midi_file_reader.h"
#include "tests/stepweave/sequencer/render/render_test_support.h"
#include "stepweave/data/demo_song.h"
#include "stepweave/sequencer/cli/render_command.h"
#include "stepweave/sequencer/commands/song_compiler.h"
#include "stepweave/sequencer/midi_export/export_midi_command.h"
#include "stepweave/sequencer/render/song_timeline.h"
#include "stepweave/sequencer/session/workspace.h"

using namespace stepweave;
using namespace stepweave::midi_testing;
using namespace stepweave::render_testing;

namespace {

constexpr double kMillisecond = 0.001;
constexpr int kKick = 1;
constexpr int kSnare = 3;

// A note as the file should hold it: when, on which channel, which note, how hard.
using ExpectedNote = std::tuple<double, int, int, int>;

int LevelVelocity(int level) { return static_cast<int>(std::lround(127 * std::pow(10.0, -5.0 * (level - 1) / 40))); }

const int kDrumMap[17] = {0, 36, 35, 38, 42, 46, 48, 45, 49, 51, 37, 70, 76, 63, 56, 39, 54};

struct Export {
    std::ostringstream out;
    std::ostringstream err;
    ExportMidiArguments arguments;

    int Run() { return ExportMidiCommand(arguments, out, err); }
    ReadMidiFile Read(const std::filesystem::path& path) const { return ReadMidi(ReadWholeFile(path.string())); }
};

// Rewrites a pattern file's beat (the header's line 4).
void SetBeat(const std::filesystem::path& folder, const std::string& name, int beat) {
    const std::filesystem::path path = folder / (name + ".pat");
    std::string text = stepweave::testing::FileText(path);
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find("\r\n", at);
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    lines[4] = std::to_string(beat);
    stepweave::testing::WriteText(path, stepweave::testing::CrLfText(lines));
}

std::vector<ExpectedNote> Sorted(std::vector<ExpectedNote> notes) {
    // Notes of one step sort by channel and note, wherever a millisecond puts them.
    std::sort(notes.begin(), notes.end(), [](const ExpectedNote& a, const ExpectedNote& b) {
        const auto key = [](const ExpectedNote& n) {
            return std::make_tuple(std::lround(std::get<0>(n) * 100), std::get<1>(n), std::get<2>(n), std::get<3>(n));
        };
        return key(a) < key(b);
    });
    return notes;
}

std::vector<ExpectedNote> NotesOf(const ReadMidiFile& file) {
    std::vector<ExpectedNote> notes;
    for (const ReadNote& note : file.notes) {
        notes.emplace_back(file.Seconds(note.tick), note.channel, note.note, note.velocity);
    }
    return Sorted(notes);
}

void ExpectSameNotes(const std::vector<ExpectedNote>& expected, const std::vector<ExpectedNote>& actual) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(std::get<0>(actual[i]), std::get<0>(expected[i]), kMillisecond) << "note " << i;
        EXPECT_EQ(std::get<1>(actual[i]), std::get<1>(expected[i])) << "note " << i;
        EXPECT_EQ(std::get<2>(actual[i]), std::get<2>(expected[i])) << "note " << i;
        EXPECT_EQ(std::get<3>(actual[i]), std::get<3>(expected[i])) << "note " << i;
    }
}

}  // namespace

TEST(MidiExport, TheDemoSongHoldsEveryHitOfTheRenderAtItsTimeWithTheDrumMapAndTempoEventsAtPatternStarts) {
    const auto folder = stepweave::testing::FreshFolder();
    SeedWorkspace(folder.string());
    Export command;
    command.arguments.songPath = (folder / kDemoSongFileName).string();
    command.arguments.startDirectory = folder.string();
    ASSERT_EQ(command.Run(), 0) << command.err.str();
    const auto midiPath = folder / "Demo.mid";
    EXPECT_EQ(command.out.str(), midiPath.string() + "\n");
    const ReadMidiFile file = command.Read(midiPath);

    // The render's hits: the lines of the compiled song at the times its mixdown adds them.
    const DemoSong& demo = TheDemoSong();
    const std::vector<std::string> names(demo.playList.begin(), demo.playList.end());
    const std::vector<std::string> lines = CompileSong(folder.string(), names).lines;
    std::vector<ExpectedNote> hits;
    for (const TimelineLine& line : ReadSongTimeline(lines).lines) {
        if (line.instrument >= 1 && line.instrument <= 16) {
            hits.emplace_back(line.time, 10, kDrumMap[line.instrument], LevelVelocity(line.level));
        } else if (line.instrument > 16) {
            hits.emplace_back(line.time, 1, 60, 127);
        }
    }
    ExpectSameNotes(Sorted(hits), NotesOf(file));

    EXPECT_EQ(file.format, 1);
    EXPECT_EQ(file.division, 480);
    ASSERT_EQ(file.trackNames.size(), 2u + 4u);  // tempo, kit, the four bass notes
    EXPECT_EQ(file.trackNames[0], "Demo");
    EXPECT_EQ(file.trackNames[1], "Drum Kit");
    EXPECT_EQ(file.trackNames[2], "Demo Bass (Sample 1)");
    EXPECT_EQ(file.trackNames[5], "Demo Bass (Sample 4)");
    for (const ReadNote& note : file.notes) {
        EXPECT_EQ(note.channel, note.track == 1 ? 10 : 1);
    }

    // Where each pattern starts on the render's time line, where its last
    // step starts, and its tempo in microseconds per quarter note (one beat).
    struct Place {
        double start;
        double lastStep;
        uint32_t quarter;
        int delay;
    };
    std::vector<Place> places;
    for (const std::string& name : names) {
        const DemoPattern& pattern = *std::find_if(demo.patterns.begin(), demo.patterns.end(),
                                                   [&](const DemoPattern& p) { return p.name == name; });
        const double step = 2.0 * pattern.delay / 1000;
        // The render moves on from the last step before by the new pattern's step.
        const double start = places.empty() ? 0.0 : places.back().lastStep + step;
        places.push_back({start, start + step * (pattern.length * pattern.repeat - 1),
                          static_cast<uint32_t>(2000 * pattern.delay * pattern.beat), pattern.delay});
    }
    const auto near = [](double a, double b) { return std::fabs(a - b) < kMillisecond; };
    for (const auto& [tick, quarter] : file.tempos) {
        const double seconds = file.Seconds(tick);
        bool placed = false;
        for (size_t p = 0; p < places.size(); ++p) {
            const bool nextChangesTempo = p + 1 < places.size() && places[p + 1].delay != places[p].delay;
            placed = placed || near(seconds, places[p].start) || (nextChangesTempo && near(seconds, places[p].lastStep));
        }
        EXPECT_TRUE(placed) << "a tempo event at " << seconds << " s";
    }
    for (const Place& place : places) {
        uint32_t inForce = 0;
        for (const auto& [tick, quarter] : file.tempos) {
            if (file.Seconds(tick) < place.start + kMillisecond) inForce = quarter;
        }
        EXPECT_EQ(inForce, place.quarter) << "where the pattern at " << place.start << " s starts";
    }
}

namespace {

// A start folder whose kick is a click (one loud frame) and whose snare
// sounds 20 ms, with a song of three patterns at three tempos and beats.
struct ClickSong {
    std::filesystem::path folder = StartFolder();

    ClickSong() {
        KitSounds sounds;
        sounds[kKick] = ClickSound(8000, 44100);    // one second: longer than a step
        sounds[kSnare] = ClickSound(4000, 882);     // 20 ms
        WaveCollection kit;
        BuildKit(kit, folder, sounds);
        kit.SaveToFile((folder / "standard.dxg").string());
        WritePattern(folder, "Even", 4, 60, 2, {{1, 1, KitCell(kKick)}, {2, 1, KitCell(kKick, 3)},
                                                {3, 1, KitCell(kKick)}, {4, 2, KitCell(kSnare, 9)}});
        WritePattern(folder, "Triplet", 3, 30, 1, {{1, 1, KitCell(kKick)}, {2, 1, KitCell(kKick)},
                                                   {3, 1, KitCell(kKick)}});
        SetBeat(folder, "Triplet", 3);
        WritePattern(folder, "Seven", 7, 45, 1, {{1, 1, KitCell(kKick)}, {4, 1, KitCell(kKick)},
                                                 {7, 1, KitCell(kKick, 2)}});
        SetBeat(folder, "Seven", 7);
        std::vector<std::string> lines{"Even", "Triplet", "Seven", "Even"};
        for (int k = 1; k <= 8; ++k) lines.insert(lines.end(), {"<*sam" + std::to_string(k), "Blank.wav", "44100"});
        stepweave::testing::WriteText(folder / "clicks.sng", stepweave::testing::CrLfText(lines));
    }
};

}  // namespace

TEST(MidiExport, EveryNoteStartsWithinAMillisecondOfWhereTheRenderedClickStarts) {
    ClickSong song;
    std::ostringstream out, err;
    RenderConsole console{out, err, false, [] { return false; }};
    RenderCommandArguments render;
    render.songPath = (song.folder / "clicks.sng").string();
    render.outputPath = (song.folder / "clicks.wav").string();
    render.startDirectory = song.folder.string();
    ASSERT_EQ(RenderCommand(render, console), 0) << err.str();
    std::vector<double> clicks;
    for (const int64_t frame : ReadRenderedWav(render.outputPath).SoundingFrames()) {
        clicks.push_back(static_cast<double>(frame) / 44100);
    }

    Export command;
    command.arguments.songPath = render.songPath;
    command.arguments.startDirectory = song.folder.string();
    ASSERT_EQ(command.Run(), 0) << command.err.str();
    const ReadMidiFile file = command.Read(song.folder / "clicks.mid");
    std::vector<double> notes;
    for (const ReadNote& note : file.notes) {
        notes.push_back(file.Seconds(note.tick));
    }
    std::sort(notes.begin(), notes.end());
    ASSERT_EQ(notes.size(), 4u * 2 + 3 + 3 + 4 * 2);
    ASSERT_EQ(clicks.size(), notes.size());
    for (size_t i = 0; i < notes.size(); ++i) {
        EXPECT_NEAR(notes[i], clicks[i], kMillisecond) << "note " << i;
    }
}

TEST(MidiExport, ANoteLastsOneStepOrAsLongAsItsSoundWhenThatIsShorter) {
    ClickSong song;
    Export command;
    command.arguments.songPath = (song.folder / "clicks.sng").string();
    command.arguments.startDirectory = song.folder.string();
    ASSERT_EQ(command.Run(), 0) << command.err.str();
    const ReadMidiFile file = command.Read(song.folder / "clicks.mid");
    std::vector<std::pair<int64_t, int64_t>> kicks;   // start, length
    std::vector<std::pair<int64_t, int64_t>> snares;
    std::map<int, int> kickVelocities;
    for (const ReadNote& note : file.notes) {
        if (note.note == 36) ++kickVelocities[note.velocity];
        if (note.note == 38) {
            EXPECT_EQ(note.velocity, 13);  // level 9
        }
        (note.note == 36 ? kicks : snares).emplace_back(note.tick, note.endTick - note.tick);
    }
    std::sort(kicks.begin(), kicks.end());
    std::sort(snares.begin(), snares.end());
    EXPECT_EQ(kickVelocities, (std::map<int, int>{{71, 4}, {95, 1}, {127, 13}}));  // levels 3, 2 and 1
    // Sixteenths of 120 ticks, triplets of 160, sevenths of 480 / 7.
    EXPECT_EQ(kicks[0], std::make_pair(int64_t{0}, int64_t{120}));
    EXPECT_EQ(kicks[6], std::make_pair(int64_t{960}, int64_t{160}));
    EXPECT_EQ(kicks[9], std::make_pair(int64_t{1440}, int64_t{69}));
    EXPECT_EQ(kicks[10], std::make_pair(int64_t{1440 + 206}, int64_t{68}));
    // The 20 ms snare: a sixth of a 120 ms step, but a third of the 60 ms
    // step that the render gives the last step before the faster triplets.
    ASSERT_EQ(snares.size(), 4u);
    EXPECT_EQ(snares[0], std::make_pair(int64_t{360}, int64_t{20}));
    EXPECT_EQ(snares[1], std::make_pair(int64_t{840}, int64_t{40}));
    // One pattern to a bar: each of these lasts one beat.
    EXPECT_EQ(file.timeSignatures.at(0), std::make_pair(1, 4));
    EXPECT_EQ(file.trackNames.size(), 2u);  // no sample plays
}

TEST(MidiExportCommand, WritesBesideTheSongButNeverOverAFileUnlessMinusONamesIt) {
    ClickSong song;
    Export first;
    first.arguments.songPath = "clicks";  // found in the start folder, ".sng" added
    first.arguments.startDirectory = song.folder.string();
    ASSERT_EQ(first.Run(), 0) << first.err.str();
    const auto midiPath = song.folder / "clicks.mid";
    const std::string written = stepweave::testing::FileText(midiPath);

    stepweave::testing::WriteText(midiPath, "mine");
    Export again;
    again.arguments = first.arguments;
    EXPECT_EQ(again.Run(), 1);
    EXPECT_EQ(again.err.str(), "The file \"" + midiPath.string() + "\" exists already; name it with -o to replace it.\n");
    EXPECT_EQ(stepweave::testing::FileText(midiPath), "mine");

    Export replacing;
    replacing.arguments = first.arguments;
    replacing.arguments.outputPath = midiPath.string();
    ASSERT_EQ(replacing.Run(), 0) << replacing.err.str();
    EXPECT_EQ(stepweave::testing::FileText(midiPath), written);
    for (const auto& entry : std::filesystem::directory_iterator(song.folder)) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
    }
}

TEST(MidiExportCommand, APatternIsWrittenOncePassWithoutItsRepeatsBesideItsFile) {
    ClickSong song;
    Export command;
    command.arguments.patternName = "Even";
    command.arguments.startDirectory = song.folder.string();
    ASSERT_EQ(command.Run(), 0) << command.err.str();
    const ReadMidiFile file = command.Read(song.folder / "Even.mid");
    EXPECT_EQ(file.notes.size(), 4u);
    EXPECT_EQ(file.trackNames[0], "Even");
    EXPECT_EQ(file.tempos, (std::map<int64_t, uint32_t>{{0, 2000u * 60 * 4}}));
    EXPECT_EQ(file.trackEnds[0], 480);  // the pattern's four steps: one beat
}

TEST(MidiExportCommand, AMissingPatternOrSampleIsNamedAndNothingIsWritten) {
    ClickSong song;
    std::filesystem::remove(song.folder / "Seven.pat");
    Export command;
    command.arguments.songPath = (song.folder / "clicks.sng").string();
    command.arguments.startDirectory = song.folder.string();
    EXPECT_EQ(command.Run(), 1);
    EXPECT_NE(command.err.str().find("Cannot open file"), std::string::npos) << command.err.str();
    EXPECT_NE(command.err.str().find("Seven"), std::string::npos) << command.err.str();
    EXPECT_FALSE(std::filesystem::exists(song.folder / "clicks.mid"));

    // A sample the song plays whose file is gone.
    WritePattern(song.folder, "Seven", 2, 45, 1, {{1, 1, SampleCell(2)}});
    std::vector<std::string> lines{"Seven"};
    for (int k = 1; k <= 8; ++k) lines.insert(lines.end(), {"<*sam" + std::to_string(k), k == 2 ? "gone.wav" : "Blank.wav", "44100"});
    stepweave::testing::WriteText(song.folder / "gone.sng", stepweave::testing::CrLfText(lines));
    Export sample;
    sample.arguments.songPath = (song.folder / "gone.sng").string();
    sample.arguments.startDirectory = song.folder.string();
    EXPECT_EQ(sample.Run(), 1);
    EXPECT_NE(sample.err.str().find("gone.wav"), std::string::npos) << sample.err.str();
    EXPECT_FALSE(std::filesystem::exists(song.folder / "gone.mid"));
}
