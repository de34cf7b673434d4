// Live runs from the main window: what the displays show while a tone is
// recorded, and the learning field in red. The rules of a run are the
// session's (tests/voxnote/app/session).
#include <QtTest>

#include <algorithm>

#include "tests/voxnote/app/test_support.h"
#include "tests/voxnote/app/ui/window_test_support.h"
#include "voxnote/app/display/main_window_layout.h"
#include "voxnote/app/ui/main_dialog.h"

using namespace voxnote;
using namespace voxnote::test;

namespace {

const QRect kMaximumField(15, 225, 28, 19);
const QRect kPitchNoteName(11, 179, 21, 13);

}  // namespace

class LiveRunTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void toneFromAFileShowsA5AndLightsTheMeter();
    void learningTheMaximumStartsAndEndsItsOwnRun();

private:
    void RecordA440();

    std::unique_ptr<TestWindow> test;
    WindowUnderTest* window = nullptr;
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
    WindowUnderTest& live = *fromFile.window;

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
    QCOMPARE(live.Meter().Height(), 0);
    QVERIFY(fromFile.prompt.unexpected.empty());
}

// The field of the bound being learned shows its note in red.
void LiveRunTest::learningTheMaximumStartsAndEndsItsOwnRun() {
    DoubleClick(*window, QPoint(25, 230));
    QCOMPARE(window->NoteLearnBound(), NoteLearn::Bound::Maximum);
    QVERIFY(window->StartToggle->IsOn());
    QVERIFY(CountPixels(window->grab().toImage(), kMaximumField, IsBrightRed) > 10);

    test->pumped = 0;
    RecordA440();
    QVERIFY(CountPixels(window->grab().toImage(), kMaximumField, IsBrightRed) > 10);  // "A5" in red

    DoubleClick(*window, QPoint(25, 230));
    QCOMPARE(window->NoteLearnBound(), NoteLearn::Bound::None);
    QCOMPARE(window->CurrentNoteRange().maximum, 69);
    QVERIFY(!window->StartToggle->IsOn());
    const QImage shot = window->grab().toImage();
    QCOMPARE(CountPixels(shot, kMaximumField, IsBrightRed), 0);
    QVERIFY(CountPixels(shot, kMaximumField, IsBrightGreen) > 10);
}

QTEST_MAIN(LiveRunTest)
#include "live_run_test.moc"
