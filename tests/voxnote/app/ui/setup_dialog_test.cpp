// The Setup dialog opened from the main window: its lists, what choosing in
// them does, its options, the MIDI device list and tune mode.
#include "voxnote/app/ui/setup_dialog.h"

#include <QtTest>

#include "tests/voxnote/app/ui/window_test_support.h"
#include "voxnote/app/mididevices/midi_output_device.h"
#include "voxnote/app/settings/string_table.h"
#include "voxnote/app/ui/main_dialog.h"

using namespace voxnote;
using namespace voxnote::test;

namespace {

// Clicks the list's entry with that text, scrolling it into view first.
void ClickEntry(QListWidget& list, const QString& text) {
    const QList<QListWidgetItem*> found = list.findItems(text, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(text));
    list.scrollToItem(found.front());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(found.front()).center());
}

int TopVisibleRow(const QListWidget& list) { return list.indexAt(QPoint(4, 4)).row(); }

// A check box or radio button is clicked on its box.
void ClickBox(QAbstractButton& button) { QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(8, button.height() / 2)); }

}  // namespace

class SetupDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensOnceWithTheSetupKeyLockedUntilItCloses();
    void listsHoldTheirEntriesAndStartAtTheSettings();
    void outputVolumeAndTuningEntriesSetTheAnalysis();
    void noteListNamesTheDrumsOfTheChosenKit();
    void rhythmNoteFollowsTheNoteList();
    void optionsActAtOnceExceptAutoShrink();
    void midiDeviceListOffersSynthesizersOnly();
    void midiDeviceNoticesShowBelowTheList();
    void tuneModeTurnsTheTuningListIntoAMeter();

private:
    SetupControls OpenSetup();

    std::unique_ptr<TestWindow> test;
    WindowUnderTest* window = nullptr;
};

void SetupDialogTest::init() {
    test = std::make_unique<TestWindow>();
    test->midiDevices.Add("Wavetable Synth", midi_technology::kWavetableSynthesizer);
    test->Show();
    window = test->window.get();
    test->prompt.Clear();
}

void SetupDialogTest::cleanup() {
    QVERIFY2(test->prompt.unexpected.empty(), test->prompt.Unexpected().c_str());
    test.reset();
}

SetupControls SetupDialogTest::OpenSetup() {
    Click(*window, *window->SetupButton);
    SetupDialog* setup = window->OpenSetupDialog();
    Q_ASSERT(setup != nullptr);
    [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(setup);
    return SetupControls(*setup);
}

void SetupDialogTest::opensOnceWithTheSetupKeyLockedUntilItCloses() {
    SetupControls setup = OpenSetup();
    QVERIFY(setup.dialog.isVisible());
    QVERIFY(!setup.dialog.isModal());
    QCOMPARE(setup.dialog.windowTitle(), QString("Setup"));
    QVERIFY(window->SetupButton->IsLocked());
    QCOMPARE(window->SetupButton->CurrentBitmapName(), std::string("SETUP_U"));
    Click(*window, *window->SetupButton);
    QCOMPARE(window->OpenSetupDialog(), &setup.dialog);
    QCOMPARE(window->findChildren<SetupDialog*>().size(), 1);

    QFile::remove(test->IniPath());
    QPointer<SetupDialog> closing(&setup.dialog);
    QTest::mouseClick(setup.CloseButton, Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return closing.isNull(); }));
    QCOMPARE(window->OpenSetupDialog(), nullptr);
    QVERIFY(!window->SetupButton->IsLocked());
    QCOMPARE(IniValue(ReadFile(test->IniPath()), "System Settings", "Drumkit"), QString("0"));

    // Opening Setup counts as touching a displayed setting.
    QCOMPARE(window->Settings().PresetNameOnOpening(), std::string("Default"));
}

void SetupDialogTest::listsHoldTheirEntriesAndStartAtTheSettings() {
    window->Settings().Detector().SetOutputVolume(37);
    window->Settings().Detector().SetTuning(-3);
    window->Settings().SetRhythmNote(45);
    SetupControls setup = OpenSetup();
    QCOMPARE(setup.OutputVolumeList->count(), 61);
    QCOMPARE(setup.OutputVolumeList->item(0)->text(), QString("60"));
    QCOMPARE(setup.OutputVolumeList->item(60)->text(), QString("0"));
    QCOMPARE(setup.TuningList->count(), 21);
    QCOMPARE(setup.TuningList->item(0)->text(), QString("+10"));
    QCOMPARE(setup.TuningList->item(10)->text(), QString("0"));
    QCOMPARE(setup.TuningList->item(11)->text(), QString("-1"));
    QCOMPARE(setup.NoteList->count(), 128);
    QCOMPARE(setup.NoteList->item(0)->text(), QString("G10"));
    QCOMPARE(setup.NoteList->item(127)->text(), QString("C0"));

    QCOMPARE(setup.OutputVolumeList->currentItem()->text(), QString("37"));
    QCOMPARE(setup.TuningList->currentItem()->text(), QString("-3"));
    QCOMPARE(setup.NoteList->currentItem()->text(), QString("A3, Low Tom"));
    // Each selection shows third from the top.
    QCOMPARE(TopVisibleRow(*setup.OutputVolumeList), 60 - 37 - 2);
    QCOMPARE(TopVisibleRow(*setup.TuningList), 13 - 2);
    QCOMPARE(TopVisibleRow(*setup.NoteList), 127 - 45 - 2);
    // Opening changed nothing.
    QCOMPARE(window->Settings().Detector().Values().outputVolume, 37);
    QCOMPARE(window->Settings().Detector().Values().tuning, -3);
    setup.close();
}

