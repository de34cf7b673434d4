// The main window's pattern editor, driven with the mouse and the keys.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/ui/options_window.h"
#include "tests/stepweave/sequencer/ui/sequence_window_fixture.h"

using namespace stepweave;
using stepweave::test::Named;
using stepweave::test::WindowUnderTest;

namespace {

const QString kSnare = "Snare     [ ]";
const QString kKick = "Kick      [ ]";

int KitPan(SequencerSession& session, int instrument) {
    return session.DrumKit().Items().Find(InstrumentList::Label(instrument)).Pan();
}

}  // namespace

class SequenceEditorTest : public QObject {
    Q_OBJECT

private slots:
    void ClickPlacesTheChosenInstrumentHearsItAndASecondClickEmptiesIt() {
        WindowUnderTest ui;
        ui.Open();
        ui.Pass(100);
        ui.PeakHeard();
        ui.Choose(kSnare);
        ui.Click(4, 2);
        QCOMPARE(ui.Cell(4, 2), kSnare.toStdString());
        ui.Pass(100);
        QVERIFY(ui.PeakHeard() > 0.01f);
        ui.Click(4, 2);
        QCOMPARE(ui.Cell(4, 2), std::string());
        // A cell at another level of the same instrument goes back to the blank level first.
        ui.Document().grid.SetCell(5, 1, "Snare     [3]");
        ui.Click(5, 1);
        QCOMPARE(ui.Cell(5, 1), kSnare.toStdString());
        // The middle button places too; fixed cells take nothing.
        ui.Click(6, 3, Qt::MiddleButton);
        QCOMPARE(ui.Cell(6, 3), kSnare.toStdString());
        ui.Click(1, 3);
        QCOMPARE(ui.Cell(1, 3), std::string("Channel:3"));
    }

    void RightClicksStepTheLevelRoundAndLeaveOtherCellsAlone() {
        WindowUnderTest ui;
        ui.Open();
        ui.Choose(kSnare);
        ui.Click(2, 1);
        std::vector<std::string> levels;
        for (int click = 0; click < 10; ++click) {
            ui.Click(2, 1, Qt::RightButton);
            levels.push_back(ui.Cell(2, 1).substr(10));
        }
        const std::vector<std::string> expected{"[2]", "[3]", "[4]", "[5]", "[6]", "[7]", "[8]", "[9]", "[1]", "[2]"};
        QCOMPARE(levels, expected);
        ui.Document().grid.SetCell(3, 1, "Sample4");
        ui.Click(3, 1, Qt::RightButton);
        ui.Click(4, 1, Qt::RightButton);
        QCOMPARE(ui.Cell(3, 1), std::string("Sample4"));
        QCOMPARE(ui.Cell(4, 1), std::string());
        // A quick second right click comes as a double click: it steps the level too.
        const QPoint at = ui.CellCentre(2, 1);
        QTest::mousePress(ui.Grid().viewport(), Qt::RightButton, {}, at);
        QTest::mouseRelease(ui.Grid().viewport(), Qt::RightButton, {}, at);
        QTest::mouseDClick(ui.Grid().viewport(), Qt::RightButton, {}, at);
        QTest::mouseRelease(ui.Grid().viewport(), Qt::RightButton, {}, at);
        QCOMPARE(ui.Cell(2, 1).substr(10), std::string("[4]"));
    }

    void DigitKeysSetLevelsAndJumpByTheOptionsCellJump() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        ui.Choose(kKick);
        ui.Click(2, 1);
        ui.Click(2, 1);  // empty again, current cell (2, 1)
        QTest::keyClick(&ui.Grid(), Qt::Key_5, Qt::NoModifier);
        QCOMPARE(ui.Cell(2, 1), std::string("Kick      [5]"));
        QCOMPARE(ui.Grid().CurrentCell().row, 2);
        QTest::keyClick(&ui.Grid(), Qt::Key_0);  // "0" is no level
        QCOMPARE(ui.Cell(2, 1), std::string("Kick      [5]"));

