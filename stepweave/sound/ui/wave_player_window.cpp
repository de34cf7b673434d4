#include "stepweave/sound/ui/wave_player_window.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <cmath>
#include <filesystem>

#include "stepweave/sequencer/playback/user_samples.h"
#include "stepweave/sound/voices/audio_file_stream.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/ui/tool_prompt.h"

namespace stepweave {

namespace {

constexpr int kSliderUnit = 100;  // pan and volume sliders in whole decibels
constexpr int kLowestFrequency = 4410;
constexpr int kHighestFrequency = 44100;
constexpr int kFrequencyPage = 1100;
constexpr int kPollMilliseconds = 100;
constexpr const char* kApplicationTitle = "Stepweave";

QString FileNameOnly(const std::string& path) {
    return QString::fromStdString(std::filesystem::path(path).filename().string());
}

QSlider* Slider(int minimum, int maximum, QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(minimum, maximum);
    slider->setEnabled(false);
    return slider;
}

}  // namespace

WavePlayerWindow::WavePlayerWindow(UserSamples& samples, ToolPrompt& prompt, std::string startDirectory, QWidget* parent)
    : QMainWindow(parent, Qt::Tool),
      samples_(samples),
      prompt_(prompt),
      startDirectory_(std::move(startDirectory)) {
    setWindowTitle("Sample1");
    setAcceptDrops(true);
    CreateControls();
    CreateMenu();
    endOfPlayTimer.setInterval(kPollMilliseconds);
    connect(&endOfPlayTimer, &QTimer::timeout, this, &WavePlayerWindow::CheckPlayEnded);
}

void WavePlayerWindow::CreateControls() {
    auto* panel = new QWidget(this);
    setCentralWidget(panel);
    playButton = new QPushButton("&Play", panel);
    playButton->setObjectName("PlayButton");
    playButton->setEnabled(false);
    okButton = new QPushButton("OK", panel);
    okButton->setObjectName("Button1");
    panSlider = Slider(-40, 40, panel);
    volumeSlider = Slider(-40, 0, panel);
    pitchSlider = Slider(kLowestFrequency, kHighestFrequency, panel);
    panSlider->setObjectName("PanTrackBar");
    volumeSlider->setObjectName("VolumeTrackBar");
    pitchSlider->setObjectName("FrequencyTrackBar");
    pitchSlider->setPageStep(kFrequencyPage);
    pitchSlider->setValue(kLowestFrequency);
    panLabel = new QLabel("Pan", panel);
    panLabel->setObjectName("PanLabel");
    volumeLabel = new QLabel("Volume", panel);
    volumeLabel->setObjectName("VolumeLabel");
    pitchLabel = new QLabel("Pitch", panel);
    pitchLabel->setObjectName("FrequencyLabel");
    semitoneDownButton = new QToolButton(panel);
    semitoneDownButton->setObjectName("Image1");
    semitoneDownButton->setArrowType(Qt::DownArrow);
    semitoneDownButton->setToolTip("A semitone down");
    semitoneUpButton = new QToolButton(panel);
    semitoneUpButton->setObjectName("Image2");
    semitoneUpButton->setArrowType(Qt::UpArrow);
    semitoneUpButton->setToolTip("A semitone up");
    for (QToolButton* arrow : {semitoneDownButton, semitoneUpButton}) {
        arrow->setCursor(Qt::PointingHandCursor);
        arrow->setFixedSize(26, 22);
    }
    semitoneLabel = new QLabel("Pitch by semitone", panel);
    semitoneLabel->setObjectName("Label1");

    auto* layout = new QGridLayout(panel);
    layout->addWidget(panLabel, 0, 0);
    layout->addWidget(panSlider, 0, 1, 1, 3);
    layout->addWidget(volumeLabel, 1, 0);
    layout->addWidget(volumeSlider, 1, 1, 1, 3);
    layout->addWidget(pitchLabel, 2, 0);
    layout->addWidget(pitchSlider, 2, 1, 1, 3);
    layout->addWidget(semitoneLabel, 3, 0, 1, 2);
    layout->addWidget(semitoneDownButton, 3, 2);
    layout->addWidget(semitoneUpButton, 3, 3);
    layout->addWidget(playButton, 4, 0, 1, 2);
    layout->addWidget(okButton, 4, 2, 1, 2);
    layout->setColumnStretch(1, 1);

    connect(playButton, &QPushButton::clicked, this, &WavePlayerWindow::PlayClick);
    connect(okButton, &QPushButton::clicked, this, &WavePlayerWindow::OkClick);
    connect(panSlider, &QSlider::valueChanged, this, &WavePlayerWindow::PanSliderMoved);
    connect(volumeSlider, &QSlider::valueChanged, this, &WavePlayerWindow::VolumeSliderMoved);
    connect(pitchSlider, &QSlider::valueChanged, this, &WavePlayerWindow::PitchSliderMoved);
    connect(semitoneDownButton, &QToolButton::clicked, this, &WavePlayerWindow::SemitoneDownClick);
    connect(semitoneUpButton, &QToolButton::clicked, this, &WavePlayerWindow::SemitoneUpClick);
    resize(300, 190);
}

void WavePlayerWindow::CreateMenu() {
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&Open", this, &WavePlayerWindow::FileOpenClick);
    file->addAction("&Close", this, &WavePlayerWindow::FileCloseClick);
    file->addSeparator();
    file->addAction("E&xit", this, &QWidget::hide);
    QMenu* option = menuBar()->addMenu("&Option");
    globalFocusAction = option->addAction("&GlobalFocus", this, &WavePlayerWindow::GlobalFocusClick);
    globalFocusAction->setCheckable(true);
    globalFocusAction->setChecked(true);
}

bool WavePlayerWindow::Attempt(const std::function<void()>& work) { return RunShowingErrors(prompt_, work); }

void WavePlayerWindow::SelectSample(int sample) {
    current_ = sample;
    setWindowTitle(FileNameOnly(samples_.Stream(sample).FileName()) + " : " + QString("Sample %1").arg(sample));
    FillSliders(sample);
    if (!isVisible()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            move(screen->availableGeometry().center() - rect().center());
        }
    }
    show();
    raise();
}