void SetupDialogTest::outputVolumeAndTuningEntriesSetTheAnalysis() {
    SetupControls setup = OpenSetup();
    const DetectorHeaderSettings& header = window->Settings().Detector().Header();
    ClickEntry(*setup.OutputVolumeList, "0");
    QCOMPARE(header.velocityBase, 850u);
    ClickEntry(*setup.OutputVolumeList, "60");
    QCOMPARE(header.velocityBase, 250u);
    QCOMPARE(window->Settings().Detector().Values().outputVolume, 60);
    ClickEntry(*setup.TuningList, "+10");
    QCOMPARE(header.tuning, 10);
    ClickEntry(*setup.TuningList, "-10");
    QCOMPARE(header.tuning, -10);
    setup.close();

    SetupControls again = OpenSetup();
    QCOMPARE(again.TuningList->currentRow(), 20);
    QCOMPARE(again.OutputVolumeList->currentRow(), 0);
    again.close();
}

void SetupDialogTest::noteListNamesTheDrumsOfTheChosenKit() {
    window->Settings().SetRhythmNote(74);
    SetupControls setup = OpenSetup();
    QCOMPARE(setup.DrumKitBox->currentText(), QString("GM"));
    QCOMPARE(setup.NoteList->item(127 - 87)->text(), QString("D#7"));
    QCOMPARE(setup.NoteList->currentItem()->text(), QString("D6, n/a"));
    QCOMPARE(setup.NoteList->item(127 - 35)->text(), QString("B2, Acoustic Bass Drum"));
    QCOMPARE(setup.NoteList->item(127 - 34)->text(), QString("A#2"));

    setup.DrumKitBox->setCurrentIndex(1);
    QCOMPARE(setup.NoteList->item(127 - 87)->text(), QString("D#7, Open Surdo"));
    QCOMPARE(setup.NoteList->item(127 - 27)->text(), QString("D#2, High Q"));
    QCOMPARE(setup.NoteList->currentRow(), 127 - 74);  // still the rhythm note
    QCOMPARE(window->Settings().RhythmNote(), 74);

    QFile::remove(test->IniPath());
    setup.close();
    QCOMPARE(window->Settings().System().drumkit, 1);
    QCOMPARE(IniValue(ReadFile(test->IniPath()), "System Settings", "Drumkit"), QString("1"));
    SetupControls again = OpenSetup();
    QCOMPARE(again.DrumKitBox->currentText(), QString("GS"));
    QCOMPARE(again.NoteList->item(127 - 87)->text(), QString("D#7, Open Surdo"));
    again.close();
}

void SetupDialogTest::rhythmNoteFollowsTheNoteList() {
    SetupControls setup = OpenSetup();
    ClickEntry(*setup.NoteList, "D3, Acoustic Snare");
    QCOMPARE(window->Settings().RhythmNote(), 38);
    QCOMPARE(int(window->Settings().Detector().Header().constantNote), -1);  // rhythm mode is off
    Click(*window, *window->RhythmToggle);
    QCOMPARE(int(window->Settings().Detector().Header().constantNote), 38);
    ClickEntry(*setup.NoteList, "F#3, Closed High-Hat");
    QCOMPARE(int(window->Settings().Detector().Header().constantNote), 42);
    setup.close();
}

void SetupDialogTest::optionsActAtOnceExceptAutoShrink() {
    SetupControls setup = OpenSetup();
    QVERIFY(!setup.FixedVolumeCheck->isChecked());
    QVERIFY(setup.AlwaysOnTopCheck->isChecked());
    QVERIFY(setup.AsynchronousRadio->isChecked());

    ClickBox(*setup.FixedVolumeCheck);
    QVERIFY(window->Settings().Detector().Header().fixedVolume);
    ClickBox(*setup.AlwaysOnTopCheck);
    QVERIFY(!window->IsTopMost());
    QCOMPARE(IniValue(ReadFile(test->IniPath()), "System Settings", "Always On Top"), QString("0"));
    ClickBox(*setup.HigherPriorityCheck);
    QCOMPARE(IniValue(ReadFile(test->IniPath()), "System Settings", "Higher Priority"), QString("1"));
    QVERIFY(window->Capture()->HigherPriority());
    ClickBox(*setup.SynchronousRadio);
    QCOMPARE(IniValue(ReadFile(test->IniPath()), "System Settings", "Sync"), QString("1"));

    // Auto Shrink waits for Setup to close; until then focus changes leave the window open.
    ClickBox(*setup.AutoShrinkCheck);
    QVERIFY(!window->IsAutoShrinkInEffect());
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(window, &deactivate);
    QCOMPARE(window->height(), 346);
    QCOMPARE(IniValue(ReadFile(test->IniPath()), "System Settings", "Auto Shrink"), QString("0"));
    setup.close();
    QVERIFY(window->IsAutoShrinkInEffect());
    QCOMPARE(IniValue(ReadFile(test->IniPath()), "System Settings", "Auto Shrink"), QString("1"));
    QApplication::sendEvent(window, &deactivate);
    QCOMPARE(window->height(), 33);

    SetupControls again = OpenSetup();
    QVERIFY(again.FixedVolumeCheck->isChecked());
    QVERIFY(again.SynchronousRadio->isChecked());
    QVERIFY(again.AutoShrinkCheck->isChecked());
    again.close();
}

