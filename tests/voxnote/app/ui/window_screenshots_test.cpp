// With VOXNOTE_SCREENSHOT_DIR set, writes screenshots of the main window in
// use (volume and pitch display, a note range being learned, shrunk) and of
// the Presets, Setup and about windows; without it, every case is skipped.
#include <QDir>
#include <QtTest>

#include "tests/voxnote/app/ui/window_test_support.h"
#include "voxnote/app/mididevices/midi_output_device.h"
#include "voxnote/app/ui/about_box.h"
#include "voxnote/app/ui/main_dialog.h"
#include "voxnote/app/ui/presets_dialog.h"
#include "voxnote/app/ui/setup_dialog.h"

using namespace voxnote;
using namespace voxnote::test;

class WindowScreenshotsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void mainWindowInUse();
    void dialogs();

private:
    void Save(const QPixmap& picture, const QString& name);
    void PrepareWindow(TestWindow& test);

    QString folder;
};

void WindowScreenshotsTest::initTestCase() {
    folder = qEnvironmentVariable("VOXNOTE_SCREENSHOT_DIR");
    if (folder.isEmpty()) {
        QSKIP("set VOXNOTE_SCREENSHOT_DIR to write screenshots");
    }
    QDir().mkpath(folder);
}

void WindowScreenshotsTest::Save(const QPixmap& picture, const QString& name) {
    QVERIFY(picture.save(folder + "/" + name + ".png"));
}

void WindowScreenshotsTest::PrepareWindow(TestWindow& test) {
    test.midiDevices.Add("Built-in General MIDI Synthesizer", midi_technology::kWavetableSynthesizer);
    test.midiDevices.Add("USB MIDI Interface Port 1", midi_technology::kPort);
    test.midiDevices.Add("External GM Module", midi_technology::kSynthesizer);
    test.Show();
    WindowUnderTest& window = *test.window;
    window.Settings().SavePreset("Alto sax", test.prompt);
    window.Settings().SavePreset("Beat box", test.prompt);
    window.Settings().SavePreset("Whistling", test.prompt);
    window.SetScale(9);
    window.SetNoteRange({84, 52});
}

void WindowScreenshotsTest::mainWindowInUse() {
    TestWindow test;
    PrepareWindow(test);
    WindowUnderTest& window = *test.window;

    // A sung A with a little vibrato, heard in the volume display.
    Click(window, *window.StartToggle);
    QVERIFY(test.Record(Tone(0, 0.4)));
    QVERIFY(test.Record(Tone(440, 3.2, 12000)));
    Save(window.grab(), "main_volume_running");

    DoubleClick(window, QPoint(37, 120));
    QVERIFY(test.Record(Tone(440, 0.8, 12000)));
    Save(window.grab(), "main_pitch_running");

    // Learning the maximum: the field shows the last note heard in red.
    DoubleClick(window, QPoint(25, 230));
    QVERIFY(test.Record(Tone(440, 0.8, 12000)));
    Save(window.grab(), "main_learning_maximum");
    DoubleClick(window, QPoint(25, 230));
    Click(window, *window.StartToggle);
    Save(window.grab(), "main_pitch_stopped");

    window.SetShrunk(true);
    Save(window.grab(), "main_shrunk");
    window.SetShrunk(false);
}

void WindowScreenshotsTest::dialogs() {
    TestWindow test;
    PrepareWindow(test);
    WindowUnderTest& window = *test.window;

    WhenModalOpens<PresetsDialog>([this](PresetsDialog& dialog) {
        dialog.NameList->setCurrentRow(0);
        Save(dialog.grab(), "presets_dialog");
        dialog.CloseButton->click();
    });
    Click(window, *window.PresetButton);

    window.Settings().SetRhythmNote(38);
    Click(window, *window.SetupButton);
    SetupDialog* setup = window.OpenSetupDialog();
    QVERIFY(setup != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(setup));
    Save(setup->grab(), "setup_dialog");
    SetupControls(*setup).DrumKitBox->setCurrentIndex(1);
    QTest::mouseClick(SetupControls(*setup).TuneButton, Qt::LeftButton);
    QVERIFY(test.Record(Tone(0, 0.4)));
    QVERIFY(test.Record(Tone(443, 3.6, 12000)));
    Save(setup->grab(), "setup_dialog_tuning");
    setup->close();

    WhenModalOpens<AboutBox>([this](AboutBox& about) {
        Save(about.grab(), "about_box");
        about.accept();
    });
    window.OpenAboutBox();
}

QTEST_MAIN(WindowScreenshotsTest)
#include "window_screenshots_test.moc"
