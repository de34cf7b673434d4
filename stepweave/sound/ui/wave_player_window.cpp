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
#include "stepweave/sound/device/audio_file_stream.h"
#include "stepweave/sound/device/dx_sound.h"
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

WavePlayerWindow::WavePlayerWindow(UserSamples& samples, TCustomDXSound& sound, ToolPrompt& prompt, std::string startDirectory,
                     QWidget* parent)
    : QMainWindow(parent, Qt::Tool),
      samples_(samples),
      sound_(sound),
      prompt_(prompt),
      startDirectory_(std::move(startDirectory)) {
    setWindowTitle("Sample1");
    setAcceptDrops(true);
    CreateControls();
    CreateMenu();
    Timer.setInterval(kPollMilliseconds);
    connect(&Timer, &QTimer::timeout, this, &WavePlayerWindow::TimerTimer);
}

void WavePlayerWindow::CreateControls() {
    auto* panel = new QWidget(this);
    setCentralWidget(panel);
    PlayButton = new QPushButton("&Play", panel);
    PlayButton->setEnabled(false);
    Button1 = new QPushButton("OK", panel);
    PanTrackBar = Slider(-40, 40, panel);
    VolumeTrackBar = Slider(-40, 0, panel);
    FrequencyTrackBar = Slider(kLowestFrequency, kHighestFrequency, panel);
    FrequencyTrackBar->setPageStep(kFrequencyPage);
    FrequencyTrackBar->setValue(kLowestFrequency);
    PanLabel = new QLabel("Pan", panel);
    VolumeLabel = new QLabel("Volume", panel);
    FrequencyLabel = new QLabel("Pitch", panel);
    Image1 = new QToolButton(panel);
    Image1->setArrowType(Qt::DownArrow);
    Image1->setToolTip("A semitone down");
    Image2 = new QToolButton(panel);
    Image2->setArrowType(Qt::UpArrow);
    Image2->setToolTip("A semitone up");
    for (QToolButton* arrow : {Image1, Image2}) {
        arrow->setCursor(Qt::PointingHandCursor);
        arrow->setFixedSize(26, 22);
    }
    Label1 = new QLabel("Pitch by semitone", panel);

    auto* layout = new QGridLayout(panel);
    layout->addWidget(PanLabel, 0, 0);
    layout->addWidget(PanTrackBar, 0, 1, 1, 3);
    layout->addWidget(VolumeLabel, 1, 0);
    layout->addWidget(VolumeTrackBar, 1, 1, 1, 3);
    layout->addWidget(FrequencyLabel, 2, 0);
    layout->addWidget(FrequencyTrackBar, 2, 1, 1, 3);
    layout->addWidget(Label1, 3, 0, 1, 2);
    layout->addWidget(Image1, 3, 2);
    layout->addWidget(Image2, 3, 3);
    layout->addWidget(PlayButton, 4, 0, 1, 2);
    layout->addWidget(Button1, 4, 2, 1, 2);
    layout->setColumnStretch(1, 1);

    connect(PlayButton, &QPushButton::clicked, this, &WavePlayerWindow::PlayButtonClick);
    connect(Button1, &QPushButton::clicked, this, &WavePlayerWindow::Button1Click);
    connect(PanTrackBar, &QSlider::valueChanged, this, &WavePlayerWindow::PanTrackBarChange);
    connect(VolumeTrackBar, &QSlider::valueChanged, this, &WavePlayerWindow::VolumeTrackBarChange);
    connect(FrequencyTrackBar, &QSlider::valueChanged, this, &WavePlayerWindow::FrequencyTrackBarChange);
    connect(Image1, &QToolButton::clicked, this, &WavePlayerWindow::Image1Click);
    connect(Image2, &QToolButton::clicked, this, &WavePlayerWindow::Image2Click);
    resize(300, 190);
}

