// The main window under a virtual X server, its keys and clicks coming from
// the X server (xdotool) in the order the platform delivers them: Enter in
// an open drop-down list, Ctrl+C from the text fields, and the question
// before unsaved work is lost, answered with the real message box.
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "stepweave/sequencer/files/pattern_file.h"
#include "stepweave/sequencer/ui/message_box_prompt.h"
#include "tests/stepweave/sequencer/ui/sequence_window_fixture.h"
#include "tests/stepweave/sequencer/ui/x11/close_request.h"
#include "tests/stepweave/sequencer/ui/x11/x_user.h"

using namespace stepweave;
using stepweave::test::Named;
using stepweave::test::WindowUnderTest;
using stepweave::test::XUser;

namespace {

const std::string kKick = "Kick      [ ]";

// The unsaved-work question while it is shown.
QWidget* Question() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "UnsavedWorkQuestion" && widget->isVisible() && widget->windowHandle()->isExposed()) {
            return widget;
        }
    }
    return nullptr;
}

QWidget* QuestionButton(const char* name) { return Named<QPushButton>(*Question(), name); }

// The window shown, with the X input focus.
XUser& Start(XUser& user, SequenceWindow& window) {
    return user.WaitFor("the window shown", [&] { return window.windowHandle()->isExposed(); })
        .Focus("the window", [&] { return &window; })
        .WaitFor("the window active", [&] { return QApplication::activeWindow() == &window; });
}

// The window with its questions asked by the real message boxes.
struct RealWindow {
    MessageBoxPrompt boxes;
    WindowUnderTest ui;
    SequenceWindow& window = ui.Open(boxes);
    RealWindow() { boxes.SetOwner(&window); }
};

}  // namespace

class WindowKeysTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void EnterInAnOpenListOnlyChoosesTheEntry() {
        RealWindow real;
        WindowUnderTest& ui = real.ui;
        ui.Choose(QString::fromStdString(kKick));
        ui.Document().grid.SetCell(2, 1, kKick);
        ui.Document().grid.SetCell(10, 1, kKick);  // on 9:0*
        real.window.ShowDocument();
        ui.Grid().SetCurrentCell({2, 1});
        QComboBox& chooser = *Named<QComboBox>(real.window, "ComboBox1");
        QComboBox& timeBar = *Named<QComboBox>(real.window, "TimeBar");
        const QString chosen = chooser.itemText(chooser.currentIndex() + 3);
        XUser user;
        // The Instruments list opened with the mouse.
        Start(user, real.window)
            .Click("the Instruments arrow", [&] { return &chooser; },
                   [](QWidget& arrow) { return QPoint(arrow.width() - 6, arrow.height() / 2); })
            .WaitFor("the Instruments list", [&] { return chooser.view()->isVisible(); })
            .Keys({"Down", "Down", "Down"})
            .Keys({"Return"})
            .WaitFor("the entry chosen", [&] { return !chooser.view()->isVisible() && chooser.currentText() == chosen; });
        QVERIFY2(user.Run(), qPrintable(user.Failure()));
        QCOMPARE(ui.Cell(2, 1), kKick);

        // The Length/beat list opened with the keys.
        ui.Choose(QString::fromStdString(kKick));
        ui.Grid().SetCurrentCell({10, 1});
        const int downs = timeBar.findText("32 | 8 ") - timeBar.currentIndex();
        QVERIFY(downs > 0);
        Start(user, real.window)
            .Click("the Length/beat text", [&] { return timeBar.lineEdit(); }, [](QWidget& text) { return QPoint(8, text.height() / 2); })
            .WaitFor("the caret in Length/beat", [&] { return timeBar.hasFocus(); })
            .Keys({"alt+Down"})
            .WaitFor("the Length/beat list", [&] { return timeBar.view()->isVisible(); })
            .Keys(QStringList(downs, "Down"))
            .Keys({"Return"})
            .WaitFor("32 | 8 chosen", [&] {
                return !timeBar.view()->isVisible() && Named<QLineEdit>(*ui.window, "Edit4")->text() == "32" &&
                       Named<QLineEdit>(*ui.window, "Edit5")->text() == "8";
            });
        QVERIFY2(user.Run(), qPrintable(user.Failure()));
        QCOMPARE(ui.Cell(10, 1), kKick);
        QCOMPARE(ui.Grid().RowCount(), 18);

