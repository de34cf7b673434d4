#include "voxnote/app/shell/mixer_launcher.h"

#include <fstream>

#include "voxnote/app/shell/mixer_location.h"
#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

// Keeps the main window off the top for as long as it lives.
class TopMostDropped {
public:
    explicit TopMostDropped(MixerWindow& window) : window_(window) { window_.DropTopMost(); }
    ~TopMostDropped() { window_.RestoreTopMost(); }
    TopMostDropped(const TopMostDropped&) = delete;
    TopMostDropped& operator=(const TopMostDropped&) = delete;

private:
    MixerWindow& window_;
};

bool CanOpenForReading(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return file.is_open();
}

}  // namespace

void MixerLauncher::RunMixer() {
    TopMostDropped dropped(window_);
    if (const auto location = ReadMixerLocation(profile_)) {
        starter_.Start(*location);
        return;
    }
    window_.StopLiveRun();
    ChooseMixerDialogue();
}

void MixerLauncher::ChooseMixer() {
    window_.StopLiveRun();
    TopMostDropped dropped(window_);
    ChooseMixerDialogue();
}

void MixerLauncher::ChooseMixerDialogue() {
    if (!prompt_.AskOkCancel(Text(strings::kBrowseForNewMixer))) {
        return;
    }
    while (true) {
        const auto path = prompt_.ChooseProgramFile();
        if (!path) {
            return;
        }
        if (!CanOpenForReading(*path)) {
            prompt_.Report(MessageKind::Warning, Text(strings::kCouldNotOpenMixer));
            return;
        }
        if (!prompt_.AskYesNo(Text(strings::kRunSelectedMixer))) {
            return;
        }
        starter_.Start(*path);
        if (prompt_.AskYesNo(Text(strings::kIsThisTheMixer))) {
            WriteMixerLocation(profile_, *path);
            return;
        }
    }
}

}  // namespace voxnote
