#pragma once
// The main window on a workspace of the test's own, its sound on a device
// driven by hand and its timers on that device's clock, with the user's
// answers to message boxes and file dialogs given by script. The helpers
// click and type on the window's controls as a user does.
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QProgressBar>
#include <QToolButton>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/session/sequencer_session.h"
#include "stepweave/sequencer/session/workspace.h"
#include "stepweave/sequencer/ui/sequence_window.h"
#include "stepweave/sequencer/ui/window_prompt.h"
#include "stepweave/sound/voices/kit_player.h"
#include "stepweave/sound/timing/timer_scheduler.h"
#include "tests/support/stepweave/manual_audio_backend.h"

namespace stepweave::test {

// The control of a window that carries this object name (the window's
// component name); a name the window lacks ends the test.
template <typename Control>
Control* Named(const QObject& window, const QString& name) {
    auto* control = window.findChild<Control*>(name);
    if (control == nullptr) {
        qFatal("no control named %s in %s", qPrintable(name), window.metaObject()->className());
    }
    return control;
}

struct Shown {
    std::string kind;  // "notice", "ok/cancel", "yes/no", "error", "open", "save", "unsaved"
    std::string text;
    std::string caption;  // for "unsaved": the Save button's text
};

class ScriptedWindowPrompt : public WindowPrompt {
public:
    void Notify(const std::string& text, const std::string& caption) override { shown.push_back({"notice", text, caption}); }
    bool ConfirmOkCancel(const std::string& text, const std::string& caption) override {
        shown.push_back({"ok/cancel", text, caption});
        return Answer();
    }
    void ShowError(const std::string& text) override { shown.push_back({"error", text, ""}); }
    bool AskYesNo(const std::string& text, const std::string& caption) override {
        shown.push_back({"yes/no", text, caption});
        return Answer();
    }
    std::string ChooseFileToOpen(const FileDialogRequest& request) override { return File("open", request); }
    std::string ChooseFileToSave(const FileDialogRequest& request) override { return File("save", request); }
    UnsavedWorkAnswer AskAboutUnsavedWork(const UnsavedWorkQuestion& question) override {
        shown.push_back({"unsaved", question.text, question.saveButton});
        if (unsavedAnswers.empty()) {
            return UnsavedWorkAnswer::Cancel;
        }
        const UnsavedWorkAnswer answer = unsavedAnswers.front();
        unsavedAnswers.pop_front();
        return answer;
    }

    std::vector<std::string> Errors() const { return TextsOf("error"); }
    std::vector<std::string> TextsOf(const std::string& kind) const {
        std::vector<std::string> texts;
        for (const Shown& s : shown) {
            if (s.kind == kind) {
                texts.push_back(s.text);
            }
        }
        return texts;
    }

    std::deque<bool> answers;       // OK/Cancel and Yes/No, in order
    std::deque<std::string> files;  // "" cancels the dialog
    std::deque<UnsavedWorkAnswer> unsavedAnswers;  // Cancel when none is left
    std::vector<Shown> shown;
    std::vector<FileDialogRequest> dialogs;

private:
    bool Answer() {
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::string File(const std::string& kind, const FileDialogRequest& request) {
        shown.push_back({kind, request.title, ""});
        dialogs.push_back(request);
        if (files.empty()) {
            return {};
        }
        std::string file = files.front();
        files.pop_front();
        return file;
    }
};

// A seeded workspace (default kit, "Blank.wav", "temp", "Panning.dat", the
// demo song) in a folder of its own, and the window on it.
class WindowUnderTest {
public:
    explicit WindowUnderTest(bool seed = true) : timers(clock) {
        folder = std::filesystem::path(scratch_.path().toStdString());
        if (seed) {
            SeedWorkspace(folder.string());
        }
    }
    ~WindowUnderTest() {
        window.reset();
        session.reset();
    }

    SequenceWindow& Open() { return Open(prompt); }
    // The window answering its questions with the given prompt (the real
    // message boxes, say).
    SequenceWindow& Open(WindowPrompt& answering) {
        session = std::make_unique<SequencerSession>(folder.string(), timers, SessionSound::Devices, output);
        window = std::make_unique<SequenceWindow>(*session, answering);
        window->show();
        QApplication::setActiveWindow(window.get());
        return *window;
    }

    SequencerDocument& Document() { return session->Document(); }
    StepGrid& Grid() { return *Named<StepGrid>(*window, "StringGrid1"); }

    // Time passes: the device renders and the main thread's timers fire as due.
    void Pass(uint32_t milliseconds) {
        for (uint32_t ms = 0; ms < milliseconds; ++ms) {
            clock.Advance(1);
            timers.RunDueTimers();
        }
        QCoreApplication::processEvents();
    }

    // The peak of what the device played since the last call.
    float PeakHeard() {
        float peak = 0;
        for (float sample : clock.Output()) {
            peak = std::max(peak, std::abs(sample));
        }
        clock.ClearOutput();
        return peak;
    }

    QPoint CellCentre(int row, int column) { return Grid().CellRect({row, column}).center(); }
    void Click(int row, int column, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(Grid().viewport(), button, {}, CellCentre(row, column));
        QTest::mouseRelease(Grid().viewport(), button, {}, CellCentre(row, column));
    }
    void Choose(const QString& instrument) {
        QComboBox& chooser = *Named<QComboBox>(*window, "ComboBox1");
        chooser.setCurrentIndex(chooser.findText(instrument));
    }
    std::string Cell(int row, int column) { return Document().grid.Cell(row, column); }

    // A press and release on a list entry, as a click of the mouse.
    static void ClickEntry(QListWidget& list, int row, Qt::MouseButton button = Qt::LeftButton) {
        const QPoint at = list.visualItemRect(list.item(row)).center();
        QTest::mousePress(list.viewport(), button, {}, at);
        QTest::mouseRelease(list.viewport(), button, {}, at);
    }
    static void DoubleClickEntry(QListWidget& list, int row) {
        const QPoint at = list.visualItemRect(list.item(row)).center();
        QTest::mousePress(list.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, at);
    }

    ManualAudioClock clock;
    TimerScheduler timers;
    // Where the window's session opens its sound output: the hand-driven device.
    AudioBackendSource output = [this](std::string&) { return std::make_unique<ManualAudioBackend>(clock, 20); };
    std::filesystem::path folder;
    ScriptedWindowPrompt prompt;
    std::unique_ptr<SequencerSession> session;
    std::unique_ptr<SequenceWindow> window;

private:
    QTemporaryDir scratch_;
};

}  // namespace stepweave::test
