#pragma once
// Helpers of the converter's window tests: the mouse as a user moves it, a
// prompt that answers the program's questions by script, a settings file of
// the test's own, and a way to act inside a modal dialog.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <deque>
#include <span>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/voxnote/manual_audio_input.h"
#include "tests/support/voxnote/manual_playback_clock.h"
#include "voxnote/app/mididevices/midi_device_catalog.h"
#include "tests/support/voxnote/recording_midi_device.h"
#include "voxnote/app/skin/skin_control.h"
#include "voxnote/app/skin/skin_slider.h"
#include "voxnote/app/ui/main_dialog.h"
#include "voxnote/app/shell/user_prompt.h"

namespace voxnote::test {

inline QPoint Centre(const SkinControl& control) {
    const SkinRect r = control.GetBoundingRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

inline QPoint ThumbCentre(const SkinSlider& slider) {
    const SkinRect r = slider.ThumbRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

inline void Click(QWidget& window, QPoint point) {
    QTest::mousePress(&window, Qt::LeftButton, {}, point);
    QTest::mouseRelease(&window, Qt::LeftButton, {}, point);
}

inline void Click(QWidget& window, const SkinControl& control) { Click(window, Centre(control)); }

inline void Drag(QWidget& window, QPoint from, QPoint to) {
    QTest::mousePress(&window, Qt::LeftButton, {}, from);
    QTest::mouseMove(&window, to);
    QTest::mouseRelease(&window, Qt::LeftButton, {}, to);
}

// A quick second click as X11 and Qt deliver it (recorded from a real X
// server driven by "xdotool click --repeat 2 --delay 100 1"): press,
// release, double click, release. The double click takes the place of the
// second press; no press comes with it.
inline void DoubleClick(QWidget& window, QPoint point) {
    Click(window, point);
    QTest::mouseDClick(&window, Qt::LeftButton, {}, point);
    QTest::mouseRelease(&window, Qt::LeftButton, {}, point);
}

// Clicks in quick succession, as they arrive: every second one a double click.
inline void QuickClicks(QWidget& window, QPoint point, int count) {
    for (int click = 0; click < count; ++click) {
        if (click % 2 == 0) {
            QTest::mousePress(&window, Qt::LeftButton, {}, point);
        } else {
            QTest::mouseDClick(&window, Qt::LeftButton, {}, point);
        }
        QTest::mouseRelease(&window, Qt::LeftButton, {}, point);
    }
}

inline bool IsBrightGreen(QRgb pixel) { return qGreen(pixel) > 200 && qRed(pixel) < 120 && qBlue(pixel) < 120; }
inline bool IsBrightRed(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 120 && qBlue(pixel) < 120; }

// Counts the pixels of the area that pass the test.
template <typename Test>
int CountPixels(const QImage& image, QRect area, Test test) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += test(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

// Answers the questions by script, in order, and keeps every message. A
// question without a scripted answer fails the test and gets "No"/"Cancel".
class ScriptedPrompt : public UserPrompt {
public:
    struct Asked {
        std::string kind;  // "message", "information", "yes/no", "ok/cancel", "file"
        std::string text;
    };

    void Report(MessageKind kind, const std::string& text) override {
        asked.push_back({kind == MessageKind::Information ? "information" : "message", text});
        if (onQuestion) {
            onQuestion();
        }
    }
    bool AskYesNo(const std::string& text) override { return Answer("yes/no", text); }
    bool AskOkCancel(const std::string& text) override { return Answer("ok/cancel", text); }
    std::optional<std::string> ChooseProgramFile() override {
        asked.push_back({"file", ""});
        if (onQuestion) {
            onQuestion();
        }
        if (files.empty()) {
            unexpected.push_back("file dialog");
            return std::nullopt;
        }
        std::optional<std::string> file = files.front();
        files.pop_front();
        return file;
    }

    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const Asked& question : asked) {
            if (question.kind == "message" || question.kind == "information") {
                texts.push_back(question.text);
            }
        }
        return texts;
    }
    void Clear() { asked.clear(); }
    // The questions nobody scripted an answer for, one a line.
    std::string Unexpected() const {
        std::string text;
        for (const std::string& question : unexpected) {
            text += question + "\n";
        }
        return text;
    }

    std::deque<bool> answers;                      // yes/no and ok/cancel, in order
    std::deque<std::optional<std::string>> files;  // nothing: the file dialog is cancelled
    std::vector<Asked> asked;
    std::vector<std::string> unexpected;
    // Called at every question, before it is answered (to look at the window then).
    std::function<void()> onQuestion;

private:
    bool Answer(const std::string& kind, const std::string& text) {
        asked.push_back({kind, text});
        if (onQuestion) {
            onQuestion();
        }
        if (answers.empty()) {
            unexpected.push_back(text);
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Runs `action` on the modal dialog of type Dialog as soon as it is open.
template <typename Dialog>
void WhenModalOpens(std::function<void(Dialog&)> action) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            action(*dialog);
        }
    });
    poll->start();
}

inline QString ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

inline void WriteFile(const QString& path, const QString& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

// The value of `key` in `section` of an INI text, or a null string.
inline QString IniValue(const QString& text, const QString& section, const QString& key) {
    bool inSection = false;
    for (const QString& rawLine : text.split('\n')) {
        const QString line = rawLine.trimmed();
        if (line.startsWith('[')) {
            inSection = line.mid(1, line.indexOf(']') - 1).compare(section, Qt::CaseInsensitive) == 0;
        } else if (inSection && line.section('=', 0, 0).trimmed().compare(key, Qt::CaseInsensitive) == 0) {
            return line.section('=', 1).trimmed();
        }
    }
    return {};
}

// A sine tone at 11025 samples per second.
inline std::vector<int16_t> Tone(double frequency, double seconds, double amplitude = 8000) {
    std::vector<int16_t> samples(static_cast<size_t>(seconds * 11025));
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(std::lround(amplitude * std::sin(2 * M_PI * frequency * i / 11025.0)));
    }
    return samples;
}

// The MIDI devices a test offers: recording devices that sound nothing.
class TestMidiDevices : public MidiDeviceCatalog {
public:
    int Count() override { return static_cast<int>(devices.size()); }
    std::shared_ptr<MidiOutputDevice> Device(int number) override {
        return number >= 0 && number < Count() ? devices[static_cast<size_t>(number)] : nullptr;
    }
    void Add(const std::string& name, int technology) {
        devices.push_back(std::make_shared<RecordingMidiDevice>(name, technology, clock));
    }
    std::vector<std::string> Notices() const override { return notices; }

