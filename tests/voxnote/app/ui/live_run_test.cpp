// Live runs from the main window: what the displays show while a tone is
// recorded, stopping, the capture falling behind, and learning the note range
// from the voice.
#include <QtTest>

#include <algorithm>

#include "tests/voxnote/app/test_support.h"
#include "tests/voxnote/app/ui/window_test_support.h"
#include "voxnote/app/display/main_window_layout.h"
#include "tests/support/voxnote/recording_midi_device.h"
#include "voxnote/app/ui/main_dialog.h"

using namespace voxnote;
using namespace voxnote::test;

namespace {

const QRect kMaximumField(15, 225, 28, 19);
const QRect kMinimumField(15, 265, 28, 19);
const QRect kPitchNoteName(11, 179, 21, 13);

const std::string kOverloadQuestion =
    "Warning - driver halted !  Not enough power.\n"
    "There may be enough power if the 'Higher Priority Processing' option is set.\n"
    "Do you wish to set this option now ?";

}  // namespace

class LiveRunTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void toneFromAFileShowsA5AndLightsTheMeter();
    void liveNotesSoundOnTheMidiDeviceOfSetup();
    void stoppingWithFilledBlocksAnalysesNothingMore();
    void captureFallingBehindAsksForHigherPriority();
    void learningTheMaximumStartsAndEndsItsOwnRun();
    void learningTheMinimumLeavesTheUsersRunGoing();
    void learningEndsWhenARunStartsOrStopsOrCannotStart();

private:
    void RecordA440();

    std::unique_ptr<TestWindow> test;
    MainDialog* window = nullptr;
};

void LiveRunTest::init() {
    test = std::make_unique<TestWindow>();
    test->Show();
    window = test->window.get();
    test->prompt.Clear();
}

void LiveRunTest::cleanup() {
    QVERIFY2(test->prompt.unexpected.empty(), test->prompt.Unexpected().c_str());
    test.reset();
}

// A held A (note 69) after a moment of silence, long enough to be decided while it sounds.
void LiveRunTest::RecordA440() {
    QVERIFY(test->Record(Tone(0, 0.4)));
    QVERIFY(test->Record(Tone(440, 3.0)));
    QVERIFY(test->Record(Tone(440, 0.8)));
}

void LiveRunTest::toneFromAFileShowsA5AndLightsTheMeter() {
    QTemporaryDir folder;
    const QString wav = folder.filePath("a440.wav");
    std::vector<int16_t> sound(static_cast<size_t>(0.4 * 11025), 0);
    const std::vector<int16_t> tone = SineSamples(440, 8000, static_cast<size_t>(4.5 * 11025));
    sound.insert(sound.end(), tone.begin(), tone.end());
    WriteBytes(wav.toStdString(), WavImage(sound));
    qputenv("VOXNOTE_AUDIO_IN", ("file:" + wav).toUtf8());
    TestWindow fromFile({}, true);
    qputenv("VOXNOTE_AUDIO_IN", "null");
    fromFile.Show();
    MainDialog& live = *fromFile.window;

    Click(live, *live.StartToggle);
    QVERIFY(live.IsRunActive());
    QVERIFY(QTest::qWaitFor([&] { return live.Meter().Height() > 5; }, 10000));
    QImage shot = live.grab().toImage();
    QVERIFY(IsBrightGreen(shot.pixel(37, 178)));  // the bottom segment is lit

    DoubleClick(live, QPoint(37, 120));
    QCOMPARE(live.CurrentDisplayMode(), MainDialog::DisplayMode::Pitch);
    QVERIFY(QTest::qWaitFor([&] { return live.ShownNote() == 69; }, 15000));
    shot = live.grab().toImage();
    QVERIFY(CountPixels(shot, kPitchNoteName, IsBrightGreen) > 5);  // "A5"
    // A5 is the 26th natural above note 24: its head lies in a space.
    const int headTop = 189 - 3 * 26;
    QVERIFY(CountPixels(shot, QRect(40, headTop, 12, 8), IsBrightGreen) > 10);

    Click(live, *live.StartToggle);
    QVERIFY(!live.IsRunActive());
    QCOMPARE(live.ShownNote(), std::nullopt);
    QVERIFY(fromFile.prompt.unexpected.empty());
}