        // Ctrl+J opens the Options window; OK takes its value.
        QTest::keyClick(&window, Qt::Key_J, Qt::ControlModifier);
        QVERIFY(window.Options().isVisible());
        Named<QSpinBox>(window.Options(), "SpinEdit1")->setValue(2);
        QTest::mouseClick(Named<QPushButton>(window.Options(), "Button1"), Qt::LeftButton);
        QVERIFY(!window.Options().isVisible());
        QCOMPARE(window.Options().CellJump(), 2);

        for (int typed = 0; typed < 3; ++typed) {
            QTest::keyClick(&ui.Grid(), Qt::Key_7);
        }
        QCOMPARE(ui.Cell(2, 1), std::string("Kick      [7]"));
        QCOMPARE(ui.Cell(4, 1), std::string("Kick      [7]"));
        QCOMPARE(ui.Cell(6, 1), std::string("Kick      [7]"));
        QCOMPARE(ui.Grid().CurrentCell().row, 8);
        // Near the last row the cursor stays.
        ui.Click(17, 2);
        ui.Click(17, 2);
        QTest::keyClick(&ui.Grid(), Qt::Key_3);
        QCOMPARE(ui.Cell(17, 2), std::string("Kick      [3]"));
        QCOMPARE(ui.Grid().CurrentCell().row, 17);
        // A negative jump counts as none.
        Named<QSpinBox>(window.Options(), "SpinEdit1")->setValue(-4);
        QTest::mouseClick(Named<QPushButton>(window.Options(), "Button1"), Qt::LeftButton);
        QCOMPARE(window.Options().CellJump(), 0);
    }

    void DeleteClearsExactlyTheSelectedRectangle() {
        WindowUnderTest ui;
        ui.Open();
        for (int row = 2; row <= 8; ++row) {
            for (int column = 1; column <= 6; ++column) {
                ui.Document().grid.SetCell(row, column, "Sample1");
            }
        }
        // Drag from (3, 2) to (6, 4): 4 rows by 3 channels.
        QTest::mousePress(ui.Grid().viewport(), Qt::LeftButton, {}, ui.CellCentre(3, 2));
        QTest::mouseMove(ui.Grid().viewport(), ui.CellCentre(5, 3));
        QTest::mouseMove(ui.Grid().viewport(), ui.CellCentre(6, 4));
        // Releasing a drag places nothing: it only selected.
        QTest::mouseRelease(ui.Grid().viewport(), Qt::LeftButton, {}, ui.CellCentre(6, 4));
        QCOMPARE(ui.Cell(6, 4), std::string("Sample1"));
        QTest::keyClick(&ui.Grid(), Qt::Key_Delete);
        int empty = 0;
        for (int row = 2; row <= 8; ++row) {
            for (int column = 1; column <= 6; ++column) {
                const bool inside = row >= 3 && row <= 6 && column >= 2 && column <= 4;
                QCOMPARE(ui.Cell(row, column).empty(), inside);
                empty += inside ? 1 : 0;
            }
        }
        QCOMPARE(empty, 12);
    }

    void UpdateTimeAppliesTheChosenLengthAndBeatAndKeepsTheCells() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        ui.Document().grid.SetCell(3, 1, kKick.toStdString());
        Named<QComboBox>(window, "TimeBar")->setCurrentIndex(Named<QComboBox>(window, "TimeBar")->findText("32 | 8 "));
        QCOMPARE(Named<QLineEdit>(window, "Edit4")->text(), QString("32"));
        QCOMPARE(Named<QLineEdit>(window, "Edit5")->text(), QString("8"));
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn13"), Qt::LeftButton);
        QCOMPARE(ui.Grid().RowCount(), 34);
        QCOMPARE(ui.Cell(0, 2), std::string("32"));
        QCOMPARE(ui.Cell(0, 4), std::string("8"));
        for (int step : {1, 9, 17, 25}) {
            QCOMPARE(ui.Cell(step + 1, 0), std::to_string(step) + ":0*");
        }
        QCOMPARE(ui.Cell(3, 1), kKick.toStdString());
        // Shorter again: the cells beyond stay hidden and come back.
        ui.Document().grid.SetCell(30, 1, kKick.toStdString());
        Named<QComboBox>(window, "TimeBar")->setCurrentIndex(Named<QComboBox>(window, "TimeBar")->findText("16 | 4"));
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn13"), Qt::LeftButton);
        QCOMPARE(ui.Grid().RowCount(), 18);
        QCOMPARE(ui.Cell(30, 1), kKick.toStdString());
    }

    void UpdateTimeRefusesALengthThatIsNoNumber() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        Named<QComboBox>(window, "TimeBar")->setEditText("x  | 4");
        QCOMPARE(Named<QLineEdit>(window, "Edit4")->text(), QString("x"));
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn13"), Qt::LeftButton);
        QCOMPARE(ui.prompt.Errors(), std::vector<std::string>{"'x' is not a valid integer value"});
        QCOMPARE(ui.Cell(0, 2), std::string("x"));
        QCOMPARE(ui.Grid().RowCount(), 18);
        // With a field empty, Update Time only empties the chooser and the fields.
        Named<QLineEdit>(window, "Edit4")->clear();
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn13"), Qt::LeftButton);
        QCOMPARE(Named<QLineEdit>(window, "Edit5")->text(), QString());
        QCOMPARE(Named<QComboBox>(window, "TimeBar")->currentText(), QString());
    }

    void PanSliderSetsKitPansFollowsTheChooserAndRefusesSamples() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        ui.Choose(kSnare);
        Named<QSlider>(window, "Panning")->setValue(-1200);
        QCOMPARE(KitPan(*ui.session, 3), -1200);
        ui.Choose(kKick);
        QCOMPARE(Named<QSlider>(window, "Panning")->value(), KitPan(*ui.session, 1));
        ui.Choose(kSnare);
        QCOMPARE(Named<QSlider>(window, "Panning")->value(), -1200);

        std::vector<int> before;
        for (int instrument = 1; instrument <= 16; ++instrument) {
            before.push_back(KitPan(*ui.session, instrument));
        }
        ui.Choose("Sample3");
        Named<QSlider>(window, "Panning")->setValue(Named<QSlider>(window, "Panning")->value() + 300);
        QCOMPARE(ui.prompt.shown.size(), size_t{1});
        QCOMPARE(ui.prompt.shown[0].text,
                 std::string("Use the sample importer (Edit/Sample#) to change your imported samples panning"));
        QCOMPARE(ui.prompt.shown[0].caption, std::string("Sample Panning"));
        for (int instrument = 1; instrument <= 16; ++instrument) {
            QCOMPARE(KitPan(*ui.session, instrument), before[static_cast<size_t>(instrument - 1)]);
        }
    }

    void TheNameFieldIsCopiedIntoTheHeaderAndClearPatternEmptiesIt() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        QCOMPARE(Named<QLineEdit>(window, "Edit2")->text(), QString("Name"));
        Named<QLineEdit>(window, "Edit2")->selectAll();
        QTest::keyClicks(Named<QLineEdit>(window, "Edit2"), "Verse");
        QCOMPARE(ui.Cell(0, 0), std::string("Verse"));
        ui.Document().grid.SetCell(40, 3, kKick.toStdString());  // beyond the length: cleared too
        ui.Document().grid.SetCell(2, 1, kKick.toStdString());
        Named<QSpinBox>(window, "Loop")->setValue(4);
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn7"), Qt::LeftButton);
        QCOMPARE(ui.Cell(2, 1), std::string());
        QCOMPARE(ui.Cell(40, 3), std::string());
        QCOMPARE(ui.Cell(0, 0), std::string());
        QCOMPARE(Named<QLineEdit>(window, "Edit2")->text(), QString());
        QCOMPARE(Named<QSpinBox>(window, "Loop")->value(), 1);
        QCOMPARE(ui.Cell(2, 0), std::string("1:0*"));
    }

    void TheLoopsFieldMakesAnyNumberBelowOneAOne() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        QSpinBox& loops = *Named<QSpinBox>(window, "Loop");
        const auto type = [&](const char* text) {
            loops.selectAll();
            QTest::keyClicks(&loops, text);
            return ui.Document().Loop();
        };
        QCOMPARE(type("4"), 4);
        QCOMPARE(type("0"), 1);
        QCOMPARE(loops.value(), 1);
        QCOMPARE(type("4"), 4);
        QCOMPARE(type("-3"), 1);
        QCOMPARE(loops.value(), 1);
        QCOMPARE(type("12"), 12);
    }

    void EnterInsertsTheInstrumentWhereverTheFocusIsWithoutAPreview() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        ui.Choose(kSnare);
        ui.Click(5, 5);
        ui.Click(5, 5);
        ui.Pass(600);
        ui.PeakHeard();
        Named<QLineEdit>(window, "Edit2")->setFocus();
        QTest::keyClick(Named<QLineEdit>(window, "Edit2"), Qt::Key_Return);
        QCOMPARE(ui.Cell(5, 5), kSnare.toStdString());
        QVERIFY(ui.Grid().hasFocus());
        ui.Pass(100);
        QCOMPARE(ui.PeakHeard(), 0.0f);
    }

    void PlayInstrumentPreviewsTheChosenSound() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        ui.Pass(100);
        ui.PeakHeard();
        ui.Choose(kKick);
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn11"), Qt::LeftButton);
        ui.Pass(100);
        QVERIFY(ui.PeakHeard() > 0.01f);
        ui.Choose("");
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn11"), Qt::LeftButton);
        ui.Pass(600);
        ui.PeakHeard();
        ui.Pass(100);
        QCOMPARE(ui.PeakHeard(), 0.0f);
    }

    void UndoAndRedoTakeBackEveryKindOfEdit() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const auto undo = [&] { QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier); };
        const auto redo = [&] { QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); };

        ui.Choose(kSnare);
        ui.Click(2, 1);
        undo();
        QCOMPARE(ui.Cell(2, 1), std::string());
        redo();
        QCOMPARE(ui.Cell(2, 1), kSnare.toStdString());

        ui.Click(2, 1, Qt::RightButton);
        QCOMPARE(ui.Cell(2, 1), std::string("Snare     [2]"));
        undo();
        QCOMPARE(ui.Cell(2, 1), kSnare.toStdString());
        redo();
        QCOMPARE(ui.Cell(2, 1), std::string("Snare     [2]"));

        ui.Click(3, 1);
        ui.Click(3, 1);
        QTest::keyClick(&ui.Grid(), Qt::Key_6);
        undo();
        QCOMPARE(ui.Cell(3, 1), std::string());

        QTest::mouseClick(Named<QPushButton>(window, "BitBtn7"), Qt::LeftButton);  // Clear Pattern
        QCOMPARE(ui.Cell(2, 1), std::string());
        undo();
        QCOMPARE(ui.Cell(2, 1), std::string("Snare     [2]"));

        ui.Click(2, 1);  // current cell, then Delete
        ui.Document().grid.SetCell(2, 1, "Snare     [2]");
        QTest::keyClick(&ui.Grid(), Qt::Key_Delete);
        QCOMPARE(ui.Cell(2, 1), std::string());
        undo();
        QCOMPARE(ui.Cell(2, 1), std::string("Snare     [2]"));

        Named<QComboBox>(window, "TimeBar")->setCurrentIndex(Named<QComboBox>(window, "TimeBar")->findText("8  | 4"));
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn13"), Qt::LeftButton);
        QCOMPARE(ui.Grid().RowCount(), 10);
        undo();
        QCOMPARE(ui.Grid().RowCount(), 18);
        QCOMPARE(ui.Cell(0, 2), std::string("16"));
        redo();
        QCOMPARE(ui.Grid().RowCount(), 10);
        QVERIFY(window.undoAction->isEnabled());
        QCOMPARE(window.undoAction->text(), QString("Undo Update Time"));
    }
};

QTEST_MAIN(SequenceEditorTest)
#include "sequence_editor_test.moc"
