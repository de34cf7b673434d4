#include "voxnote/app/ui/wav_info_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeView>

#include <algorithm>
#include <span>

#include "voxnote/app/settings/string_table.h"
#include "voxnote/app/mididevices/system_midi_devices.h"

namespace voxnote {

namespace {

constexpr int kProgramCount = 128;
constexpr int kAudioTimerMs = 50;
constexpr int kFirstWidth = 760;
// The "Detector" list's entry of a choice.
int DetectorEntry(DetectorChoice detector) {
    const std::span<const DetectorChoice> choices = DetectorChoices();
    return static_cast<int>(std::find(choices.begin(), choices.end(), detector) - choices.begin());
}

QString Caption(int id) {
    return QString::fromStdString(Text(id));
}

std::filesystem::path PathOf(const QString& text) {
    return std::filesystem::path(text.toStdString());
}

// The size, type and date columns of a file dialog's list take the width of
// what they show, the name column the rest; the dialog opens wide enough for all.
void FitFileListColumns(QFileDialog& dialog) {
    auto* files = dialog.findChild<QTreeView*>("treeView");
    if (files == nullptr) {
        return;
    }
    QHeaderView* header = files->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column) {
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    dialog.resize(std::max(dialog.width(), kFirstWidth), dialog.height());
}

// The save-file dialog for the notes, in the same style as the open dialog.
std::optional<std::filesystem::path> AskForMidiFile(QWidget* parent, const std::filesystem::path& suggested) {
    QFileDialog dialog(parent, Caption(strings::kSaveMidiFileCaption));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(Caption(strings::kMidiFileFilter));
    dialog.setDefaultSuffix("mid");
    FitFileListColumns(dialog);
    dialog.selectFile(QString::fromStdString(suggested.string()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return PathOf(dialog.selectedFiles().first());
}

QLabel* ValueLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance("00 mins 00.000 secs "));
    return label;
}

}  // namespace

int RunWavInfoDialog(QWidget* parent, WavDialogContext& context) {
    WavInfoDialog dialog(context, parent);
    return dialog.exec();
}

WavInfoDialog::WavInfoDialog(WavDialogContext& context, QWidget* parent)
    : QFileDialog(parent, Caption(strings::kWavDialogTitle),
                  context.startFolder.isEmpty() ? QDir::currentPath() : context.startFolder),
      context_(context) {
    setOption(QFileDialog::DontUseNativeDialog, true);
    setOption(QFileDialog::ReadOnly, true);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setNameFilter(Caption(strings::kWaveFileFilter));

    MidiDeviceCatalog* devices = context.midiDevices;
    if (devices == nullptr) {
        ownDevices_ = std::make_unique<SystemMidiDevices>();
        devices = ownDevices_.get();
    }
    DetectorState* detector = context.detector;
    if (detector == nullptr) {
        ownDetector_ = std::make_unique<DetectorState>();
        detector = ownDetector_.get();
    }
    PlaybackClock& clock = context.playbackClock ? *context.playbackClock : SystemPlaybackClock();
    stream_ = std::make_unique<SequencerStream>(*devices, clock);
    WavDialogSettings settings;
    settings.analysis = context.analysisSettings;
    settings.midiDeviceIndex = context.midiDeviceIndex;
    settings.voice = std::clamp(context.midiVoice, 0, kProgramCount - 1);
    settings.detector = context.detectorChoice;
    session_ = std::make_unique<WavDialogSession>(
        static_cast<WavDialogHost&>(*this), *context.messages, *stream_,
        context.createAudioOutput ? context.createAudioOutput() : CreateAudioOutput(), *detector, settings);

    CreatePanel();
    FitFileListColumns(*this);
    AudioTimer.setInterval(kAudioTimerMs);
    connect(&AudioTimer, &QTimer::timeout, this, &WavInfoDialog::AudioTimerTick);
    connect(this, &QFileDialog::currentChanged, this, &WavInfoDialog::FollowFileToOpen);
    // Typing a name selects the file in the list (the dialog's own slot runs
    // first) but does not make it the current one.
    if (auto* fileName = findChild<QLineEdit*>("fileNameEdit")) {
        connect(fileName, &QLineEdit::textChanged, this, &WavInfoDialog::FollowFileToOpen);
    }
    PanelChanged();
}

WavInfoDialog::~WavInfoDialog() {
    // Playback stops (and the MIDI player's thread ends) before the stream goes.
    session_.reset();
}

void WavInfoDialog::CreatePanel() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(CreateInformationGroup(), 1);
    row->addWidget(CreatePlayGroup(), 1);
    // The open dialog lays its parts out in a grid: the panel goes below them.
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        grid->addWidget(panel, grid->rowCount(), 0, 1, grid->columnCount());
    } else if (layout() != nullptr) {
        layout()->addWidget(panel);
    }
}