    ManualPlaybackClock clock;
    std::vector<std::shared_ptr<MidiOutputDevice>> devices;
    std::vector<std::string> notices;
};

// A main window with a settings file, a prompt, a recording device and MIDI
// devices of the test's own; the test pumps the sound the device "records".
struct TestWindow {
    // With fromEnvironment the recording device is the one VOXNOTE_AUDIO_IN names.
    explicit TestWindow(const QString& iniPath = {}, bool fromEnvironment = false) {
        MainDialogServices services;
        services.profilePath = (iniPath.isEmpty() ? folder.filePath("voxnote.ini") : iniPath).toStdString();
        services.prompt = &prompt;
        services.midiDevices = &midiDevices;
        if (!fromEnvironment) {
            auto manual = std::make_unique<ManualAudioInput>();
            input = manual.get();
            services.audioInput = std::move(manual);
        }
        window = std::make_unique<MainDialog>(std::move(services));
        window->move(100, 100);
    }
    void Show() {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    QString IniPath() const { return QString::fromStdString(window->Settings().Profile().Path().string()); }

    // Pumps the samples into the recording a few blocks at a time, as a
    // sound card would, and waits each time until the window has analysed
    // every block that was filled.
    bool Record(const std::vector<int16_t>& samples) {
        constexpr size_t kChunk = 4 * 4096;
        CaptureSession* capture = window->Capture();
        for (size_t start = 0; start < samples.size(); start += kChunk) {
            const size_t count = std::min(kChunk, samples.size() - start);
            pumped += count;
            const uint64_t filledBytes = pumped / 4096 * 8192;
            if (!input->Pump(std::span<const int16_t>(samples.data() + start, count)) ||
                !QTest::qWaitFor([&] { return capture->BytesProcessed() >= filledBytes; }, 10000)) {
                return false;
            }
        }
        return true;
    }

    QTemporaryDir folder;
    ScriptedPrompt prompt;
    TestMidiDevices midiDevices;
    ManualAudioInput* input = nullptr;
    std::unique_ptr<MainDialog> window;
    size_t pumped = 0;  // samples recorded in the current run
};

}  // namespace voxnote::test