void WavePlayerWindow::CreateMenu() {
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&Open", this, &WavePlayerWindow::FileOpenClick);
    file->addAction("&Close", this, &WavePlayerWindow::FileCloseClick);
    file->addSeparator();
    file->addAction("E&xit", this, &QWidget::hide);
    QMenu* option = menuBar()->addMenu("&Option");
    GlobalFocusItem = option->addAction("&GlobalFocus", this, &WavePlayerWindow::GlobalFocusItemClick);
    GlobalFocusItem->setCheckable(true);
    GlobalFocusItem->setChecked(true);
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
    const TAudioFileStream& stream = samples_.Stream(sample);
    updating_ = true;
    PanTrackBar->setValue(static_cast<int>(std::lround(stream.Pan() / static_cast<double>(kSliderUnit))));
    VolumeTrackBar->setValue(static_cast<int>(std::lround(stream.Volume() / static_cast<double>(kSliderUnit))));
    FrequencyTrackBar->setValue(static_cast<int>(stream.Frequency()));
    updating_ = false;
}

void WavePlayerWindow::EnableControls(bool enabled) {
    for (QWidget* control : {static_cast<QWidget*>(PlayButton), static_cast<QWidget*>(PanTrackBar),
                             static_cast<QWidget*>(VolumeTrackBar), static_cast<QWidget*>(FrequencyTrackBar)}) {
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

// The file is copied to "temp/Sample1.wav" and opened in the current
// sample's stream; the sliders take the stream's settings without changing
// them. A file that cannot be opened leaves the controls closed.
void WavePlayerWindow::OpenFile(const std::string& path) {
    FileCloseClick();
    const bool opened = Attempt([&] {
        setWindowTitle(FileNameOnly(path) + " - " + kApplicationTitle);
        if (OnSampleOpened) {
            OnSampleOpened(current_, path);
        }
        samples_.OpenFile(current_, path);
        EnableControls(true);
        FillSliders(current_);
    });
    if (!opened) {
        FileCloseClick();
    }
}

void WavePlayerWindow::FileCloseClick() {
    Timer.stop();
    EnableControls(false);
}

void WavePlayerWindow::PlayButtonClick() {
    if (Attempt([this] { samples_.Restart(current_); })) {
        PlayButton->setEnabled(false);
        Timer.start();
    }
}

// A sample that has played to its end rewinds and can be played again.
void WavePlayerWindow::TimerTimer() {
    if (samples_.Playing(current_)) {
        return;
    }
    samples_.Stop(current_);
    PlayButton->setEnabled(true);
    Timer.stop();
}

void WavePlayerWindow::Button1Click() {
    samples_.Stop(current_);
    hide();
}

void WavePlayerWindow::PanTrackBarChange(int value) {
    if (!updating_) {
        samples_.SetPan(current_, value * kSliderUnit);
    }
}

void WavePlayerWindow::VolumeTrackBarChange(int value) {
    if (!updating_) {
        samples_.SetVolume(current_, value * kSliderUnit);
    }
}

void WavePlayerWindow::FrequencyTrackBarChange(int value) {
    if (!updating_) {
        samples_.SetFrequency(current_, value);
    }
}

void WavePlayerWindow::Image1Click() { StepSemitone(false); }

void WavePlayerWindow::Image2Click() { StepSemitone(true); }

// A semitone up or down from the file's own rate, heard at once from the
// beginning. With the blank sample loaded the arrows do nothing.
void WavePlayerWindow::StepSemitone(bool up) {
    Attempt([&] {
        const bool stepped = up ? samples_.SemitoneUp(current_) : samples_.SemitoneDown(current_);
        if (stepped) {
            FillSliders(current_);
            PlayButton->setEnabled(false);
            Timer.start();
        }
    });
}

// The device plays on while another program has the focus, or only while
// this one has it; the current stream's buffer is made again for the change.
void WavePlayerWindow::GlobalFocusItemClick() {
    TDXSoundOptions options = sound_.Options();
    if (GlobalFocusItem->isChecked()) {
        options.Include(TDXSoundOption::soGlobalFocus);
    } else {
        options.Exclude(TDXSoundOption::soGlobalFocus);
    }
    sound_.SetOptions(options);
    Attempt([this] { samples_.Stream(current_).RecreateBuffer(); });
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
