#pragma once
#include <QApplication>
#include <QString>
#include <memory>

#include "voxnote/app/ui/main_dialog.h"

namespace voxnote {

// The converter as a program: the application with its look, the splash
// window for two seconds, then the main window until it closes.
class ConverterApp {
public:
    ConverterApp(int& argc, char** argv);
    ~ConverterApp();

    // Runs the program; its exit code.
    int Run();

    // The help page in the program's own folder.
    static QString DefaultHelpFilePath();
    MainDialog* Window() const { return mainDialog_.get(); }

private:
    QApplication application_;
    std::unique_ptr<MainDialog> mainDialog_;
};

// Opens the converter's window (the program started without a command).
int RunConverterApp(int& argc, char** argv);

}  // namespace voxnote