QGroupBox* WavInfoDialog::CreateInformationGroup() {
    InformationGroup = new QGroupBox(Caption(strings::kInformationGroup), this);
    auto* grid = new QGridLayout(InformationGroup);
    const std::pair<QLabel**, QLabel**> rows[] = {{&SampleRateLabel, &SampleRateValue},
                                                  {&BitsPerSampleLabel, &BitsPerSampleValue},
                                                  {&ChannelsLabel, &ChannelsValue},
                                                  {&DurationLabel, &DurationValue}};
    const int captions[] = {strings::kSampleRateLabel, strings::kBitsPerSampleLabel, strings::kChannelsLabel,
                            strings::kDurationLabel};
    for (int i = 0; i < 4; ++i) {
        *rows[i].first = new QLabel(Caption(captions[i]), InformationGroup);
        *rows[i].second = ValueLabel(InformationGroup);
        grid->addWidget(*rows[i].first, i, 0);
        grid->addWidget(*rows[i].second, i, 1);
    }
    grid->setColumnStretch(1, 1);
    return InformationGroup;
}

QGroupBox* WavInfoDialog::CreatePlayGroup() {
    PlayGroup = new QGroupBox(Caption(strings::kPlayGroup), this);
    auto* grid = new QGridLayout(PlayGroup);
    AudioButton = new QPushButton(Caption(strings::kAudioCaption), PlayGroup);
    MidiButton = new QPushButton(Caption(strings::kMidiCaption), PlayGroup);
    SaveMidiButton = new QPushButton(Caption(strings::kSaveMidiFileCaption), PlayGroup);
    for (QPushButton* button : {AudioButton, MidiButton, SaveMidiButton}) {
        button->setAutoDefault(false);  // Return still opens the selected file
    }
    StatusText = new QLabel(PlayGroup);
    StatusText->setMinimumWidth(StatusText->fontMetrics().horizontalAdvance(Caption(strings::kProcessing)));
    VoiceLabel = new QLabel(Caption(strings::kVoiceLabel), PlayGroup);
    VoiceList = new QComboBox(PlayGroup);
    for (int program = 0; program < kProgramCount; ++program) {
        VoiceList->addItem(QString::fromStdString(ProgramName(program)));
    }
    VoiceList->setCurrentIndex(session_->Voice());
    VoiceLabel->setBuddy(VoiceList);
    DetectorLabel = new QLabel(Caption(strings::kDetectorLabel), PlayGroup);
    DetectorList = new QComboBox(PlayGroup);
    for (DetectorChoice detector : DetectorChoices()) {
        DetectorList->addItem(QString::fromStdString(DetectorCaption(detector)));
    }
    DetectorList->setCurrentIndex(DetectorEntry(session_->Detector()));
    DetectorLabel->setBuddy(DetectorList);

    grid->addWidget(AudioButton, 0, 0);
    grid->addWidget(MidiButton, 0, 1);
    grid->addWidget(StatusText, 0, 2);
    grid->addWidget(VoiceLabel, 1, 0);
    grid->addWidget(VoiceList, 1, 1, 1, 2);
    grid->addWidget(DetectorLabel, 2, 0);
    grid->addWidget(DetectorList, 2, 1);
    grid->addWidget(SaveMidiButton, 3, 0, 1, 2);
    grid->setColumnStretch(2, 1);

    connect(AudioButton, &QPushButton::clicked, this, &WavInfoDialog::AudioButtonClick);
    connect(MidiButton, &QPushButton::clicked, this, &WavInfoDialog::MidiButtonClick);
    connect(SaveMidiButton, &QPushButton::clicked, this, &WavInfoDialog::SaveMidiButtonClick);
    connect(VoiceList, &QComboBox::currentIndexChanged, this, &WavInfoDialog::VoiceListChange);
    connect(DetectorList, &QComboBox::currentIndexChanged, this, &WavInfoDialog::DetectorListChange);
    return PlayGroup;
}

