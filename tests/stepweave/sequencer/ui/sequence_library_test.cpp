// The main window's library, play list, songs, playback and start-up.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QToolTip>

#include "stepweave/sequencer/commands/library_commands.h"
#include "stepweave/sequencer/files/panning_file.h"
#include "stepweave/sequencer/files/pattern_file.h"
#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/ui/up_down_arrows.h"
#include "stepweave/sound/files/byte_stream.h"
#include "tests/stepweave/sequencer/ui/sequence_window_fixture.h"

using namespace stepweave;
using stepweave::test::Named;
using stepweave::test::WindowUnderTest;

namespace {

std::vector<std::string> Names(const QListWidget& list) {
    std::vector<std::string> names;
    for (int row = 0; row < list.count(); ++row) {
        names.push_back(list.item(row)->text().toStdString());
    }
    return names;
}

// Stores the grid as it stands under the given name, as a user types it and presses Store.
void StoreAs(WindowUnderTest& ui, const QString& name) {
    Named<QLineEdit>(*ui.window, "Edit2")->selectAll();
    QTest::keyClick(Named<QLineEdit>(*ui.window, "Edit2"), Qt::Key_Backspace);
    QTest::keyClicks(Named<QLineEdit>(*ui.window, "Edit2"), name);
    QTest::mouseClick(Named<QPushButton>(*ui.window, "BitBtn6"), Qt::LeftButton);
}

void Put(WindowUnderTest& ui, const std::string& name) {
    ui.Document().playList.Append(name);
    ui.window->ShowDocument();
}

int Row(const QListWidget& list, const QString& name) { return list.row(list.findItems(name, Qt::MatchExactly)[0]); }

}  // namespace

