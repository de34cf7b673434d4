// The main window's MIDI: File > "Export MIDI...", "Record from MIDI" with
// hits handed in as an input port hands them on, and the MIDI input list of
// Options.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <thread>

#include "stepweave/sequencer/ui/options_window.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/midi/drum_note_map.h"
#include "stepweave/sound/midi/kit_midi_input.h"
#include "stepweave/sound/midi/midi_input_choices_file.h"
#include "tests/stepweave/sequencer/ui/sequence_window_fixture.h"

using namespace stepweave;
using stepweave::test::Named;
using stepweave::test::WindowUnderTest;

namespace {

// A note-on as a port hands it on, from an input thread of its own.
void Strike(WindowUnderTest& ui, int slot, int velocity) {
    std::thread port([&] {
        LiveHit hit;
        hit.slot = static_cast<uint8_t>(slot);
        hit.velocity = static_cast<uint8_t>(velocity);
        hit.level = static_cast<uint8_t>(LevelOfVelocity(velocity));
        hit.receivedAt = ui.clock.Now();
        ui.window->MidiInput()->Receive(hit);
    });
    port.join();
    QCoreApplication::processEvents();
}

}  // namespace

class SequenceMidiTest : public QObject {
    Q_OBJECT

private slots:
    void ExportMidiWritesThePlayListToTheFileChosenAndCancelWritesNothing() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        window.OpenSongFile((ui.folder / "Demo.sng").string());
        ui.prompt.files = {""};
        window.exportMidiAction->trigger();
        QCOMPARE(ui.prompt.dialogs.back().title, std::string("Export MIDI"));
        QCOMPARE(ui.prompt.dialogs.back().fileName, std::string("Demo.mid"));
        QCOMPARE(ui.prompt.dialogs.back().defaultSuffix, std::string("mid"));
        QVERIFY(!std::filesystem::exists(ui.folder / "Demo.mid"));

        const auto path = ui.folder / "groove.mid";
        ui.prompt.files = {path.string()};
        window.exportMidiAction->trigger();
        QVERIFY(ui.prompt.Errors().empty());
        const std::vector<uint8_t> bytes = ReadWholeFile(path.string());
        QCOMPARE(std::string(bytes.begin(), bytes.begin() + 4), std::string("MThd"));
        QCOMPARE(int(bytes[11]), 6);  // tracks: tempo, kit, the demo's four bass notes
        QVERIFY(window.statusLine->text().contains("groove.mid"));
    }

    void RecordFromMidiPlacesEachHitOnItsStepAsOneUndoableEdit() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        QVERIFY(window.MidiInput() != nullptr);
        QTest::mouseClick(window.recordFromMidiBox, Qt::LeftButton);
        QVERIFY(window.recordFromMidiAction->isChecked());
        QTest::mouseClick(window.playPatternButton, Qt::LeftButton);
        const uint32_t start = ui.clock.Now();
        // Steps of 120 ms, heard 20 ms after they fire: step 2 (row 3) at 260.
        ui.Pass(250);
        Strike(ui, 3, 54);  // the snare at level 4, 10 ms before step 2 is heard
        QCOMPARE(ui.Cell(3, 1), std::string("Snare     [4]"));
        QCOMPARE(window.undoAction->text(), QString("Undo Record from MIDI"));
        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ui.Cell(3, 1), std::string());
        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(ui.Cell(3, 1), std::string("Snare     [4]"));

        // 70 ms after step 2 was heard: nearer step 3, which has not played yet.
        ui.Pass(start + 330 - ui.clock.Now());
        Strike(ui, 1, 127);
        QCOMPARE(ui.Cell(4, 1), std::string());
        ui.Pass(40);  // step 3 plays: the kick goes in, for the next pass
        QCOMPARE(ui.Cell(4, 1), std::string("Kick      [1]"));
        QCOMPARE(ui.Cell(3, 1), std::string("Snare     [4]"));

        // Unchecked from the Play menu: hits are played, not placed.
        window.recordFromMidiAction->trigger();
        QVERIFY(!window.recordFromMidiBox->isChecked());
        ui.Pass(5);
        Strike(ui, 4, 127);
        for (int column = 1; column <= 6; ++column) {
            QVERIFY(ui.Cell(4, column).find("ClsHiat") == std::string::npos);
        }
    }

    void OptionsKeepsAChosenPortThatIsNotThereAndOkForgetsAnUncheckedOne() {
        WindowUnderTest ui;
        const std::string choices = MidiInputChoicesPath(ui.folder.string());
        WriteMidiInputChoices(choices, {"JACK: pads:out"});
        SequenceWindow& window = ui.Open();
        window.midiInputsAction->trigger();
        QListWidget& list = *Named<QListWidget>(window.Options(), "MidiInputs");
        QCOMPARE(list.count(), 1);  // no MIDI system here: the chosen port alone
        QCOMPARE(list.item(0)->text(), QString("JACK: pads:out"));
        QCOMPARE(list.item(0)->checkState(), Qt::Checked);
        list.item(0)->setCheckState(Qt::Unchecked);
        QTest::mouseClick(window.Options().okButton, Qt::LeftButton);
        QVERIFY(!window.Options().isVisible());
        QVERIFY(ReadMidiInputChoices(choices).empty());
    }
};

QTEST_MAIN(SequenceMidiTest)
#include "sequence_midi_test.moc"
