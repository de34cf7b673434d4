// The work behind the WAV dialog: the panel for what is selected, converting
// and playing the notes on a recording MIDI device, the kept notes, the
// voice, saving a MIDI file, listening, and closing.
#include "voxnote/app/conversion/wav_dialog_session.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>
#include <sstream>

#include "tests/voxnote/app/mididevices/midi_test_devices.h"
#include "tests/voxnote/app/test_support.h"
#include "voxnote/analysis/detector/detector.h"
#include "voxnote/app/conversion/convert_command.h"
#include "voxnote/app/settings/current_detector_settings.h"
#include "tests/support/voxnote/manual_audio_output.h"
#include "tests/support/voxnote/manual_playback_clock.h"
#include "tests/support/voxnote/recording_midi_device.h"
#include "voxnote/app/midi/sequencer_stream.h"
#include "voxnote/app/settings/string_table.h"
#include "tests/voxnote/app/conversion/wav_dialog_test_files.h"

namespace voxnote {
namespace {

// Stands in for the window: counts redraws, runs a script between the
// blocks of a conversion, and queues what the player thread posts.
class ScriptedHost : public WavDialogHost {
public:
    void PanelChanged() override { ++redraws; }
    void ProcessPendingEvents() override {
        ++eventRounds;
        if (betweenBlocks) {
            betweenBlocks();
        }
    }
    void PostToWindow(std::function<void()> task) override {
        std::lock_guard lock(mutex_);
        posted_.push_back(std::move(task));
        arrived_.notify_all();
    }

    // Runs the first posted task, waiting up to ten seconds for one (a
    // guard against a hang). False when none came.
    bool RunPosted() {
        std::function<void()> task;
        {
            std::unique_lock lock(mutex_);
            if (!arrived_.wait_for(lock, std::chrono::seconds(10), [this] { return !posted_.empty(); })) {
                return false;
            }
            task = std::move(posted_.front());
            posted_.pop_front();
        }
        task();
        return true;
    }

    int redraws = 0;
    int eventRounds = 0;
    std::function<void()> betweenBlocks;

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<std::function<void()>> posted_;
};

class WavDialogSessionTest : public testing::Test {
protected:
    WavDialogSessionTest() {
        devices.devices.push_back(synth);
        auto output = std::make_unique<ManualAudioOutput>(44100);
        audio = output.get();
        WavDialogSettings settings;
        settings.analysis = CurrentDetectorSettings().Header();
        settings.voice = 5;
        session = std::make_unique<WavDialogSession>(host, reporter, stream, std::move(output), *detector, settings);
    }

    std::filesystem::path Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        test::WriteBytes(folder / name, bytes);
        return folder / name;
    }

    // What the device should have been sent for these records: each message
    // at its time from the start of the playback.
    static std::vector<SentMidiMessage> ExpectedMessages(const MidiStreamBuffer& events, uint32_t startMs) {
        std::vector<SentMidiMessage> expected;
        uint32_t time = startMs;
        for (size_t i = 0; i + 1 < events.RecordCount(); ++i) {
            time += events.Record(i).deltaTime;
            expected.push_back({events.Record(i).event, time});
        }
        return expected;
    }

    std::vector<SentMidiMessage> SentFrom(size_t first, size_t count) const {
        std::vector<SentMidiMessage> sent = synth->Sent();
        if (first >= sent.size()) {
            return {};
        }
        return {sent.begin() + static_cast<std::ptrdiff_t>(first),
                sent.begin() + static_cast<std::ptrdiff_t>(std::min(sent.size(), first + count))};
    }

