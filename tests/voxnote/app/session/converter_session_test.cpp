// The converter session as the windows drive it, with no window: a live
// run's states and what starts and ends each, and what opening the dialogs
// does to them. The sound comes from a recording device the test pumps.
#include "voxnote/app/session/converter_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "tests/support/voxnote/manual_audio_input.h"
#include "tests/support/voxnote/recording_midi_device.h"
#include "tests/voxnote/app/mididevices/midi_test_devices.h"
#include "tests/voxnote/app/scripted_prompt.h"
#include "tests/voxnote/app/test_support.h"
#include "voxnote/app/mididevices/midi_output_device.h"

namespace voxnote {
namespace {

using Bound = NoteLearn::Bound;

class NoPrograms : public ProgramStarter {
public:
    bool Start(const std::string&) override { return false; }
};

std::vector<int16_t> Tone(double frequency, double seconds) {
    return test::SineSamples(frequency, 8000, static_cast<size_t>(seconds * 11025));
}

class Session : public ::testing::Test {
protected:
    Session() {
        ConverterServices services;
        services.profilePath = folder / "voxnote.ini";
        services.prompt = &prompt;
        services.programStarter = &programs;
        services.midiDevices = &devices;
        auto manual = std::make_unique<ManualAudioInput>();
        input = manual.get();
        services.audioInput = std::move(manual);
        session = std::make_unique<ConverterSession>(std::move(services));
    }
    ~Session() override { EXPECT_TRUE(prompt.unexpected.empty()) << prompt.Unexpected(); }

    // Starts a run as the record toggle does; the count of recorded samples
    // starts again with it.
    void PressRecordToggle() {
        session->PressRecordToggle();
        pumped = 0;
    }
    // Pumps the samples into the recording a few blocks at a time, as a sound
    // card would, and polls as the window does until every filled block has
    // been analysed.
    void Record(const std::vector<int16_t>& samples) {
        constexpr size_t kChunk = 4 * 4096;
        for (size_t start = 0; start < samples.size(); start += kChunk) {
            const size_t count = std::min(kChunk, samples.size() - start);
            ASSERT_TRUE(input->Pump(std::span<const int16_t>(samples.data() + start, count)));
            pumped += count;
            for (int poll = 0; poll < 100 && session->Capture()->BytesProcessed() < pumped / 4096 * 8192; ++poll) {
                session->Poll();
            }
            ASSERT_EQ(session->Capture()->BytesProcessed(), pumped / 4096 * 8192);
        }
    }
    // A held A (note 69) after a moment of silence, long enough to be decided while it sounds.
    void RecordTone(double frequency = 440) {
        Record(Tone(0, 0.4));
        Record(Tone(frequency, 3.0));
        Record(Tone(frequency, 0.8));
    }
    NoteRange Range() const { return session->Settings().Range(); }

