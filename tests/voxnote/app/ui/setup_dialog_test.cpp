// The Setup dialog opened from the main window: its lists, what choosing in
// them does, its options, the MIDI device list and tune mode.
#include "voxnote/app/ui/setup_dialog.h"

#include <QtTest>

#include "tests/voxnote/app/ui/window_test_support.h"
#include "voxnote/app/mididevices/midi_output_device.h"
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
    void startToggleDuringTuneModeOnlyEndsIt();
    void closingInTuneModeEndsTheRun();

private:
    SetupDialog& OpenSetup();

    std::unique_ptr<TestWindow> test;
    MainDialog* window = nullptr;
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

SetupDialog& SetupDialogTest::OpenSetup() {
    Click(*window, *window->SetupButton);
    SetupDialog* setup = window->OpenSetupDialog();
    Q_ASSERT(setup != nullptr);
    [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(setup);
    return *setup;
}

void SetupDialogTest::opensOnceWithTheSetupKeyLockedUntilItCloses() {
    SetupDialog& setup = OpenSetup();
    QVERIFY(setup.isVisible());
    QVERIFY(!setup.isModal());
    QCOMPARE(setup.windowTitle(), QString("Setup"));
    QVERIFY(window->SetupButton->IsLocked());
    QCOMPARE(window->SetupButton->CurrentBitmapName(), std::string("SETUP_U"));
    Click(*window, *window->SetupButton);
    QCOMPARE(window->OpenSetupDialog(), &setup);
    QCOMPARE(window->findChildren<SetupDialog*>().size(), 1);

    QFile::remove(test->IniPath());
    QPointer<SetupDialog> closing(&setup);
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
    SetupDialog& setup = OpenSetup();
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
    SetupDialog& setup = OpenSetup();
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

    SetupDialog& again = OpenSetup();
    QCOMPARE(again.TuningList->currentRow(), 20);
    QCOMPARE(again.OutputVolumeList->currentRow(), 0);
    again.close();
}

void SetupDialogTest::noteListNamesTheDrumsOfTheChosenKit() {
    window->Settings().SetRhythmNote(74);
    SetupDialog& setup = OpenSetup();
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
    SetupDialog& again = OpenSetup();
    QCOMPARE(again.DrumKitBox->currentText(), QString("GS"));
    QCOMPARE(again.NoteList->item(127 - 87)->text(), QString("D#7, Open Surdo"));
    again.close();
}

void SetupDialogTest::rhythmNoteFollowsTheNoteList() {
    SetupDialog& setup = OpenSetup();
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
    SetupDialog& setup = OpenSetup();
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

    SetupDialog& again = OpenSetup();
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
    SetupDialog& setup = OpenSetup();
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
    SetupDialog& again = OpenSetup();
    QCOMPARE(again.MidiDeviceBox->currentText(), QString("FM Synth"));
    again.close();
}

// A device the catalog cannot offer says why below the list.
void SetupDialogTest::midiDeviceNoticesShowBelowTheList() {
    test->midiDevices.notices = {"The virtual MIDI port \"Voxnote\" is absent: no sequencer."};
    SetupDialog& setup = OpenSetup();
    QVERIFY(!setup.MidiDeviceNotice->isHidden());
    QCOMPARE(setup.MidiDeviceNotice->text(), QString("The virtual MIDI port \"Voxnote\" is absent: no sequencer."));
    setup.close();
}

void SetupDialogTest::tuneModeTurnsTheTuningListIntoAMeter() {
    SetupDialog& setup = OpenSetup();
    QCOMPARE(setup.TuneButton->text(), QString("&Tune"));
    QTest::mouseClick(setup.TuneButton, Qt::LeftButton);
    QVERIFY(setup.InTuneMode());
    QCOMPARE(setup.TuneButton->text(), QString("&Done"));
    QVERIFY(window->IsRunActive());
    QVERIFY(!window->StartToggle->IsOn());  // tune mode's run leaves the toggle up

    // A slightly sharp A: the meter moves, Tuning does not.
    test->pumped = 0;
    QVERIFY(test->Record(Tone(0, 0.4)));
    QVERIFY(test->Record(Tone(441.5, 3.0)));  // held long enough to be decided while it sounds
    // The meter shows what was found up to the block before the last one recorded.
    QVERIFY(test->Record(Tone(441.5, 0.8)));
    const int fine = window->Capture()->Display().fineStep;
    QCOMPARE(int(window->Capture()->Display().currentNote), 69);
    QCOMPARE(setup.TuningList->currentRow(), 14 - fine);
    QCOMPARE(window->Settings().Detector().Values().tuning, 0);

    QTest::mouseClick(setup.TuneButton, Qt::LeftButton);
    QVERIFY(!setup.InTuneMode());
    QCOMPARE(setup.TuneButton->text(), QString("&Tune"));
    QVERIFY(!window->IsRunActive());
    QCOMPARE(window->Settings().Detector().Values().tuning, 10 - (14 - fine));
    setup.close();
}

void SetupDialogTest::startToggleDuringTuneModeOnlyEndsIt() {
    window->Settings().Detector().SetTuning(0);
    Click(*window, *window->StartToggle);
    QVERIFY(window->IsRunActive());
    SetupDialog& setup = OpenSetup();
    setup.TuningList->setCurrentRow(7);  // "+3"
    QTest::mouseClick(setup.TuneButton, Qt::LeftButton);
    QVERIFY(setup.InTuneMode());
    QVERIFY(window->IsRunActive());
    QVERIFY(!window->StartToggle->IsOn());  // the run goes on; only the toggle looks up

    Click(*window, *window->StartToggle);
    QVERIFY(!setup.InTuneMode());
    QVERIFY(window->IsRunActive());
    QCOMPARE(window->Settings().Detector().Values().tuning, 3);
    QCOMPARE(setup.TuneButton->text(), QString("&Tune"));
    setup.close();
    Click(*window, *window->StartToggle);
    QVERIFY(!window->IsRunActive());
}

void SetupDialogTest::closingInTuneModeEndsTheRun() {
    SetupDialog& setup = OpenSetup();
    QTest::mouseClick(setup.TuneButton, Qt::LeftButton);
    QVERIFY(window->IsRunActive());
    setup.close();  // the window's close request
    QVERIFY(!window->IsRunActive());
    QCOMPARE(window->OpenSetupDialog(), nullptr);
    QVERIFY(!window->SetupButton->IsLocked());
}

QTEST_MAIN(SetupDialogTest)
#include "setup_dialog_test.moc"