    test::TemporaryFolder folder;
    ScriptedHost host;
    test::RecordingReporter reporter;
    ManualPlaybackClock clock;
    std::shared_ptr<RecordingMidiDevice> synth =
        std::make_shared<RecordingMidiDevice>("Synth", midi_technology::kWavetableSynthesizer, clock);
    test::ListedMidiDevices devices;
    SequencerStream stream{devices, clock};
    std::unique_ptr<DetectorState> detector = std::make_unique<DetectorState>();
    ManualAudioOutput* audio = nullptr;
    std::unique_ptr<WavDialogSession> session;
};

TEST_F(WavDialogSessionTest, ThePanelShowsAValidHeaderAndNothingForAnythingElse) {
    session->SelectFile(Write("notes.wav", test::ShortNotesStereoWav(7)));  // 2.1 s
    WavDialogPanel panel = session->Panel();
    EXPECT_EQ(panel.sampleRate, "44100 Hz");
    EXPECT_EQ(panel.bitsPerSample, "16");
    EXPECT_EQ(panel.channels, "2");
    EXPECT_EQ(panel.duration, "2.1 secs ");
    EXPECT_TRUE(panel.audioEnabled);
    EXPECT_TRUE(panel.midiEnabled);
    EXPECT_TRUE(panel.saveEnabled);
    EXPECT_EQ(panel.audioCaption, "Audio");
    EXPECT_EQ(panel.midiCaption, "MIDI");
    EXPECT_EQ(panel.status, "");

    // A header the converter would refuse still shows, and may be tried.
    session->SelectFile(Write("eight.wav", test::EightBitWav48k(48000)));
    panel = session->Panel();
    EXPECT_EQ(panel.sampleRate, "48000 Hz");
    EXPECT_EQ(panel.bitsPerSample, "8");
    EXPECT_EQ(panel.channels, "1");
    EXPECT_EQ(panel.duration, "1 sec ");
    EXPECT_TRUE(panel.midiEnabled);

    const WavDialogPanel empty = PanelFor({});
    EXPECT_EQ(empty.sampleRate, "");
    EXPECT_FALSE(empty.audioEnabled);
    EXPECT_FALSE(empty.midiEnabled);
    EXPECT_FALSE(empty.saveEnabled);
    for (const std::filesystem::path& other :
         {Write("text.wav", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '}), folder / "missing.wav",
          folder.Path(), std::filesystem::path()}) {
        session->SelectFile(other);
        EXPECT_EQ(session->Panel(), empty) << other;
    }
    EXPECT_TRUE(reporter.texts.empty()) << "the peek never reports";
}

TEST_F(WavDialogSessionTest, AFormatTheConverterRefusesShowsEachMessageThenNoNotesDetected) {
    session->SelectFile(Write("eight.wav", test::EightBitWav48k(48000)));
    session->PressMidi();
    EXPECT_EQ(reporter.texts, (std::vector<std::string>{Text(strings::kFrequencyShouldBe),
                                                         Text(strings::kSamplesShouldBe16Bit),
                                                         Text(strings::kNoNotesDetected)}));
    EXPECT_EQ(reporter.kinds,
              (std::vector<MessageKind>{MessageKind::Warning, MessageKind::Warning, MessageKind::Information}));
    EXPECT_FALSE(session->IsMidiPlaying());
    EXPECT_EQ(session->Panel().midiCaption, "MIDI");
    EXPECT_EQ(synth->OpenCount(), 0);

    reporter.texts.clear();
    session->SelectFile(Write("silence.wav", test::WavImage(std::vector<int16_t>(11025, 0))));
    session->PressMidi();
    EXPECT_EQ(reporter.texts, std::vector<std::string>{Text(strings::kNoNotesDetected)});
}

TEST_F(WavDialogSessionTest, TheNotesPlayAtAThousandTicksPerSecondAndTheButtonReturnsWhenDone) {
    session->SelectFile(Write("notes.wav", test::ShortNotesWav(12)));
    WavDialogPanel whileConverting;
    host.betweenBlocks = [&] { whileConverting = session->Panel(); };
    session->PressMidi();
    EXPECT_GT(host.eventRounds, 0) << "events are processed between blocks";
    EXPECT_EQ(whileConverting.status, "Processing...");
    EXPECT_FALSE(whileConverting.audioEnabled);
    EXPECT_FALSE(whileConverting.midiEnabled);
    EXPECT_FALSE(whileConverting.saveEnabled);

    ASSERT_NE(session->Events(), nullptr);
    const MidiStreamBuffer events = *session->Events();
    ASSERT_GE(NoteEventsOf(events).size(), 12u);
    EXPECT_EQ(events.Record(0).event, ProgramChangeEvent(5));
    const std::vector<SentMidiMessage> expected = ExpectedMessages(events, 0);

    // The player thread posts its done notice; the window finishes on its own thread.
    ASSERT_TRUE(host.RunPosted());
    EXPECT_FALSE(session->IsMidiPlaying());
    EXPECT_EQ(session->Panel().midiCaption, "MIDI");
    EXPECT_TRUE(session->Panel().audioEnabled);
    EXPECT_EQ(SentFrom(0, expected.size()), expected);
    EXPECT_FALSE(synth->IsOpen());
    EXPECT_TRUE(reporter.texts.empty());
}

TEST_F(WavDialogSessionTest, WhilePlayingTheButtonStopsAndAudioWaits) {
    session->SelectFile(Write("notes.wav", test::ShortNotesWav(6)));
    clock.HoldAt(250);
    session->PressMidi();
    ASSERT_TRUE(session->IsMidiPlaying());
    ASSERT_TRUE(clock.WaitForSleeper());
    WavDialogPanel panel = session->Panel();
    EXPECT_EQ(panel.midiCaption, "Stop");
    EXPECT_TRUE(panel.midiEnabled);
    EXPECT_FALSE(panel.audioEnabled);
    session->PressAudio();
    EXPECT_FALSE(audio->IsOpen()) << "no sound while the notes play";

    session->PressMidi();
    EXPECT_FALSE(session->IsMidiPlaying());
    EXPECT_FALSE(synth->IsOpen());
    EXPECT_EQ(session->Panel().midiCaption, "MIDI");
    EXPECT_TRUE(session->Panel().audioEnabled);
}

TEST_F(WavDialogSessionTest, TheNotesAreKeptUntilTheFileChangesOrAnotherIsSelected) {
    const auto file = Write("tune.wav", test::ShortNotesWav(6, 60));
    session->SelectFile(file);
    session->PressMidi();
    ASSERT_TRUE(host.RunPosted());
    const MidiStreamBuffer first = *session->Events();
    const int roundsOfFirst = host.eventRounds;

    // Other sound with the old modification time: the kept notes play again.
    const auto time = std::filesystem::last_write_time(file);
    test::WriteBytes(file, test::ShortNotesWav(6, 67));
    std::filesystem::last_write_time(file, time);
    const size_t before = synth->Sent().size();
    session->PressMidi();
    EXPECT_EQ(host.eventRounds, roundsOfFirst) << "not converted again";
    ASSERT_TRUE(host.RunPosted());
    EXPECT_EQ(SentFrom(before, 2).at(1).message, first.Record(1).event);

    // A new modification time: converted again, and the new notes play.
    std::filesystem::last_write_time(file, time + std::chrono::seconds(10));
    session->PressMidi();
    EXPECT_GT(host.eventRounds, roundsOfFirst);
    ASSERT_TRUE(host.RunPosted());
    EXPECT_EQ(NoteEventsOf(*session->Events()).back().note, NoteEventsOf(first).back().note + 7);

    // Selecting the file again discards what was kept.
    session->SelectFile(folder / "other.wav");
    session->SelectFile(file);
    EXPECT_EQ(session->Events(), nullptr);
}

TEST_F(WavDialogSessionTest, AVoiceChangeIsSentAtOnceWhilePlayingAndOtherwiseChangesTheFirstRecord) {
    session->SelectFile(Write("notes.wav", test::ShortNotesWav(6)));
    session->PressMidi();
    ASSERT_TRUE(host.RunPosted());

    session->ChangeVoice(41);
    EXPECT_EQ(session->Events()->Record(0).event, ProgramChangeEvent(41));
    const size_t idle = synth->Sent().size();

    clock.HoldAt(clock.Now() + 250);
    session->PressMidi();
    ASSERT_TRUE(clock.WaitForSleeper());
    EXPECT_EQ(synth->Sent().at(idle).message, ProgramChangeEvent(41)) << "the next playback starts in the new voice";

    session->ChangeVoice(73);
    EXPECT_EQ(synth->Sent().back().message, ProgramChangeEvent(73)) << "heard at once";
    EXPECT_EQ(session->Events()->Record(0).event, ProgramChangeEvent(73));
    EXPECT_EQ(session->Voice(), 73);
    clock.Release();
    ASSERT_TRUE(host.RunPosted());
}

TEST_F(WavDialogSessionTest, SavingWritesTheFileThatConvertWrites) {
    setenv("VOXNOTE_INI", (folder / "voxnote.ini").c_str(), 1);
    const auto input = Write("notes.wav", test::ShortNotesStereoWav(8));
    session->SelectFile(input);
    session->ChangeVoice(19);
    ASSERT_TRUE(session->SaveMidiFile(folder / "dialog.mid"));
    EXPECT_GT(host.eventRounds, 0) << "converted first";
    EXPECT_FALSE(session->IsMidiPlaying());

    ConvertOptions options;
    options.inputPath = input.string();
    options.midiPath = (folder / "command.mid").string();
    options.voice = 19;
    std::ostringstream output;
    test::RecordingReporter commandReporter;
    ASSERT_EQ(RunConvert(options, output, commandReporter), kConvertSucceeded);
    unsetenv("VOXNOTE_INI");

    const std::string saved = test::ReadText(folder / "dialog.mid");
    EXPECT_EQ(saved.substr(0, 4), "MThd");
    EXPECT_EQ(saved, test::ReadText(folder / "command.mid"));

    // The kept notes are saved without converting again.
    const int rounds = host.eventRounds;
    ASSERT_TRUE(session->SaveMidiFile(folder / "again.mid"));
    EXPECT_EQ(host.eventRounds, rounds);
    EXPECT_EQ(test::ReadText(folder / "again.mid"), saved);
    EXPECT_TRUE(reporter.texts.empty());
}

// Six notes from E2 (82 Hz) up: the classic detector hears none of them.
TEST_F(WavDialogSessionTest, TheChosenDetectorConvertsAndAnotherChoiceConvertsAgain) {
    const auto file = Write("low.wav", test::ShortNotesWav(6, 40));
    EXPECT_EQ(session->Detector(), DetectorChoice::Classic);
    session->SelectFile(file);
    session->PressMidi();
    EXPECT_EQ(reporter.texts, std::vector<std::string>{Text(strings::kNoNotesDetected)});
    EXPECT_EQ(session->Events(), nullptr);

    reporter.texts.clear();
    session->ChangeDetector(DetectorChoice::Precise);
    EXPECT_EQ(session->Detector(), DetectorChoice::Precise);
    session->PressMidi();
    ASSERT_NE(session->Events(), nullptr) << ::testing::PrintToString(reporter.texts);
    std::vector<int> notes;
    for (const TimedNoteEvent& event : NoteEventsOf(*session->Events())) {
        if (event.velocity > 0) notes.push_back(event.note);
    }
    EXPECT_EQ(notes, (std::vector<int>{40, 44, 47, 52, 47, 44}));
    ASSERT_TRUE(host.RunPosted());

    // Kept while the choice stays; the other detector converts again.
    const int rounds = host.eventRounds;
    session->PressMidi();
    ASSERT_TRUE(host.RunPosted());
    EXPECT_EQ(host.eventRounds, rounds);
    session->ChangeDetector(DetectorChoice::Classic);
    session->PressMidi();
    EXPECT_GT(host.eventRounds, rounds);
    EXPECT_EQ(session->Events(), nullptr);
    EXPECT_EQ(reporter.texts, std::vector<std::string>{Text(strings::kNoNotesDetected)});
}

TEST_F(WavDialogSessionTest, SavingWithThePreciseDetectorWritesTheFileThatConvertWrites) {
    setenv("VOXNOTE_INI", (folder / "voxnote.ini").c_str(), 1);
    const auto input = Write("low.wav", test::ShortNotesStereoWav(8, 40));
    session->ChangeDetector(DetectorChoice::Precise);
    session->SelectFile(input);
    ASSERT_TRUE(session->SaveMidiFile(folder / "dialog.mid"));

    ConvertOptions options;
    options.inputPath = input.string();
    options.midiPath = (folder / "command.mid").string();
    options.voice = 5;
    options.detector = DetectorChoice::Precise;
    std::ostringstream output;
    test::RecordingReporter commandReporter;
    ASSERT_EQ(RunConvert(options, output, commandReporter), kConvertSucceeded);
    unsetenv("VOXNOTE_INI");
    EXPECT_EQ(output.str(), "Notes found: 8\n");
    EXPECT_EQ(test::ReadText(folder / "dialog.mid"), test::ReadText(folder / "command.mid"));
    EXPECT_TRUE(reporter.texts.empty());
}

// Closed while the precise detector gathers the file, nothing is detected.
TEST_F(WavDialogSessionTest, ClosingDuringAPreciseConversionStopsIt) {
    session->ChangeDetector(DetectorChoice::Precise);
    session->SelectFile(Write("notes.wav", test::ShortNotesWav(40)));
    host.betweenBlocks = [&] { session->Close(); };
    session->PressMidi();
    EXPECT_EQ(host.eventRounds, 1);
    EXPECT_FALSE(session->IsProcessing());
    EXPECT_EQ(session->Events(), nullptr);
    EXPECT_EQ(synth->OpenCount(), 0);
    EXPECT_TRUE(reporter.texts.empty());
}

TEST_F(WavDialogSessionTest, SavingNothingOrNowhereSaysWhy) {
    session->SelectFile(Write("silence.wav", test::WavImage(std::vector<int16_t>(11025, 0))));
    EXPECT_FALSE(session->SaveMidiFile(folder / "silence.mid"));
    EXPECT_FALSE(std::filesystem::exists(folder / "silence.mid"));
    EXPECT_EQ(reporter.texts, std::vector<std::string>{Text(strings::kNoNotesDetected)});

    reporter.texts.clear();
    session->SelectFile(Write("notes.wav", test::ShortNotesWav(6)));
    const auto nowhere = folder / "no such folder" / "notes.mid";
    EXPECT_FALSE(session->SaveMidiFile(nowhere));
    EXPECT_EQ(reporter.texts, std::vector<std::string>{FormatText(strings::kCannotWriteFile, {nowhere.string()})});
}

TEST_F(WavDialogSessionTest, ClosingOrSelectingAnotherFileDuringAConversionStopsIt) {
    const auto file = Write("notes.wav", test::ShortNotesWav(40));
    session->SelectFile(file);
    host.betweenBlocks = [&] { session->SelectFile(folder / "other.wav"); };
    session->PressMidi();
    EXPECT_EQ(host.eventRounds, 1) << "stopped after the first block";
    EXPECT_FALSE(session->IsProcessing());
    EXPECT_FALSE(session->IsMidiPlaying());
    EXPECT_EQ(session->Events(), nullptr);
    EXPECT_EQ(session->SelectedFile(), folder / "other.wav");

    session->SelectFile(file);
    host.eventRounds = 0;
    host.betweenBlocks = [&] { session->Close(); };
    session->PressMidi();
    EXPECT_EQ(host.eventRounds, 1);
    EXPECT_FALSE(session->IsMidiPlaying());
    EXPECT_EQ(synth->OpenCount(), 0);
    EXPECT_TRUE(reporter.texts.empty()) << "an abandoned conversion says nothing";
}

TEST_F(WavDialogSessionTest, TheFileSoundsToItsEndAndTheButtonReturns) {
    session->SelectFile(Write("notes.wav", test::ShortNotesWav(2)));  // 0.6 s
    session->PressAudio();
    ASSERT_TRUE(session->IsAudioPlaying());
    WavDialogPanel panel = session->Panel();
    EXPECT_EQ(panel.audioCaption, "Stop");
    EXPECT_TRUE(panel.audioEnabled);
    EXPECT_FALSE(panel.midiEnabled);
    session->PressMidi();
    EXPECT_EQ(synth->OpenCount(), 0) << "no notes while the file sounds";

    for (int pull = 0; pull < 1000 && session->IsAudioPlaying(); ++pull) {
        audio->Pull(441);
        session->PumpAudio();
    }
    EXPECT_FALSE(session->IsAudioPlaying());
    EXPECT_FALSE(audio->IsOpen());
    EXPECT_EQ(session->Panel().audioCaption, "Audio");
    EXPECT_TRUE(session->Panel().midiEnabled);
    EXPECT_NEAR(static_cast<double>(audio->Rendered().size()) / 2, 0.6 * 44100, 441 * 2);

    // Pressed again while sounding, it stops.
    session->PressAudio();
    audio->Pull(441);
    session->PressAudio();
    EXPECT_FALSE(session->IsAudioPlaying());
    EXPECT_FALSE(audio->IsOpen());
    EXPECT_TRUE(reporter.texts.empty());

    audio->FailNextOpen("The audio output can't be started: busy");
    session->PressAudio();
    EXPECT_EQ(reporter.texts, std::vector<std::string>{"The audio output can't be started: busy"});
    EXPECT_EQ(session->Panel().audioCaption, "Audio");
}

TEST_F(WavDialogSessionTest, ClosingStopsWhatPlaysAndKeepsTheVoice) {
    session->SelectFile(Write("notes.wav", test::ShortNotesWav(6)));
    session->PressAudio();
    ASSERT_TRUE(audio->IsRunning());
    session->ChangeVoice(24);
    session->Close();
    EXPECT_FALSE(audio->IsOpen());
    EXPECT_EQ(session->Voice(), 24);

    // A session closed while its notes play ends them and sends no more.
    session = std::make_unique<WavDialogSession>(host, reporter, stream, std::make_unique<ManualAudioOutput>(44100),
                                                 *detector, WavDialogSettings{});
    session->SelectFile(folder / "notes.wav");
    clock.HoldAt(clock.Now() + 1000);
    session->PressMidi();
    ASSERT_TRUE(clock.WaitForSleeper());
    session->Close();
    EXPECT_FALSE(synth->IsOpen());
    const std::vector<SentMidiMessage> sent = synth->Sent();
    EXPECT_LT(sent.size(), ExpectedMessages(*session->Events(), 0).size());
    std::set<int> sounding;
    for (const SentMidiMessage& message : sent) {
        const uint8_t status = message.message & 0xF0;
        const int note = (message.message >> 8) & 0x7F;
        if (status == 0x90 && (message.message >> 16) != 0) {
            sounding.insert(note);
        } else if (status == 0x80 || status == 0x90) {
            sounding.erase(note);
        } else if (status == 0xB0 && ((message.message >> 8) & 0x7F) == 0x7B) {
            sounding.clear();
        }
    }
    EXPECT_TRUE(sounding.empty()) << "no note is left hanging";
    clock.Release();
    EXPECT_EQ(synth->Sent().size(), sent.size());
}

TEST_F(WavDialogSessionTest, WithoutAMidiDeviceTheStreamCannotBeOpened) {
    devices.devices.clear();
    session->SelectFile(Write("notes.wav", test::ShortNotesWav(6)));
    session->PressMidi();
    EXPECT_EQ(reporter.texts, std::vector<std::string>{Text(strings::kCannotOpenMidiStream)});
    EXPECT_FALSE(session->IsMidiPlaying());
    EXPECT_NE(session->Events(), nullptr) << "the notes are kept for another try";
}

}  // namespace
}  // namespace voxnote
