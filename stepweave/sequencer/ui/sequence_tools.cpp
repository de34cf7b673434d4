// SequenceWindow: the tool windows (wave player, kit list, render window, kit
// maker, intro, options, sample panel), the kit import and the help page.
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QSlider>
#include <QUrl>

#include "stepweave/sequencer/playback/user_samples.h"
#include "stepweave/sequencer/session/program_location.h"
#include "stepweave/sequencer/session/sequencer_session.h"
#include "stepweave/sequencer/ui/intro_screen.h"
#include "stepweave/sequencer/ui/options_window.h"
#include "stepweave/sequencer/ui/render_progress_window.h"
#include "stepweave/sequencer/ui/sequence_window.h"
#include "stepweave/sequencer/ui/window_prompt.h"
#include "stepweave/sound/kit/wave_collection.h"
#include "stepweave/sound/ui/kit_list_window.h"
#include "stepweave/sound/ui/kit_maker_window.h"
#include "stepweave/sound/ui/samples_window.h"
#include "stepweave/sound/ui/wave_player_window.h"

namespace stepweave {

namespace {

constexpr const char* kHelpFileName = "stepweave.html";
constexpr const char* kKitFilter = "dxg (*.dxg)";

}  // namespace

// In the order the program has always made them. The kit list and the
// sample panel are shown from the start and stay above the main window.
void SequenceWindow::CreateToolWindows() {
    wavePlayer_ = new WavePlayerWindow(session_.Samples(), prompt_, session_.StartDirectory(), this);
    kitList_ = new KitListWindow(session_.DrumKit(), *this, prompt_, this);
    renderWindow_ = new RenderProgressWindow(this);
    kitMaker_ = new KitMakerWindow(
        session_.StartDirectory(), [this] { return session_.SoundOutput(); }, prompt_, this);
    intro_ = new IntroScreen(session_.StartDirectory(), this);
    optionsWindow_ = new OptionsWindow(this);
    samplePanel_ = new SamplesWindow(this);

    wavePlayer_->OnSampleOpened = [this](int sample, const std::string& fileName) {
        samplePanel_->SetButtonCaption(sample, SampleButtonCaption(fileName));
    };
    samplePanel_->OnSelectSample = [this](int sample) { SelectSample(sample); };
    samplePanel_->OnFileDropped = [this](int sample, const std::string& path) {
        SelectSample(sample);
        wavePlayer_->OpenFile(path);
    };
    kitMaker_->OnUseNewKit = [this](const std::string& kitFile) {
        Attempt([&] { session_.DrumKit().Items().LoadFromFile(kitFile); });
    };
    const QRect frame = geometry();
    kitList_->move(frame.right() + 12, frame.top());
    kitList_->show();
    samplePanel_->move(frame.right() + 12 + kitList_->width() + 8, frame.top());
    samplePanel_->show();
}

void SequenceWindow::ChooseInstrument(const std::string& chooserText) {
    instrumentChooser->setCurrentText(QString::fromStdString(chooserText));
}

void SequenceWindow::ShowPan(int pan) {
    const bool wasShowing = showing_;
    showing_ = true;
    panSlider->setValue(pan);
    showing_ = wasShowing;
}

// A sample button: the editor places that sample next, and the wave player opens on it.
void SequenceWindow::SelectSample(int sample) {
    ChooseInstrument("Sample" + std::to_string(sample));
    wavePlayer_->SelectSample(sample);
}

// The sample buttons name the files the samples hold, and the wave player
// is ready to play them once a song or pattern brought one in.
void SequenceWindow::ShowSamples() {
    if (samplePanel_ == nullptr) {
        return;
    }
    UserSamples& samples = session_.Samples();
    bool holdsAny = false;
    for (int sample = 1; sample <= SamplesWindow::kSamples; ++sample) {
        if (!samples.HoldsSample(sample)) {
            continue;
        }
        holdsAny = true;
        const QString caption = SampleButtonCaption(samples.FileName(sample));
        if (caption != "Blank") {
            samplePanel_->SetButtonCaption(sample, caption);
        }
    }
    if (holdsAny) {
        wavePlayer_->EnableControls(true);
    }
}

void SequenceWindow::KitListClick() {
    kitList_->show();
    kitList_->raise();
}

// The kit maker opens afresh each time, from blank sounds or from this kit.
void SequenceWindow::KitMakerClick() {
    kitMaker_->show();
    const bool useTemplate = prompt_.AskYesNo(kTemplateQuestion, kQuestionCaption);
    kitMaker_->Prepare(useTemplate, session_.DrumKit().Items());
}

void SequenceWindow::ImportKitClick() {
    const std::string path = prompt_.ChooseFileToOpen({"Drum Kit Library", kKitFilter, session_.StartDirectory(), "", "dxg"});
    if (path.empty() || QFileInfo(QString::fromStdString(path)).fileName() == ".dxg") {
        return;
    }
    Attempt([&] { session_.ImportKit(path); });
    ShowChooserPan();
}

// The help page lies beside the program in the build, in the installed data
// folder otherwise; the desktop's browser shows it.
void SequenceWindow::HelpClick() {
    QString page = QDir(QCoreApplication::applicationDirPath()).filePath(kHelpFileName);
    if (const std::optional<std::filesystem::path> data = InstalledDataFolder(); data && !QFileInfo::exists(page)) {
        page = QString::fromStdString((*data / kHelpFileName).string());
    }
    if (!QFileInfo::exists(page) || !QDesktopServices::openUrl(QUrl::fromLocalFile(page))) {
        prompt_.ShowError("Cannot open file " + page.toStdString());
    }
}

}  // namespace stepweave
