#include "voxnote/app/ui/converter_app.h"

#include <memory>

#include "voxnote/app/shell/help_locations.h"
#include "voxnote/app/ui/dialog_colours.h"
#include "voxnote/app/ui/splash_window.h"
#include "voxnote/app/ui/wav_info_dialog.h"

namespace voxnote {

namespace {

// "WAVE_": the WAV dialog over the session's settings, MIDI devices and
// analysis record. It hands back the voice to keep as MIDI Voice and the
// detector chosen, and keeps the folder to show at the next opening.
MainDialog::WavDialogOpener WavDialogOpener() {
    auto lastFolder = std::make_shared<QString>();
    return [lastFolder](MainDialog& window) {
        ConverterSession& session = window.Session();
        const WavDialogChoices start = session.WavChoices();
        WavDialogContext context;
        context.analysisSettings = session.Settings().Detector().Header();
        context.midiDeviceIndex = session.Settings().MidiDeviceIndex();
        context.midiVoice = start.midiVoice;
        context.detectorChoice = start.detector;
        context.messages = &session.Prompt();
        context.midiDevices = &session.MidiDevices();
        context.detector = &session.Detector();
        context.startFolder = *lastFolder;
        RunWavInfoDialog(&window, context);
        *lastFolder = context.startFolder;
        return WavDialogChoices{context.midiVoice, context.detectorChoice};
    };
}

}  // namespace

ConverterApp::ConverterApp(int& argc, char** argv) : application_(argc, argv) {
    QApplication::setApplicationName("voxnote");
    application_.setPalette(DialogPalette(application_.palette()));
}

ConverterApp::~ConverterApp() = default;

QString ConverterApp::DefaultHelpFilePath() {
    return QString::fromStdString(
        HelpFilePath(QCoreApplication::applicationDirPath().toStdString()).string());
}

int ConverterApp::Run() {
    const QString helpFile = DefaultHelpFilePath();
    {
        const SkinArtwork splashArtwork;
        ShowSplash(splashArtwork, 2000);
    }
    mainDialog_ = std::make_unique<MainDialog>();
    mainDialog_->SetHelpFilePath(helpFile);
    mainDialog_->SetWavDialogOpener(WavDialogOpener());
    mainDialog_->show();
    return QApplication::exec();
}

int RunConverterApp(int& argc, char** argv) {
    ConverterApp app(argc, argv);
    return app.Run();
}

}  // namespace voxnote