void WavePlayerWindow::FillSliders(int sample) {
    const AudioFileStream& stream = samples_.Stream(sample);
    updating_ = true;
    panSlider->setValue(static_cast<int>(std::lround(stream.Pan() / static_cast<double>(kSliderUnit))));
    volumeSlider->setValue(static_cast<int>(std::lround(stream.Volume() / static_cast<double>(kSliderUnit))));
    pitchSlider->setValue(static_cast<int>(stream.Frequency()));
    updating_ = false;
}

void WavePlayerWindow::EnableControls(bool enabled) {
    for (QWidget* control : {static_cast<QWidget*>(playButton), static_cast<QWidget*>(panSlider),
                             static_cast<QWidget*>(volumeSlider), static_cast<QWidget*>(pitchSlider)}) {
        control->setEnabled(enabled);
    }
}

void WavePlayerWindow::FileOpenClick() {
    const std::string path =
        prompt_.ChooseFileToOpen({"Open", "Wave (*.wav);;All files (*)", startDirectory_, "", "wav"});
    if (!path.empty()) {
        OpenFile(path);
    }
}

// The file is opened in the current sample's stream and copied to
// "temp/Sample1.wav"; the sliders take the stream's settings without changing
// them. A file that cannot be opened leaves the sample, its button and the
// window's caption as they were, and the controls closed.
void WavePlayerWindow::OpenFile(const std::string& path) {
    FileCloseClick();
    const bool opened = Attempt([&] {
        samples_.OpenFile(current_, path);
        setWindowTitle(FileNameOnly(path) + " - " + kApplicationTitle);
        if (OnSampleOpened) {
            OnSampleOpened(current_, path);
        }
        EnableControls(true);
        FillSliders(current_);
    });
    if (!opened) {
        FileCloseClick();
    }
}

void WavePlayerWindow::FileCloseClick() {
    endOfPlayTimer.stop();
    EnableControls(false);
}

void WavePlayerWindow::PlayClick() {
    if (Attempt([this] { samples_.Restart(current_); })) {
        playButton->setEnabled(false);
        endOfPlayTimer.start();
    }
}

// A sample that has played to its end rewinds and can be played again.
void WavePlayerWindow::CheckPlayEnded() {
    if (samples_.Playing(current_)) {
        return;
    }
    samples_.Stop(current_);
    playButton->setEnabled(true);
    endOfPlayTimer.stop();
}

void WavePlayerWindow::OkClick() {
    samples_.Stop(current_);
    hide();
}

void WavePlayerWindow::PanSliderMoved(int value) {
    if (!updating_) {
        samples_.SetPan(current_, value * kSliderUnit);
    }
}

void WavePlayerWindow::VolumeSliderMoved(int value) {
    if (!updating_) {
        samples_.SetVolume(current_, value * kSliderUnit);
    }
}

void WavePlayerWindow::PitchSliderMoved(int value) {
    if (!updating_) {
        samples_.SetFrequency(current_, value);
    }
}

void WavePlayerWindow::SemitoneDownClick() { StepSemitone(false); }

void WavePlayerWindow::SemitoneUpClick() { StepSemitone(true); }

// A semitone up or down from the file's own rate, heard at once from the
// beginning. With the blank sample loaded the arrows do nothing.
void WavePlayerWindow::StepSemitone(bool up) {
    Attempt([&] {
        const bool stepped = up ? samples_.SemitoneUp(current_) : samples_.SemitoneDown(current_);
        if (stepped) {
            FillSliders(current_);
            playButton->setEnabled(false);
            endOfPlayTimer.start();
        }
    });
}

// The item the wave player has always had: the current stream's ring is made
// again, keeping its place, pitch, pan, volume and whether it plays. Our
// output sounds whichever window has the focus, so the check mark changes
// nothing else.
void WavePlayerWindow::GlobalFocusClick() {
    Attempt([this] { samples_.Stream(current_).RecreateRing(); });
}

void WavePlayerWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls() && !data->urls().isEmpty() && data->urls().front().isLocalFile() &&
        data->urls().front().toLocalFile().endsWith(".wav", Qt::CaseInsensitive)) {
        event->acceptProposedAction();
    }
}

void WavePlayerWindow::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    OpenFile(event->mimeData()->urls().front().toLocalFile().toStdString());
}

}  // namespace stepweave
