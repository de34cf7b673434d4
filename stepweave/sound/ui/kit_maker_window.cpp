#include "stepweave/sound/ui/kit_maker_window.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <filesystem>

#include "stepweave/sound/voices/audio_file_stream.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/data/start_folder_files.h"
#include "stepweave/sound/kit/blank_wave_file.h"
#include "stepweave/sound/kit/kit_maker.h"
#include "stepweave/sound/kit/wave_collection.h"
#include "stepweave/sound/ui/tool_prompt.h"
#include "stepweave/sound/wav/playable_format.h"
#include "stepweave/sound/wav/wave_data.h"

namespace stepweave {

namespace {

constexpr std::array<const char*, KitMakerWindow::kSlots> kSlotCaptions = {
    "Kick", "ShortKick", "Snare",   "Cls Hi-Hat", "Op Hi-Hat", "Tom1",  "Tom2",  "Cymbol1",
    "Cymbol2", "Rimshot", "Shaker", "Block",      "Congo",     "Cowbell", "Crack", "Tamb"};
constexpr uint32_t kOutputRate = 44100;
constexpr uint16_t kOutputChannels = 2;

}  // namespace

KitMakerWindow::KitMakerWindow(std::string startDirectory, std::function<std::shared_ptr<AudioOutput>()> output,
                               ToolPrompt& prompt, QWidget* parent)
    : QDialog(parent), startDirectory_(std::move(startDirectory)), prompt_(prompt), output_(std::move(output)) {
    setWindowTitle("Maykit");
    device_.OnClosing = [this](SoundDevice&) { DeviceClosing(); };
    auto* slotGrid = new QGridLayout;
    for (int slot = 1; slot <= kSlots; ++slot) {
        auto* button = new QRadioButton(kSlotCaptions[static_cast<size_t>(slot - 1)], this);
        button->setObjectName(QString("RadioButton%1").arg(slot));
        button->setProperty("tag", slot);
        slotGrid->addWidget(button, (slot - 1) % 8, (slot - 1) / 8);
        slotButtons[static_cast<size_t>(slot - 1)] = button;
    }
    slotButtons[0]->setChecked(true);
    loadSampleButton = new QPushButton("Load Sample", this);
    loadSampleButton->setObjectName("Load_sample");
    playButton = new QPushButton("Play", this);
    playButton->setObjectName("Play");
    saveLibraryButton = new QPushButton("Save Library", this);
    saveLibraryButton->setObjectName("Save_library");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(loadSampleButton);
    buttons->addWidget(playButton);
    buttons->addStretch();
    buttons->addWidget(saveLibraryButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(slotGrid);
    layout->addLayout(buttons);
    connect(loadSampleButton, &QPushButton::clicked, this, &KitMakerWindow::LoadSampleClick);
    connect(playButton, &QPushButton::clicked, this, &KitMakerWindow::PlayClick);
    connect(saveLibraryButton, &QPushButton::clicked, this, &KitMakerWindow::SaveLibraryClick);
}

KitMakerWindow::~KitMakerWindow() { preview_.reset(); }

bool KitMakerWindow::Attempt(const std::function<void()>& work) { return RunShowingErrors(prompt_, work); }

void KitMakerWindow::Prepare(bool useTemplate, const WaveCollection& sequencerKit) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    Attempt([&] {
        // Without a sound output the kit is still made; only the preview stays silent.
        if (std::shared_ptr<AudioOutput> output = output_ ? output_() : nullptr) {
            device_.Open(std::move(output));
        } else {
            device_.Close();
        }
        sources_[0] = BlankWavePath(startDirectory_);
        preview_ = std::make_unique<AudioFileStream>(device_);
        preview_->SetFileName(sources_[0]);
        slot_ = 1;
        slotButtons[0]->setChecked(true);
        for (int slot = 1; slot <= kSlots; ++slot) {
            sources_[static_cast<size_t>(slot)] = kBlankWaveFileName;
        }
        WaveData blank;
        blank.LoadFromFile(BlankWavePath(startDirectory_));
        PrepareKit(kit_, blank, useTemplate ? &sequencerKit : nullptr);
        if (useTemplate) {
            // Each slot's sound was written out to "temp/<n>.wav" for the template.
            for (int slot = 1; slot <= kSlots; ++slot) {
                sources_[static_cast<size_t>(slot)] =
                    (std::filesystem::path(startDirectory_) / kTempFolderName / (std::to_string(slot) + ".wav")).string();
                sequencerKit.Items(slot).Wave().SaveToFile(sources_[static_cast<size_t>(slot)]);
            }
        }
    });
}

void KitMakerWindow::ReadSelectedSlot() {
    for (QRadioButton* button : slotButtons) {
        if (button->isChecked()) {
            slot_ = button->property("tag").toInt();
        }
    }
}

// The chosen file fills the checked slot only. A file the sound output could
// not play is refused before it reaches the kit.
void KitMakerWindow::LoadSampleClick() {
    const std::string path = prompt_.ChooseFileToOpen({"Load Sample", "wav (*.wav)", startDirectory_, "", "wav"});
    if (path.empty()) {
        return;
    }
    ReadSelectedSlot();
    Attempt([&] {
        WaveData wave;
        wave.LoadFromFile(path);
        CheckPlayableWave(wave, std::filesystem::path(path).filename().string());
        sources_[0] = path;
        sources_[static_cast<size_t>(slot_)] = path;
        kit_.Items(slot_).SetWave(wave);
    });
}

void KitMakerWindow::PlayClick() {
    ReadSelectedSlot();
    Attempt([&] {
        std::filesystem::path source = sources_[static_cast<size_t>(slot_)];
        if (source.is_relative()) {
            source = std::filesystem::path(startDirectory_) / source;
        }
        preview_->SetFileName(source.string());
        if (device_.IsOpen()) {
            device_.SetOutputFormat(PcmFormat(kOutputRate, preview_->Format().bitsPerSample, kOutputChannels));
        }
        preview_->SetPosition(0);
        preview_->Play();
    });
}

void KitMakerWindow::SaveLibraryClick() {
    const std::string path = prompt_.ChooseFileToSave({"Save Library", "*.dxg (*.dxg)", startDirectory_, "", "dxg"});
    if (path.empty()) {
        return;
    }
    if (!Attempt([&] {
            CheckKitLayout(kit_);
            kit_.SaveToFile(path);
        })) {
        return;
    }
    if (prompt_.AskYesNo(kUseNewKitQuestion, kQuestionCaption) && OnUseNewKit) {
        OnUseNewKit(path);
    }
    hide();
}

void KitMakerWindow::DeviceClosing() { preview_.reset(); }

}  // namespace stepweave