void WavInfoDialog::done(int result) {
    session_->Close();
    context_.midiVoice = session_->Voice();
    context_.detectorChoice = session_->Detector();
    context_.startFolder = directory().absolutePath();
    AudioTimer.stop();
    QFileDialog::done(result);
}

// The panel, Audio, MIDI and "Save as MIDI file" work on the file that Open
// would open: the one selected in the list, else the name typed in "File name".
void WavInfoDialog::FollowFileToOpen() {
    const QStringList files = selectedFiles();
    const std::filesystem::path file = files.isEmpty() ? std::filesystem::path() : PathOf(files.first());
    if (file != session_->SelectedFile()) {
        session_->SelectFile(file);
    }
}

void WavInfoDialog::AudioButtonClick() {
    session_->PressAudio();
}

void WavInfoDialog::MidiButtonClick() {
    session_->PressMidi();
}

void WavInfoDialog::SaveMidiButtonClick() {
    std::filesystem::path suggested = session_->SelectedFile();
    suggested.replace_extension(".mid");
    std::optional<std::filesystem::path> target =
        context_.chooseMidiFile ? context_.chooseMidiFile(this, suggested) : AskForMidiFile(this, suggested);
    if (target) {
        session_->SaveMidiFile(*target);
    }
}

void WavInfoDialog::VoiceListChange(int voice) {
    if (voice >= 0) {
        session_->ChangeVoice(voice);
    }
}

void WavInfoDialog::DetectorListChange(int index) {
    const std::span<const DetectorChoice> choices = DetectorChoices();
    if (index >= 0 && index < static_cast<int>(choices.size())) {
        session_->ChangeDetector(choices[index]);
    }
}

void WavInfoDialog::AudioTimerTick() {
    session_->PumpAudio();
}

void WavInfoDialog::PanelChanged() {
    const WavDialogPanel panel = session_->Panel();
    SampleRateValue->setText(QString::fromStdString(panel.sampleRate));
    BitsPerSampleValue->setText(QString::fromStdString(panel.bitsPerSample));
    ChannelsValue->setText(QString::fromStdString(panel.channels));
    DurationValue->setText(QString::fromStdString(panel.duration));
    AudioButton->setText(QString::fromStdString(panel.audioCaption));
    AudioButton->setEnabled(panel.audioEnabled);
    MidiButton->setText(QString::fromStdString(panel.midiCaption));
    MidiButton->setEnabled(panel.midiEnabled);
    SaveMidiButton->setEnabled(panel.saveEnabled);
    StatusText->setText(QString::fromStdString(panel.status));
    if (session_->IsAudioPlaying() && !AudioTimer.isActive()) {
        AudioTimer.start();
    } else if (!session_->IsAudioPlaying()) {
        AudioTimer.stop();
    }
}

void WavInfoDialog::ProcessPendingEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WavInfoDialog::PostToWindow(std::function<void()> task) {
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

}  // namespace voxnote
