#include "stepweave/sequencer/ui/sequencer_app.h"

#include <QApplication>
#include <QMessageBox>
#include <filesystem>

#include "stepweave/sequencer/session/sequencer_session.h"
#include "stepweave/sequencer/session/workspace.h"
#include "stepweave/sequencer/ui/main_timer_pump.h"
#include "stepweave/sequencer/ui/message_box_prompt.h"
#include "stepweave/sequencer/ui/sequence_window.h"
#include "stepweave/sequencer/ui/stepweave_look.h"
#include "stepweave/sound/backend/audio_backend_choice.h"
#include "stepweave/sound/timing/timer_scheduler.h"

namespace stepweave {

namespace {

// The start folder becomes the working directory: the main window takes the
// working directory at its creation as its start folder.
std::optional<std::string> EnterStartFolder(const WindowArguments& arguments) {
    try {
        const std::string here = arguments.folder ? std::string() : std::filesystem::current_path().string();
        const StartDirectoryChoice start = ChooseStartDirectory(arguments.folder, here);
        std::filesystem::current_path(start.folder);
        return std::filesystem::current_path().string();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, kProgramTitle, QString::fromStdString(error.what()));
        return std::nullopt;
    }
}

}  // namespace

int RunSequencerWindow(int argc, char** argv, const WindowArguments& arguments) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("stepweave");
    look::ApplyTo(application);
    // A song that exists where it is named (opened from the file manager, say)
    // makes its own folder the start folder, where its patterns are; a bare
    // name is looked for in the start folder.
    std::string song = arguments.songPath;
    WindowArguments start = arguments;
    if (!song.empty() && std::filesystem::exists(song)) {
        song = std::filesystem::absolute(song).string();
        if (!start.folder) {
            start.folder = std::filesystem::path(song).parent_path().string();
        }
    }
    const std::optional<std::string> folder = EnterStartFolder(start);
    if (!folder) {
        return 1;
    }
    if (!song.empty()) {
        song = FindSongFile(song, *folder).string();
    }
    MainTimerPump pump(MainTimers());
    SequencerSession session(*folder, MainTimers(), SessionSound::Devices, AudioBackendFromEnvironment());
    if (const std::optional<std::string> log = TimingLogPathFromEnvironment()) {
        try {
            session.KeepTimingLog(*log);
        } catch (const std::exception& error) {
            QMessageBox::warning(nullptr, kProgramTitle, QString::fromStdString(error.what()));
        }
    }
    MessageBoxPrompt prompt;
    SequenceWindow window(session, prompt);
    prompt.SetOwner(&window);
    window.show();
    if (!song.empty()) {
        window.OpenSongFile(song);
    }
    return QApplication::exec();
}

}  // namespace stepweave