class SequenceLibraryTest : public QObject {
    Q_OBJECT

private slots:
    void StartUpListsThePatternsSortedAndShowsTheDefaults() {
        WindowUnderTest ui;
        WriteFileSafely((ui.folder / "groove.pat").string(), std::string());
        SequenceWindow& window = ui.Open();
        QCOMPARE(window.windowTitle(), QString("Stepweave Pro v5.0"));
        const std::vector<std::string> names = Names(*Named<QListWidget>(window, "MusicLib"));
        QCOMPARE(names.front(), std::string("<Blank>"));
        QVERIFY(std::find(names.begin(), names.end(), "groove") != names.end());
        QVERIFY(std::is_sorted(names.begin() + 1, names.end(), [](const std::string& a, const std::string& b) {
            return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) < 0;
        }));
        QCOMPARE(Named<QLabel>(window, "Label6")->text(), QString("120"));
        QCOMPARE(Named<QSlider>(window, "Delay")->value(), 60);
        QCOMPARE(Named<QSpinBox>(window, "Loop")->value(), 1);
        QCOMPARE(ui.Grid().RowCount(), 18);
        QVERIFY(ui.prompt.shown.empty());
        QVERIFY(!Named<QProgressBar>(window, "ProgressBar1")->isVisible());
    }

    void StoringTwiceKeepsOneEntryInEachListAndRewritesTheFile() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        ui.Choose("Kick      [ ]");
        ui.Click(2, 1);
        StoreAs(ui, "Verse");
        ui.Click(3, 1);
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn6"), Qt::LeftButton);
        const std::vector<std::string> library = Names(*Named<QListWidget>(window, "MusicLib"));
        QCOMPARE(std::count(library.begin(), library.end(), "Verse"), 1L);
        QCOMPARE(Names(*Named<QListWidget>(window, "SongList")), std::vector<std::string>{"Verse"});
        const PatternFileContents stored = ReadPatternFile(ui.folder.string(), "Verse");
        QCOMPARE(stored.rows[3][1], std::string("Kick      [ ]"));

        // A name that stands in the play list but not in the library is not added to the library.
        Put(ui, "Chorus");
        StoreAs(ui, "Chorus");
        QVERIFY(Named<QListWidget>(window, "MusicLib")->findItems("Chorus", Qt::MatchExactly).isEmpty());
        QVERIFY(std::filesystem::exists(ui.folder / "Chorus.pat"));

        // No name: the question, and nothing stored.
        StoreAs(ui, "");
        QVERIFY(!ui.prompt.shown.empty());
        QCOMPARE(ui.prompt.shown.back().text, std::string("Name of pattern?"));
        QCOMPARE(ui.prompt.shown.back().caption, std::string("NAME"));
    }

    void RemovingAnEntryTheLibraryLacksMovesItIntoTheLibrary() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        Put(ui, "Intro");
        Put(ui, "Demo Rock");
        WindowUnderTest::ClickEntry(*Named<QListWidget>(window, "SongList"), 0);
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(Names(*Named<QListWidget>(window, "SongList")), std::vector<std::string>{"Demo Rock"});
        QVERIFY(!Named<QListWidget>(window, "MusicLib")->findItems("Intro", Qt::MatchExactly).isEmpty());
        WindowUnderTest::ClickEntry(*Named<QListWidget>(window, "SongList"), 0);
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn2"), Qt::LeftButton);
        QVERIFY(Names(*Named<QListWidget>(window, "SongList")).empty());
    }

    void DeletingAPatternAsksThenRemovesItsFileAndEveryEntry() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        StoreAs(ui, "Intro");
        Put(ui, "Demo Rock");
        Put(ui, "Intro");
        Put(ui, "Intro");
        Named<QListWidget>(window, "MusicLib")->setCurrentRow(Row(*Named<QListWidget>(window, "MusicLib"), "Intro"));
        ui.prompt.answers = {false};
        QTest::mouseClick(Named<QPushButton>(window, "LibBin"), Qt::LeftButton);
        QCOMPARE(ui.prompt.shown.back().caption, std::string("!Are you sure you wish to delete?"));
        QCOMPARE(ui.prompt.shown.back().text,
                 std::string("This will Delete this pattern from both Pattern Lib and Play List, Some Songs that "
                             "contain this pattern may not play, are you sure?"));
        QCOMPARE(Names(*Named<QListWidget>(window, "SongList")).size(), size_t{4});
        QVERIFY(std::filesystem::exists(ui.folder / "Intro.pat"));

        ui.prompt.answers = {true};
        QTest::mouseClick(Named<QPushButton>(window, "LibBin"), Qt::LeftButton);
        QCOMPARE(Names(*Named<QListWidget>(window, "SongList")), std::vector<std::string>{"Demo Rock"});
        QVERIFY(Named<QListWidget>(window, "MusicLib")->findItems("Intro", Qt::MatchExactly).isEmpty());
        QVERIFY(!std::filesystem::exists(ui.folder / "Intro.pat"));
    }

    void ArrowsMoveTheSelectedEntryButNotPastTheEnds() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        for (const char* name : {"A", "B", "C"}) {
            Put(ui, name);
        }
        WindowUnderTest::ClickEntry(*Named<QListWidget>(window, "SongList"), 0);
        QTest::mouseClick(Named<QToolButton>(window, "Up"), Qt::LeftButton);
        QCOMPARE(Names(*Named<QListWidget>(window, "SongList")), (std::vector<std::string>{"A", "B", "C"}));
        QTest::mouseClick(Named<QToolButton>(window, "Down"), Qt::LeftButton);
        QCOMPARE(Names(*Named<QListWidget>(window, "SongList")), (std::vector<std::string>{"B", "A", "C"}));
        QCOMPARE(Named<QListWidget>(window, "SongList")->currentRow(), 1);
        WindowUnderTest::ClickEntry(*Named<QListWidget>(window, "SongList"), 2);
        QTest::mouseClick(Named<QToolButton>(window, "Down"), Qt::LeftButton);
        QCOMPARE(Names(*Named<QListWidget>(window, "SongList")), (std::vector<std::string>{"B", "A", "C"}));

        // Ticked entries go with the bin; a double click on the library adds one.
        Named<QListWidget>(window, "SongList")->item(0)->setCheckState(Qt::Checked);
        Named<QListWidget>(window, "SongList")->item(2)->setCheckState(Qt::Checked);
        QTest::mouseClick(Named<QPushButton>(window, "SongBin"), Qt::LeftButton);
        QCOMPARE(Names(*Named<QListWidget>(window, "SongList")), std::vector<std::string>{"A"});
        WindowUnderTest::DoubleClickEntry(*Named<QListWidget>(window, "MusicLib"), Row(*Named<QListWidget>(window, "MusicLib"), "Demo Fill"));
        QCOMPARE(Names(*Named<QListWidget>(window, "SongList")), (std::vector<std::string>{"A", "Demo Fill"}));
        Named<QListWidget>(window, "MusicLib")->setCurrentRow(0);
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn1"), Qt::LeftButton);  // "<Blank>" is never added
        QCOMPARE(Names(*Named<QListWidget>(window, "SongList")).size(), size_t{2});
    }

    void PressingAPlayListEntryLoadsItsPatternAndUndoTakesTheLoadBack() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        Named<QComboBox>(window, "TimeBar")->setCurrentIndex(Named<QComboBox>(window, "TimeBar")->findText("32 | 4 "));
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn13"), Qt::LeftButton);
        Named<QSlider>(window, "Delay")->setValue(40);
        Named<QSpinBox>(window, "Loop")->setValue(3);
        StoreAs(ui, "Long");
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn7"), Qt::LeftButton);
        Named<QComboBox>(window, "TimeBar")->setCurrentIndex(Named<QComboBox>(window, "TimeBar")->findText("8  | 4"));
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn13"), Qt::LeftButton);
        Named<QSlider>(window, "Delay")->setValue(60);
        Named<QSpinBox>(window, "Loop")->setValue(1);

        WindowUnderTest::ClickEntry(*Named<QListWidget>(window, "SongList"), Row(*Named<QListWidget>(window, "SongList"), "Long"), Qt::RightButton);
        QCOMPARE(ui.Grid().RowCount(), 10);  // a right press loads the entry selected before: none
        WindowUnderTest::ClickEntry(*Named<QListWidget>(window, "SongList"), Row(*Named<QListWidget>(window, "SongList"), "Long"));
        QCOMPARE(ui.Grid().RowCount(), 34);
        QCOMPARE(Named<QSlider>(window, "Delay")->value(), 40);
        QCOMPARE(Named<QSpinBox>(window, "Loop")->value(), 3);
        QCOMPARE(Named<QLineEdit>(window, "Edit2")->text(), QString("Long"));
        QCOMPARE(Named<QLabel>(window, "Label6")->text(), QString("180"));

        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ui.Grid().RowCount(), 10);
        QCOMPARE(Named<QSlider>(window, "Delay")->value(), 60);

        // A missing file: the message, and the editor unchanged.
        std::filesystem::remove(ui.folder / "Long.pat");
        WindowUnderTest::ClickEntry(*Named<QListWidget>(window, "SongList"), Row(*Named<QListWidget>(window, "SongList"), "Long"));
        QCOMPARE(ui.prompt.Errors().back(), "Cannot open file " + (ui.folder / "Long.pat").string());
        QCOMPARE(ui.Grid().RowCount(), 10);
    }

    void PlayPatternPlaysEveryStepThenEnablesTheButtons() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        ui.Choose("Kick      [ ]");
        for (int row = 2; row <= 17; ++row) {
            ui.Click(row, 1);
        }
        ui.Pass(1000);
        ui.PeakHeard();
        QTest::keyClick(&window, Qt::Key_F6);
        QVERIFY(!Named<QPushButton>(window, "BitBtn3")->isEnabled());
        QVERIFY(!Named<QPushButton>(window, "BitBtn12")->isEnabled());
        ui.Pass(121);
        QCOMPARE(ui.Grid().HighlightedRow(), 2);  // the playhead on the step that sounded
        ui.Pass(120 * 14);
        QVERIFY(Named<QPushButton>(window, "BitBtn3")->isEnabled() == false);
        QCOMPARE(ui.Grid().HighlightedRow(), 16);
        ui.Pass(120);
        QVERIFY(Named<QPushButton>(window, "BitBtn3")->isEnabled());
        QVERIFY(Named<QPushButton>(window, "BitBtn12")->isEnabled());
        QCOMPARE(ui.Grid().HighlightedRow(), -1);
        QVERIFY(ui.PeakHeard() > 0.01f);
    }

    void PlaySongWithAnEmptyListPlaysNothingAndStopEndsAPlayingSong() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn12"), Qt::LeftButton);
        QVERIFY(Named<QPushButton>(window, "BitBtn3")->isEnabled());
        QVERIFY(Named<QPushButton>(window, "BitBtn12")->isEnabled());

        Put(ui, "Demo Rock");
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn12"), Qt::LeftButton);
        QVERIFY(!Named<QPushButton>(window, "BitBtn12")->isEnabled());
        ui.Pass(2000);
        QVERIFY(ui.session->Engine().PlayingSong());
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn4"), Qt::LeftButton);
        QVERIFY(!ui.session->Engine().Playing());
        QVERIFY(Named<QPushButton>(window, "BitBtn3")->isEnabled());
        QVERIFY(Named<QPushButton>(window, "BitBtn12")->isEnabled());
    }

    void GlobalPlaysEveryPatternAtTheTempoSetByHand() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        Named<QSlider>(window, "Delay")->setValue(30);
        QCOMPARE(Named<QLabel>(window, "Label6")->text(), QString("240"));
        Named<QSlider>(window, "Delay")->setValue(1);
        QCOMPARE(Named<QLabel>(window, "Label6")->text(), QString("7200"));
        Named<QSlider>(window, "Delay")->setValue(140);
        QCOMPARE(Named<QLabel>(window, "Label6")->text(), QString("51"));
        Named<QSlider>(window, "Delay")->setValue(30);
        QTest::mouseClick(Named<QCheckBox>(window, "Global"), Qt::LeftButton);
        QVERIFY(ui.session->Engine().UsesGlobalTempo());
        Put(ui, "Demo Rock");  // stored at its own, slower tempo
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn12"), Qt::LeftButton);
        ui.Pass(1100);  // the first step waits the song clock's first interval
        QCOMPARE(Named<QSlider>(window, "Delay")->value(), 30);
        QCOMPARE(ui.session->Engine().Song().Clock().Interval(), 60u);
        QTest::mouseClick(Named<QCheckBox>(window, "Global"), Qt::LeftButton);
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn4"), Qt::LeftButton);
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn12"), Qt::LeftButton);
        ui.Pass(200);
        QVERIFY(Named<QSlider>(window, "Delay")->value() != 30);
    }

    void SongsOpenSaveAndStartNew() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        ui.prompt.files = {(ui.folder / "Demo.sng").string()};
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(ui.prompt.dialogs.back().folder, ui.folder.string());
        QCOMPARE(window.windowTitle(), QString("Stepweave Pro v4.0 - Demo"));
        QCOMPARE(Named<QLineEdit>(window, "Edit3")->text(), QString("Demo"));
        QVERIFY(Named<QListWidget>(window, "SongList")->count() > 0);
        const std::vector<std::string> entries = Names(*Named<QListWidget>(window, "SongList"));

        ui.prompt.files = {(ui.folder / "Copy.sng").string()};
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(ui.prompt.dialogs.back().fileName, std::string("Demo"));
        QCOMPARE(Named<QLineEdit>(window, "Edit3")->text(), QString("Copy"));
        QVERIFY(std::filesystem::exists(ui.folder / "Copy.sng"));

        ui.Document().grid.SetCell(2, 1, "Sample1");
        Named<QSlider>(window, "Delay")->setValue(45);
        ui.prompt.unsavedAnswers = {UnsavedWorkAnswer::Discard};  // the edited pattern goes
        QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(ui.prompt.TextsOf("unsaved").size(), size_t{1});
        QCOMPARE(window.windowTitle(), QString("Stepweave Pro v5.0"));
        QVERIFY(Names(*Named<QListWidget>(window, "SongList")).empty());
        QCOMPARE(Named<QLineEdit>(window, "Edit3")->text(), QString());
        QCOMPARE(ui.Cell(2, 1), std::string());
        QCOMPARE(Named<QSlider>(window, "Delay")->value(), 45);

        ui.prompt.files = {(ui.folder / "Copy.sng").string()};
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn8"), Qt::LeftButton);
        QCOMPARE(Names(*Named<QListWidget>(window, "SongList")), entries);
        ui.prompt.files = {""};  // cancelled: nothing changes
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn8"), Qt::LeftButton);
        QCOMPARE(window.windowTitle(), QString("Stepweave Pro v4.0 - Copy"));
    }

    void NewOpenAndExitAskBeforeUnsavedWorkIsLost() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        const auto asked = [&] { return ui.prompt.TextsOf("unsaved"); };
        ui.Choose("Kick      [ ]");
        ui.Click(2, 1);

        // Cancel: nothing happens.
        QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(asked().size(), size_t{1});
        QCOMPARE(ui.Cell(2, 1), std::string("Kick      [ ]"));
        // Save with no name: Store asks for one, and the song is not opened.
        ui.prompt.unsavedAnswers = {UnsavedWorkAnswer::Save};
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(ui.prompt.shown.back().text, std::string("Name of pattern?"));
        QVERIFY(ui.prompt.dialogs.empty());
        // Save with a name: stored, then the new song.
        StoreAs(ui, "Verse");
        ui.Click(3, 1);
        ui.prompt.unsavedAnswers = {UnsavedWorkAnswer::Save};
        QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(asked().back(), std::string("The pattern \"Verse\" has changes that are not stored.\n"
                                             "The play list is not saved as a song.\n\n"
                                             "Store the pattern and save the song before starting a new song?"));
        QCOMPARE(ui.prompt.shown.back().kind, std::string("save"));  // Save Song's dialog, cancelled
        QCOMPARE(ReadPatternFile(ui.folder.string(), "Verse").rows[3][1], std::string("Kick      [ ]"));
        QCOMPARE(ui.Cell(3, 1), std::string("Kick      [ ]"));  // a song not saved keeps the document

        // The play list saved as a song before another is opened; then nothing is asked.
        ui.prompt.unsavedAnswers = {UnsavedWorkAnswer::Save};
        ui.prompt.files = {(ui.folder / "Mine.sng").string(), (ui.folder / "Demo.sng").string()};
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn8"), Qt::LeftButton);
        QVERIFY(std::filesystem::exists(ui.folder / "Mine.sng"));
        QCOMPARE(window.windowTitle(), QString("Stepweave Pro v4.0 - Demo"));
        const size_t questions = asked().size();
        QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(asked().size(), questions);

        // Exit: Cancel keeps the window; Discard closes it.
        ui.Click(2, 1);
        window.close();
        QVERIFY(window.isVisible());
        ui.prompt.unsavedAnswers = {UnsavedWorkAnswer::Discard};
        window.close();
        QVERIFY(!window.isVisible());
        QCOMPARE(asked().size(), questions + 2);
    }

    void APlayingRowStaysInViewAndThePlayListMarksThePatternPlaying() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        Named<QComboBox>(window, "TimeBar")->setCurrentIndex(Named<QComboBox>(window, "TimeBar")->findText("32 | 4 "));
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn13"), Qt::LeftButton);
        QTest::keyClick(&window, Qt::Key_F6);
        ui.Pass(121 + 120 * 24);
        QCOMPARE(ui.Grid().HighlightedRow(), 26);  // step 25
        QVERIFY(ui.Grid().viewport()->rect().contains(ui.Grid().CellRect({26, 1})));
        QTest::keyClick(&window, Qt::Key_F8);

        // Two patterns of 4 steps; the song's first step comes a second after the start.
        Named<QComboBox>(window, "TimeBar")->setCurrentIndex(Named<QComboBox>(window, "TimeBar")->findText("4  | 4"));
        QTest::mouseClick(Named<QPushButton>(window, "BitBtn13"), Qt::LeftButton);
        StoreAs(ui, "A");
        StoreAs(ui, "B");
        QListWidget& playList = *Named<QListWidget>(window, "SongList");
        const auto marked = [&] {
            std::vector<bool> bold;
            for (int row = 0; row < playList.count(); ++row) {
                bold.push_back(playList.item(row)->font().bold());
            }
            return bold;
        };
        QTest::keyClick(&window, Qt::Key_F5);
        ui.Pass(1001);
        QCOMPARE(marked(), (std::vector<bool>{true, false}));
        ui.Pass(4 * 120);
        QCOMPARE(marked(), (std::vector<bool>{false, true}));
        QTest::keyClick(&window, Qt::Key_F8);
        QCOMPARE(marked(), (std::vector<bool>{false, false}));
    }

    void ANameCutShortByItsColumnShowsInFullAsATooltip() {
        WindowUnderTest ui;
        const std::string longName = "A groove whose name is far too long for its column";
        WriteFileSafely((ui.folder / (longName + ".pat")).string(), std::string());
        SequenceWindow& window = ui.Open();
        Put(ui, longName);
        Put(ui, "Demo Fill");
        const auto tipOver = [](QListWidget& list, const QString& name) {
            QToolTip::hideText();
            const QPoint at(20, list.visualItemRect(list.findItems(name, Qt::MatchExactly)[0]).center().y());
            QHelpEvent help(QEvent::ToolTip, at, list.viewport()->mapToGlobal(at));
            QApplication::sendEvent(list.viewport(), &help);
            return QToolTip::text();
        };
        for (const char* listName : {"MusicLib", "SongList"}) {
            QListWidget& list = *Named<QListWidget>(window, listName);
            QCOMPARE(tipOver(list, QString::fromStdString(longName)), QString::fromStdString(longName));
            QVERIFY(tipOver(list, "Demo Fill") != "Demo Fill");  // it fits: the list's own tip, if any
        }
    }

    void ClosingWritesTheKitPansAndTheNextStartRestoresThem() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        ui.Choose("Tom2      [ ]");
        Named<QSlider>(window, "Panning")->setValue(1500);
        window.close();
        const KitPanTable pans = ReadPanningFile((ui.folder / "Panning.dat").string());
        QCOMPARE(pans[7], 1500);
        QCOMPARE(pans[0], 0);
        ui.window.reset();
        ui.session.reset();
        SequenceWindow& again = ui.Open();
        ui.Choose("Tom2      [ ]");
        QCOMPARE(Named<QSlider>(again, "Panning")->value(), 1500);
    }

    void TheWindowIsNeverLowerThan540AndTheGridFollowsIt() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        QCOMPARE(window.width(), 594);
        window.resize(594, 300);
        QCOMPARE(window.height(), 540);
        QCOMPARE(ui.Grid().height(), 540 - 216 - 50);
        QCOMPARE(ui.Grid().mapTo(window.centralWidget(), QPoint(0, 0)).y(), 216);
        window.resize(800, 700);
        QCOMPARE(ui.Grid().height(), 700 - 216 - 50);
    }

    void AMissingKitIsReportedAndTheWindowStillWorks() {
        WindowUnderTest ui;
        std::filesystem::remove(ui.folder / "standard.dxg");
        SequenceWindow& window = ui.Open();
        QCOMPARE(ui.prompt.Errors(), std::vector<std::string>{"Cannot open file " + (ui.folder / "standard.dxg").string()});
        ui.Choose("Sample2");
        ui.Click(2, 1);
        QCOMPARE(ui.Cell(2, 1), std::string("Sample2"));
        QVERIFY(window.isVisible());
    }

    void WithoutASoundDeviceTheWindowSaysSoOnceAndWorksOn() {
        WindowUnderTest ui;
        ui.output = [](std::string&) -> std::unique_ptr<AudioBackend> { return nullptr; };
        SequenceWindow& window = ui.Open();
        QCOMPARE(ui.prompt.Errors(), std::vector<std::string>{"DirectSound cannot be initialized"});
        ui.Choose("Kick      [ ]");
        ui.Click(2, 1);
        QTest::keyClick(&window, Qt::Key_F6);
        QVERIFY(!Named<QPushButton>(window, "BitBtn3")->isEnabled());
        ui.Pass(16 * 120 + 10);
        QVERIFY(Named<QPushButton>(window, "BitBtn3")->isEnabled());
        StoreAs(ui, "Silent");
        QVERIFY(std::filesystem::exists(ui.folder / "Silent.pat"));
        QCOMPARE(ui.prompt.Errors().size(), size_t{1});
    }
};

QTEST_MAIN(SequenceLibraryTest)
#include "sequence_library_test.moc"
