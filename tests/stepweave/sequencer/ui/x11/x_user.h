#pragma once
// A user at the X server, for window tests under a virtual X server: steps
// that each wait for a state of the program, then press keys or the mouse
// through xdotool, so that the program gets its events from the X server in
// the order the platform delivers them. The steps run from a timer, and so go
// on inside the event loop of a message box the program shows, as a user's
// hands do. A step that waits in vain (30 s) ends the run and closes the
// boxes still open.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

namespace stepweave::test {

class XUser {
public:
    static constexpr int kLongestWaitMs = 30000;

    // Waits until the condition holds: what the user sees before acting.
    XUser& WaitFor(const QString& what, std::function<bool()> condition) {
        steps_.push_back({what, std::move(condition), {}, {}});
        return *this;
    }
    // Presses and releases keys, named as xdotool names them ("ctrl+c", "Return").
    XUser& Keys(const QStringList& keys) {
        steps_.push_back({"keys " + keys.join(' '), {}, [keys] { return QStringList{"key"} + keys; }, {}});
        return *this;
    }
    // A click of the left button on a widget (at its centre unless a point is
    // given), found when the step runs.
    XUser& Click(const QString& what, std::function<QWidget*()> widget, std::function<QPoint(QWidget&)> at = {}) {
        steps_.push_back({"click " + what, {}, [widget, at] {
                              QWidget& target = *widget();
                              const QPoint global = target.mapToGlobal(at ? at(target) : target.rect().center());
                              return QStringList{"mousemove", "--sync", QString::number(global.x()),
                                                 QString::number(global.y()), "click", "1"};
                          }, {}});
        return *this;
    }
    // Gives the X input focus to a window, as a window manager does.
    XUser& Focus(const QString& what, std::function<QWidget*()> window) {
        steps_.push_back({"focus " + what, {}, [window] {
                              return QStringList{"windowfocus", "--sync", QString::number(window()->winId())};
                          }, {}});
        return *this;
    }
    // Anything else that comes from outside the program.
    XUser& Do(const QString& what, std::function<void()> action) {
        steps_.push_back({what, {}, {}, std::move(action)});
        return *this;
    }

    // Runs the steps; false when one waited in vain (Failure() names it).
    bool Run() {
        QTimer ticks;
        ticks.setInterval(5);
        QObject::connect(&ticks, &QTimer::timeout, [this] { Tick(); });
        next_ = 0;
        failure_.clear();
        waiting_.start();
        ticks.start();
        while (next_ < steps_.size() && failure_.isEmpty()) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
            QApplication::sendPostedEvents();
        }
        ticks.stop();
        steps_.clear();
        return failure_.isEmpty();
    }
    const QString& Failure() const { return failure_; }

private:
    struct Step {
        QString what;
        std::function<bool()> ready;
        std::function<QStringList()> command;
        std::function<void()> action;
    };

    void Tick() {
        if (next_ >= steps_.size() || !failure_.isEmpty() || xdotool_.state() != QProcess::NotRunning) {
            return;
        }
        if (started_) {  // the command of the step has run
            started_ = false;
            if (xdotool_.exitStatus() != QProcess::NormalExit || xdotool_.exitCode() != 0) {
                Fail("xdotool failed at " + steps_[next_].what + ": " + xdotool_.readAllStandardError());
                return;
            }
            Advance();
            return;
        }
        const Step& step = steps_[next_];
        if (step.ready && !step.ready()) {
            if (waiting_.elapsed() > kLongestWaitMs) {
                Fail("waited in vain for " + step.what);
            }
            return;
        }
        if (step.command) {
            xdotool_.start("xdotool", step.command());
            started_ = true;
            return;
        }
        if (step.action) {
            step.action();
        }
        Advance();
    }
    void Advance() {
        ++next_;
        waiting_.restart();
    }
    void Fail(const QString& why) {
        failure_ = why;
        for (int open = 0; open < 10 && QApplication::activeModalWidget() != nullptr; ++open) {
            QApplication::activeModalWidget()->close();
        }
    }

    std::vector<Step> steps_;
    size_t next_ = 0;
    bool started_ = false;
    QProcess xdotool_;
    QElapsedTimer waiting_;
    QString failure_;
};

}  // namespace stepweave::test