void LiveRunTest::liveNotesSoundOnTheMidiDeviceOfSetup() {
    test->midiDevices.Add("Test synthesizer", 6);
    auto& device = static_cast<RecordingMidiDevice&>(*test->midiDevices.devices[0]);
    window->Settings().SetMidiDeviceIndex(0);
    window->Settings().System().midiVoice = 73;  // flute
    Click(*window, *window->StartToggle);
    RecordA440();
    Click(*window, *window->StartToggle);
    QVERIFY(device.WaitForMessages(3));
    const std::vector<SentMidiMessage> sent = device.Sent();
    QCOMPARE(sent.front().message, 73u * 256 + 0xC0);  // the voice first, on channel 1
    const auto noteOn69 = [](const SentMidiMessage& m) { return (m.message & 0xFFFF) == 0x4590 && (m.message >> 16) > 0; };
    QVERIFY(std::any_of(sent.begin(), sent.end(), noteOn69));
    // Stopped while the note sounds: it is ended when the device closes.
    const auto noteOff69 = [](const SentMidiMessage& m) {
        return (m.message & 0xFFFF) == 0x4580 || ((m.message & 0xFFFF) == 0x4590 && (m.message >> 16) == 0);
    };
    QVERIFY(QTest::qWaitFor([&] { const auto all = device.Sent(); return std::any_of(all.begin(), all.end(), noteOff69); }, 5000));
    QVERIFY(QTest::qWaitFor([&] { return !device.IsOpen(); }, 5000));  // closed once played out
}

void LiveRunTest::stoppingWithFilledBlocksAnalysesNothingMore() {
    Click(*window, *window->StartToggle);
    QVERIFY(test->Record(Tone(0, 0.4)));
    const uint64_t processed = window->Capture()->BytesProcessed();
    // Eight blocks of a held note come back from the device; the user stops
    // before the window gets to them.
    QVERIFY(test->input->Pump(Tone(440, 8 * 4096 / 11025.0)));
    Click(*window, *window->StartToggle);
    QVERIFY(!window->IsRunActive());
    QTest::qWait(100);
    QCOMPARE(window->Capture()->BytesProcessed(), processed);
    QCOMPARE(int(window->Capture()->Display().currentNote), 0);  // the note was never decided
    QCOMPARE(window->Meter().Height(), 0);

    // The next run starts afresh.
    Click(*window, *window->StartToggle);
    QCOMPARE(window->Capture()->BytesProcessed(), 0u);
    test->pumped = 0;
    QVERIFY(test->Record(Tone(0, 0.8)));
    QCOMPARE(window->Capture()->BytesProcessed(), 2u * 8192);
    Click(*window, *window->StartToggle);
}

void LiveRunTest::captureFallingBehindAsksForHigherPriority() {
    const QString iniPath = test->IniPath();
    test->prompt.answers = {false, true};
    for (const bool yes : {false, true}) {
        Click(*window, *window->StartToggle);
        QVERIFY(window->IsRunActive());
        // Nine blocks at once: the device is left with one, and the window falls behind.
        QVERIFY(test->input->Pump(Tone(220, 9 * 4096 / 11025.0)));
        QVERIFY(QTest::qWaitFor([&] { return !window->IsRunActive(); }, 5000));
        QCOMPARE(test->prompt.asked.back().text, kOverloadQuestion);
        QCOMPARE(test->prompt.asked.back().kind, std::string("yes/no"));
        QVERIFY(!window->StartToggle->IsOn());
        QCOMPARE(window->Settings().System().higherPriority, yes);
    }
    QCOMPARE(IniValue(ReadFile(iniPath), "System Settings", "Higher Priority"), QString("1"));
    QVERIFY(window->Capture()->HigherPriority());
}