        // Enter from a text field keeps its menu meaning: the current cell toggles.
        QLineEdit& name = *Named<QLineEdit>(real.window, "Edit2");
        Start(user, real.window)
            .Click("the Pattern Name field", [&] { return &name; })
            .WaitFor("the caret in Pattern Name", [&] { return name.hasFocus(); })
            .Keys({"Return"})
            .WaitFor("the grid takes the focus", [&] { return ui.Grid().hasFocus(); });
        QVERIFY2(user.Run(), qPrintable(user.Failure()));
        QCOMPARE(ui.Cell(10, 1), std::string());
    }

    void CtrlCClosesTheWindowFromEveryTextField_data() {
        QTest::addColumn<QString>("field");
        QTest::newRow("Pattern Name") << "Edit2";
        QTest::newRow("Song Title") << "Edit3";
        QTest::newRow("Instruments") << "ComboBox1";
    }

    void CtrlCClosesTheWindowFromEveryTextField() {
        QFETCH(QString, field);
        RealWindow real;
        QWidget* text = real.window.findChild<QLineEdit*>(field);
        if (text == nullptr) {
            text = Named<QComboBox>(real.window, field)->lineEdit();
        }
        XUser user;
        Start(user, real.window)
            .Click("the field", [&] { return text; }, [](QWidget& line) { return QPoint(8, line.height() / 2); })
            .WaitFor("the caret in the field", [&] { return text->hasFocus(); })
            .Keys({"ctrl+c"})
            .WaitFor("the window closed", [&] { return !real.window.isVisible(); });
        QVERIFY2(user.Run(), qPrintable(user.Failure()));
    }

    void ClosingWithUnsavedWorkAsksEveryWayItIsClosed() {
        RealWindow real;
        WindowUnderTest& ui = real.ui;
        SequenceWindow& window = real.window;
        ui.Choose(QString::fromStdString(kKick));
        ui.Document().SetPatternName("Verse");
        window.ShowDocument();
        QMenu& file = *window.menuBar()->actions().front()->menu();
        XUser user;
        Start(user, window)
            .Click("a step", [&] { return ui.Grid().viewport(); }, [&](QWidget&) { return ui.CellCentre(2, 1); })
            .WaitFor("the kick placed", [&] { return ui.Cell(2, 1) == kKick; })
            // Ctrl+C, then Escape: the question goes and the window stays.
            .Keys({"ctrl+c"})
            .WaitFor("the question", [] { return Question() != nullptr; })
            .Focus("the question", [] { return Question(); })
            .Keys({"Escape"})
            .WaitFor("the question gone", [] { return Question() == nullptr; })
            // The close button, then Cancel.
            .Do("the close button", [&] { test::SendCloseRequest(window.winId()); })
            .WaitFor("the question", [] { return Question() != nullptr; })
            .Click("Cancel", [] { return QuestionButton("Cancel"); })
            .WaitFor("the question gone", [] { return Question() == nullptr; })
            // Exit from the File menu, then Enter: the pattern is stored and the window closes.
            .Focus("the window", [&] { return &window; })
            .Click("File", [&] { return window.menuBar(); },
                   [&](QWidget&) { return window.menuBar()->actionGeometry(file.menuAction()).center(); })
            .WaitFor("the File menu", [&] { return file.isVisible(); })
            .Click("Exit", [&] { return &file; }, [&](QWidget&) { return file.actionGeometry(window.exitAction).center(); })
            .WaitFor("the question", [] { return Question() != nullptr; })
            .Focus("the question", [] { return Question(); })
            .Keys({"Return"})
            .WaitFor("the window closed", [&] { return !window.isVisible(); });
        QVERIFY2(user.Run(), qPrintable(user.Failure()));
        QCOMPARE(ReadPatternFile(ui.folder.string(), "Verse").rows[2][1], kKick);
    }
};

QTEST_MAIN(WindowKeysTest)
#include "window_keys_test.moc"