void SetupDialogTest::midiDeviceListOffersSynthesizersOnly() {
    test->midiDevices.devices.clear();
    test->midiDevices.Add("Port", midi_technology::kPort);
    test->midiDevices.Add("Wavetable Synth", midi_technology::kWavetableSynthesizer);
    test->midiDevices.Add("Soft Synth", midi_technology::kSoftwareSynthesizer);
    test->midiDevices.Add("FM Synth", midi_technology::kFmSynthesizer);
    test->midiDevices.Add("Mapper", midi_technology::kMapper);
    SetupControls setup = OpenSetup();
    QCOMPARE(setup.MidiDeviceBox->count(), 3);
    QCOMPARE(setup.MidiDeviceBox->itemText(0), QString("Port"));  // a hardware port leads to a synthesizer
    QCOMPARE(setup.MidiDeviceBox->itemText(1), QString("Wavetable Synth"));
    QCOMPARE(setup.MidiDeviceBox->itemText(2), QString("FM Synth"));
    QCOMPARE(setup.MidiDeviceBox->currentIndex(), 0);
    QCOMPARE(window->Settings().MidiDeviceIndex(), 0);
    setup.MidiDeviceBox->setCurrentIndex(2);
    QCOMPARE(window->Settings().MidiDeviceIndex(), 3);
    QVERIFY(setup.MidiDeviceNotice->isHidden());
    setup.close();
    SetupControls again = OpenSetup();
    QCOMPARE(again.MidiDeviceBox->currentText(), QString("FM Synth"));
    again.close();
}

// A device the catalog cannot offer says why below the list, in lines that
// break at spaces only and fit the list's width.
void SetupDialogTest::midiDeviceNoticesShowBelowTheList() {
    const QString absent = QString::fromStdString(Text(strings::kNoSequencerForVirtualPort));
    test->midiDevices.notices = {absent.toStdString(), "The virtual MIDI port \"Voxnote\" is absent: no sequencer."};
    SetupControls setup = OpenSetup();
    QVERIFY(!setup.MidiDeviceNotice->isHidden());
    const QStringList lines = setup.MidiDeviceNotice->text().split('\n');
    QCOMPARE(lines.join(' '), absent + " The virtual MIDI port \"Voxnote\" is absent: no sequencer.");
    QVERIFY(lines.size() > 2);
    QVERIFY(std::any_of(lines.begin(), lines.end(), [](const QString& line) { return line.contains("(/dev/snd/seq)"); }));
    for (const QString& line : lines) {
        QVERIFY2(setup.MidiDeviceNotice->fontMetrics().horizontalAdvance(line) <= setup.MidiDeviceNotice->width(),
                 qPrintable(line));
    }
    setup.close();
}

// The rules of tune mode are the session's; here the list follows the meter.
void SetupDialogTest::tuneModeTurnsTheTuningListIntoAMeter() {
    SetupControls setup = OpenSetup();
    QCOMPARE(setup.TuneButton->text(), QString("&Tune"));
    QTest::mouseClick(setup.TuneButton, Qt::LeftButton);
    QCOMPARE(setup.TuneButton->text(), QString("&Done"));
    QVERIFY(!window->StartToggle->IsOn());  // tune mode's run leaves the toggle up

    // A slightly sharp A: the meter moves.
    test->pumped = 0;
    QVERIFY(test->Record(Tone(0, 0.4)));
    QVERIFY(test->Record(Tone(441.5, 3.0)));  // held long enough to be decided while it sounds
    QVERIFY(test->Record(Tone(441.5, 0.8)));
    const int fine = window->Capture()->Display().fineStep;
    QCOMPARE(setup.TuningList->currentRow(), 14 - fine);

    QTest::mouseClick(setup.TuneButton, Qt::LeftButton);
    QCOMPARE(setup.TuneButton->text(), QString("&Tune"));
    QCOMPARE(setup.TuningList->currentRow(), 14 - fine);  // now the tuning
    setup.close();
}

QTEST_MAIN(SetupDialogTest)
#include "setup_dialog_test.moc"