void LiveRunTest::learningTheMaximumStartsAndEndsItsOwnRun() {
    DoubleClick(*window, QPoint(25, 230));
    QCOMPARE(window->NoteLearnBound(), NoteLearn::Bound::Maximum);
    QVERIFY(window->IsRunActive());
    QVERIFY(window->StartToggle->IsOn());
    QCOMPARE(int(window->Settings().Detector().Header().maximumNote), 101);  // wide open while learning
    QVERIFY(CountPixels(window->grab().toImage(), kMaximumField, IsBrightRed) > 10);

    test->pumped = 0;
    RecordA440();
    QVERIFY(CountPixels(window->grab().toImage(), kMaximumField, IsBrightRed) > 10);  // "A5" in red

    DoubleClick(*window, QPoint(25, 230));
    QCOMPARE(window->NoteLearnBound(), NoteLearn::Bound::None);
    QCOMPARE(window->CurrentNoteRange().maximum, 69);
    QCOMPARE(int(window->Settings().Detector().Header().maximumNote), 69);
    QVERIFY(!window->IsRunActive());
    QVERIFY(!window->StartToggle->IsOn());
    const QImage shot = window->grab().toImage();
    QCOMPARE(CountPixels(shot, kMaximumField, IsBrightRed), 0);
    QVERIFY(CountPixels(shot, kMaximumField, IsBrightGreen) > 10);
}

void LiveRunTest::learningTheMinimumLeavesTheUsersRunGoing() {
    window->SetNoteRange({60, 40});
    Click(*window, *window->StartToggle);
    DoubleClick(*window, QPoint(25, 270));
    QCOMPARE(window->NoteLearnBound(), NoteLearn::Bound::Minimum);
    QCOMPARE(window->CurrentNoteRange().minimum, 24);
    test->pumped = 0;
    RecordA440();  // 69 lies above the maximum: the analysis hears no note

    // The down key ends learning first (the saved 40 comes back), then steps.
    Click(*window, *window->MinimumNoteDownButton);
    QCOMPARE(window->NoteLearnBound(), NoteLearn::Bound::None);
    QCOMPARE(window->CurrentNoteRange().minimum, 39);
    QVERIFY(window->IsRunActive());  // the user's own run goes on
    QVERIFY(window->StartToggle->IsOn());

    // Learning the maximum while the minimum learns ends the minimum first.
    DoubleClick(*window, QPoint(25, 270));
    DoubleClick(*window, QPoint(25, 230));
    QCOMPARE(window->NoteLearnBound(), NoteLearn::Bound::Maximum);
    QCOMPARE(window->CurrentNoteRange().minimum, 39);
    QCOMPARE(window->CurrentNoteRange().maximum, 101);
    RecordA440();  // heard now that the maximum is open
    DoubleClick(*window, QPoint(25, 230));
    QCOMPARE(window->CurrentNoteRange().maximum, 69);
    QVERIFY(window->IsRunActive());
    Click(*window, *window->StartToggle);
}

void LiveRunTest::learningEndsWhenARunStartsOrStopsOrCannotStart() {
    DoubleClick(*window, QPoint(25, 230));
    QVERIFY(window->IsRunActive());
    Click(*window, *window->StartToggle);  // the user stops the run
    QCOMPARE(window->NoteLearnBound(), NoteLearn::Bound::None);
    QCOMPARE(window->CurrentNoteRange().maximum, 101);  // nothing was heard: the saved value
    QVERIFY(!window->IsRunActive());

    // A device that does not open ends learning with its message.
    test->input->FailCall(DeviceCall::Open);
    window->SetNoteRange({80, 33});
    DoubleClick(*window, QPoint(25, 230));
    QCOMPARE(window->NoteLearnBound(), NoteLearn::Bound::None);
    QCOMPARE(window->CurrentNoteRange().maximum, 80);
    QVERIFY(!window->StartToggle->IsOn());
    QCOMPARE(test->prompt.Messages(), std::vector<std::string>{"Could not open the input device for recording."});
}

QTEST_MAIN(LiveRunTest)
#include "live_run_test.moc"
