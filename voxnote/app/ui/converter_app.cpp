#include "voxnote/app/ui/converter_app.h"

#include <QPalette>

#include "voxnote/app/help_locations.h"
#include "voxnote/app/ui/splash_window.h"

namespace voxnote {

namespace {

// Dialogs are light grey with black text.
void ApplyDialogColours(QApplication& application) {
    QPalette palette = application.palette();
    const QColor grey(192, 192, 192);
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Button}) {
        palette.setColor(role, grey);
    }
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(role, Qt::black);
    }
    application.setPalette(palette);
}

}  // namespace

ConverterApp::ConverterApp(int& argc, char** argv) : application_(argc, argv) {
    QApplication::setApplicationName("voxnote");
    ApplyDialogColours(application_);
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
    mainDialog_->show();
    return QApplication::exec();
}

int RunConverterApp(int& argc, char** argv) {
    ConverterApp app(argc, argv);
    return app.Run();
}

}  // namespace voxnote
