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
#include <span>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/voxnote/manual_audio_input.h"
#include "tests/voxnote/app/scripted_prompt.h"
#include "tests/support/voxnote/manual_playback_clock.h"
#include "voxnote/app/mididevices/midi_device_catalog.h"
#include "tests/support/voxnote/recording_midi_device.h"
#include "voxnote/app/skin/skin_control.h"
#include "voxnote/app/skin/skin_slider.h"
#include "voxnote/app/ui/main_dialog.h"

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

// The main window as its tests work it: the real window, its skinned
// controls found by their names as a user finds them by sight, and what it
// shows read from its session.
class WindowUnderTest : public MainDialog {
public:
    using MainDialog::MainDialog;

    template <typename Control>
    Control* Named(const char* name) const {
        auto* control = dynamic_cast<Control*>(FindControl(name));
        if (control == nullptr) {
            qFatal("the main window has no control \"%s\"", name);
        }
        return control;
    }

    SkinToggle* const StartToggle = Named<SkinToggle>("startToggle");
    SkinToggle* const ShrinkToggle = Named<SkinToggle>("shrinkToggle");
    SkinButton* const MinimiseButton = Named<SkinButton>("minimiseButton");
    SkinButton* const CloseButton = Named<SkinButton>("closeButton");
    SkinButton* const MixerButton = Named<SkinButton>("mixerButton");
    SkinToggle* const RhythmToggle = Named<SkinToggle>("rhythmToggle");
    SkinButton* const WaveButton = Named<SkinButton>("waveButton");
    SkinButton* const SetupButton = Named<SkinButton>("setupButton");
    SkinButton* const PresetButton = Named<SkinButton>("presetButton");
    SkinButton* const ScaleUpButton = Named<SkinButton>("scaleUpButton");
    SkinButton* const ScaleDownButton = Named<SkinButton>("scaleDownButton");
    SkinButton* const MaximumNoteUpButton = Named<SkinButton>("maximumNoteUpButton");
    SkinButton* const MaximumNoteDownButton = Named<SkinButton>("maximumNoteDownButton");
    SkinButton* const MinimumNoteUpButton = Named<SkinButton>("minimumNoteUpButton");
    SkinButton* const MinimumNoteDownButton = Named<SkinButton>("minimumNoteDownButton");
    SkinSlider* const InputVolumeSlider = Named<SkinSlider>("inputVolumeSlider");
    SkinSlider* const GapRatioSlider = Named<SkinSlider>("gapRatioSlider");
    SkinSlider* const NoteStopRatioSlider = Named<SkinSlider>("noteStopRatioSlider");
    QAction* const ChangeMixerAction = findChild<QAction*>("changeMixerAction");
    const QTimer& StepRepeatTimer() const { return *findChild<QTimer*>("stepRepeatTimer"); }

    ConverterSettings& Settings() { return Session().Settings(); }
    CaptureSession* Capture() { return Session().Capture(); }
    QString PresetName() { return QString::fromStdString(Settings().PresetName()); }
    int Scale() { return Settings().Scale(); }
    NoteRange CurrentNoteRange() { return Settings().Range(); }
    int InputVolume() const { return InputVolumeSlider->GetValue(); }
    int GapRatio() const { return GapRatioSlider->GetValue(); }
    int NoteStopRatio() const { return NoteStopRatioSlider->GetValue(); }
    bool IsRunActive() { return Session().IsRunActive(); }
    NoteLearn::Bound NoteLearnBound() { return Session().LearningBound(); }
    void SetScale(int scale) { Session().SetScale(scale); }
    void SetNoteRange(NoteRange range) { Session().SetNoteRange(range); }
    void SetAlwaysOnTop(bool on) { Session().SetAlwaysOnTop(on); }
    void SetAutoShrink(bool on) { Session().SetAutoShrink(on); }
    void SuspendAutoShrink() { Session().SuspendAutoShrink(); }
    void RestoreAutoShrink() { Session().RestoreAutoShrink(); }
    bool IsAutoShrinkInEffect() { return Session().IsAutoShrinkInEffect(); }
};

// Setup's widgets, found by their names.
struct SetupControls {
    explicit SetupControls(SetupDialog& setup) : dialog(setup) {}
    template <typename Widget>
    Widget* Find(const char* name) const {
        auto* widget = dialog.findChild<Widget*>(name);
        if (widget == nullptr) {
            qFatal("Setup has no widget \"%s\"", name);
        }
        return widget;
    }
    void close() { dialog.close(); }

    SetupDialog& dialog;
    QListWidget* const OutputVolumeList = Find<QListWidget>("outputVolumeList");
    QListWidget* const TuningList = Find<QListWidget>("tuningList");
    QPushButton* const TuneButton = Find<QPushButton>("tuneButton");
    QListWidget* const NoteList = Find<QListWidget>("noteList");
    QComboBox* const DrumKitBox = Find<QComboBox>("drumKitBox");
    QCheckBox* const FixedVolumeCheck = Find<QCheckBox>("fixedVolumeCheck");
    QCheckBox* const AlwaysOnTopCheck = Find<QCheckBox>("alwaysOnTopCheck");
    QCheckBox* const AutoShrinkCheck = Find<QCheckBox>("autoShrinkCheck");
    QCheckBox* const HigherPriorityCheck = Find<QCheckBox>("higherPriorityCheck");
    QRadioButton* const AsynchronousRadio = Find<QRadioButton>("asynchronousRadio");
    QRadioButton* const SynchronousRadio = Find<QRadioButton>("synchronousRadio");
    QComboBox* const MidiDeviceBox = Find<QComboBox>("midiDeviceBox");
    QLabel* const MidiDeviceNotice = Find<QLabel>("midiDeviceNotice");
    QPushButton* const CloseButton = Find<QPushButton>("closeButton");
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
        window = std::make_unique<WindowUnderTest>(std::move(services));
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
    std::unique_ptr<WindowUnderTest> window;
    size_t pumped = 0;  // samples recorded in the current run
};

}  // namespace voxnote::test