    test::TemporaryFolder folder;
    test::ScriptedPrompt prompt;
    NoPrograms programs;
    test::ListedMidiDevices devices;
    ManualAudioInput* input = nullptr;
    std::unique_ptr<ConverterSession> session;
    size_t pumped = 0;
};

// The analysis starts with its own values, not those of the slider positions.
TEST_F(Session, StartsWithTheStartUpValuesAndRewritesDefault) {
    EXPECT_FALSE(session->InitFailed());
    EXPECT_EQ(session->State(), RunState::Idle);
    EXPECT_EQ(session->Settings().PresetName(), "Default");
    const DetectorHeaderSettings& header = session->Settings().Detector().Header();
    EXPECT_EQ(header.inputThreshold, 450u);
    EXPECT_EQ(header.reattackGap, 80u);
    EXPECT_EQ(header.releaseDrop, 150u);
    EXPECT_EQ(header.velocityBase, 350u);
    EXPECT_EQ(int(header.maximumNote), 101);
    EXPECT_EQ(int(header.minimumNote), 33);
    const std::string ini = test::ReadText(folder / "voxnote.ini");
    for (const char* line : {"Input Volume=13\n", "Maximum Note=101\n", "Constant Note=-1\n", "Output Volume=50\n"}) {
        EXPECT_NE(ini.find(line), std::string::npos) << line;
    }
}

TEST_F(Session, TheRecordToggleRunsAndItsNotesSoundOnSetupsDevice) {
    auto device = std::make_shared<RecordingMidiDevice>("Synth", midi_technology::kWavetableSynthesizer,
                                                        SystemPlaybackClock());
    devices.devices = {device};
    session->SetMidiDevice(0);
    session->Settings().System().midiVoice = 73;  // flute
    PressRecordToggle();
    EXPECT_EQ(session->State(), RunState::Running);
    EXPECT_TRUE(session->RecordToggleOn());
    RecordTone();
    session->PressRecordToggle();
    EXPECT_EQ(session->State(), RunState::Idle);
    EXPECT_FALSE(session->RecordToggleOn());
    ASSERT_TRUE(device->WaitForMessages(3));
    const std::vector<SentMidiMessage> sent = device->Sent();
    EXPECT_EQ(sent.front().message, 73u * 256 + 0xC0);  // the voice first, on channel 1
    EXPECT_TRUE(std::any_of(sent.begin(), sent.end(), [](const SentMidiMessage& m) {
        return (m.message & 0xFFFF) == 0x4590 && (m.message >> 16) > 0;
    }));
    // Stopped while the note sounds: it is ended, and the device closes once played out.
    for (int wait = 0; wait < 500 && device->IsOpen(); ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const std::vector<SentMidiMessage> all = device->Sent();
    EXPECT_TRUE(std::any_of(all.begin(), all.end(), [](const SentMidiMessage& m) {
        return (m.message & 0xFFFF) == 0x4580 || ((m.message & 0xFFFF) == 0x4590 && (m.message >> 16) == 0);
    }));
    EXPECT_FALSE(device->IsOpen());
}

TEST_F(Session, AStoppedRunAnalysesNoMoreBlocksAndTheNextStartsAfresh) {
    PressRecordToggle();
    Record(Tone(0, 0.4));
    const uint64_t processed = session->Capture()->BytesProcessed();
    // Eight blocks of a held note come back from the device; the user stops first.
    ASSERT_TRUE(input->Pump(Tone(440, 8 * 4096 / 11025.0)));
    session->PressRecordToggle();
    session->Poll();
    EXPECT_EQ(session->Capture()->BytesProcessed(), processed);
    EXPECT_EQ(int(session->Capture()->Display().currentNote), 0);
    PressRecordToggle();
    EXPECT_EQ(session->Capture()->BytesProcessed(), 0u);
    Record(Tone(0, 0.8));
    EXPECT_EQ(session->Capture()->BytesProcessed(), 2u * 8192);
}

TEST_F(Session, ARunThatFallsBehindEndsAndAsksForHigherPriority) {
    prompt.answers = {false, true};
    for (const bool yes : {false, true}) {
        PressRecordToggle();
        // Nine blocks at once: the device is left with one, and the session falls behind.
        ASSERT_TRUE(input->Pump(Tone(220, 9 * 4096 / 11025.0)));
        for (int poll = 0; poll < 100 && session->IsRunActive(); ++poll) {
            session->Poll();
        }
        EXPECT_EQ(session->State(), RunState::Idle);
        EXPECT_FALSE(session->RecordToggleOn());
        EXPECT_EQ(prompt.asked.back().kind, "yes/no");
        EXPECT_EQ(prompt.asked.back().text,
                  "Warning - driver halted !  Not enough power.\n"
                  "There may be enough power if the 'Higher Priority Processing' option is set.\n"
                  "Do you wish to set this option now ?");
        EXPECT_EQ(session->Settings().System().higherPriority, yes);
    }
    EXPECT_NE(test::ReadText(folder / "voxnote.ini").find("Higher Priority=1\n"), std::string::npos);
    EXPECT_TRUE(session->Capture()->HigherPriority());
}

TEST_F(Session, LearningTheMaximumStartsAndEndsARunOfItsOwn) {
    session->DoubleClickNoteField(Bound::Maximum);
    EXPECT_EQ(session->State(), RunState::LearningNote);
    EXPECT_EQ(session->LearningBound(), Bound::Maximum);
    EXPECT_TRUE(session->RecordToggleOn());
    EXPECT_EQ(int(session->Settings().Detector().Header().maximumNote), 101);  // wide open while learning
    EXPECT_EQ(session->LearningFieldNote(), 101);
    pumped = 0;
    RecordTone();
    EXPECT_EQ(session->LearningFieldNote(), 69);

    session->DoubleClickNoteField(Bound::Maximum);
    EXPECT_EQ(session->State(), RunState::Idle);
    EXPECT_EQ(Range().maximum, 69);
    EXPECT_EQ(int(session->Settings().Detector().Header().maximumNote), 69);
    EXPECT_FALSE(session->RecordToggleOn());
}

TEST_F(Session, LearningListensToTheUsersRunAndLeavesItGoing) {
    session->SetNoteRange({60, 40});
    PressRecordToggle();
    session->DoubleClickNoteField(Bound::Minimum);
    EXPECT_EQ(Range().minimum, 24);
    RecordTone();  // 69 lies above the maximum: the analysis hears no note

    // The down key ends learning first (the saved 40 comes back), then steps.
    session->StepNoteBound(Bound::Minimum, false);
    EXPECT_EQ(session->State(), RunState::Running);
    EXPECT_EQ(Range().minimum, 39);

    // Learning the maximum while the minimum learns ends the minimum first.
    session->DoubleClickNoteField(Bound::Minimum);
    session->DoubleClickNoteField(Bound::Maximum);
    EXPECT_EQ(session->LearningBound(), Bound::Maximum);
    EXPECT_EQ(Range().minimum, 39);
    EXPECT_EQ(Range().maximum, 101);
    RecordTone();  // heard now that the maximum is open
    session->DoubleClickNoteField(Bound::Maximum);
    EXPECT_EQ(Range().maximum, 69);
    EXPECT_EQ(session->State(), RunState::Running);
}

TEST_F(Session, LearningEndsWhenTheRunStopsOrCannotStart) {
    session->DoubleClickNoteField(Bound::Maximum);
    session->PressRecordToggle();
    EXPECT_EQ(session->State(), RunState::Idle);
    EXPECT_EQ(Range().maximum, 101);  // nothing was heard: the saved value

    input->FailCall(DeviceCall::Open);
    session->SetNoteRange({80, 33});
    session->DoubleClickNoteField(Bound::Maximum);
    EXPECT_EQ(session->State(), RunState::Idle);
    EXPECT_FALSE(session->RecordToggleOn());
    EXPECT_EQ(Range().maximum, 80);
    EXPECT_EQ(prompt.Messages(), std::vector<std::string>{"Could not open the input device for recording."});
}

// A slightly sharp A: the meter moves, Tuning does not, until "Done".
TEST_F(Session, TuneModeMetersTheFineStepAndDoneTakesIt) {
    session->OpenSetup();
    session->PressTune();
    EXPECT_EQ(session->State(), RunState::TuneMode);
    EXPECT_TRUE(session->IsRunActive());
    EXPECT_FALSE(session->RecordToggleOn());  // tune mode's run leaves the toggle up
    pumped = 0;
    RecordTone(441.5);
    const int fine = session->Capture()->Display().fineStep;
    EXPECT_EQ(int(session->Capture()->Display().currentNote), 69);
    EXPECT_EQ(session->TuningShown(), fine - 4);
    EXPECT_EQ(session->Settings().Detector().Values().tuning, 0);

    session->PressTune();
    EXPECT_EQ(session->State(), RunState::Idle);
    EXPECT_EQ(session->Settings().Detector().Values().tuning, fine - 4);
    EXPECT_EQ(session->Settings().Detector().Header().tuning, fine - 4);
}

TEST_F(Session, TheRecordToggleDuringTuneModeOnlyEndsIt) {
    PressRecordToggle();
    session->OpenSetup();
    session->SetTuning(3);
    session->PressTune();
    EXPECT_EQ(session->State(), RunState::TuneMode);
    EXPECT_FALSE(session->RecordToggleOn());  // the run goes on; only the toggle looks up
    session->PressRecordToggle();
    EXPECT_EQ(session->State(), RunState::Running);
    EXPECT_TRUE(session->RecordToggleOn());
    EXPECT_EQ(session->Settings().Detector().Values().tuning, 3);
    session->CloseSetup();
    session->PressRecordToggle();
    EXPECT_EQ(session->State(), RunState::Idle);
}

TEST_F(Session, ClosingSetupInTuneModeEndsItsRun) {
    session->OpenSetup();
    session->PressTune();
    session->CloseSetup();
    EXPECT_EQ(session->State(), RunState::Idle);
    EXPECT_FALSE(session->IsSetupOpen());
}

// Learning, tune mode and the run end; the dialog's voice and detector stay.
TEST_F(Session, OpeningAWavFileClearsTheWay) {
    session->SetAutoShrink(true);
    session->DoubleClickNoteField(Bound::Minimum);
    session->BeginWavFile();
    EXPECT_EQ(session->State(), RunState::Idle);
    EXPECT_EQ(Range().minimum, 33);
    EXPECT_FALSE(session->IsAutoShrinkInEffect());
    session->EndWavFile({12, DetectorChoice::Precise});
    EXPECT_TRUE(session->IsAutoShrinkInEffect());
    EXPECT_EQ(session->Settings().System().midiVoice, 12);
    EXPECT_NE(test::ReadText(folder / "voxnote.ini").find("Detector=1\n"), std::string::npos);

    session->OpenSetup();
    session->PressTune();
    session->SetTuning(-2);
    session->BeginWavFile();
    EXPECT_EQ(session->State(), RunState::Idle);
    EXPECT_EQ(session->Settings().Detector().Header().tuning, -2);
}

TEST_F(Session, ThePresetsDialogStopsTheRunAndCarriesOutHowItEnded) {
    PressRecordToggle();
    EXPECT_EQ(session->BeginPresets(), "");
    EXPECT_EQ(session->State(), RunState::Idle);
    session->SetScale(4);
    session->EndPresets(PresetOperation::Save, "Alto");
    session->SetScale(12);
    EXPECT_EQ(session->BeginPresets(), "Default");  // a displayed setting was touched
    session->EndPresets(PresetOperation::Load, "Alto");
    EXPECT_EQ(session->Settings().Scale(), 4);
    EXPECT_EQ(session->Settings().PresetName(), "Alto");
    session->BeginPresets();
    session->EndPresets(PresetOperation::Unknown, "Alto");
    EXPECT_EQ(prompt.Messages(), std::vector<std::string>{"Unknown presets operation"});
    session->BeginPresets();
    session->EndPresets(PresetOperation::Load, "");
    EXPECT_EQ(session->Settings().PresetName(), "Alto");
}

}  // namespace
}  // namespace voxnote
