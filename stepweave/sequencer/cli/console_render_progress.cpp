#include "stepweave/sequencer/cli/console_render_progress.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sound/files/errors.h"

namespace stepweave {

namespace {

constexpr int kBarWidth = 30;

// "Kick      [ ]" shows as "Kick"; "Sample 3" as it is.
std::string ShortName(int instrument) {
    if (InstrumentList::IsUserSample(instrument)) {
        return "Sample " + std::to_string(InstrumentList::UserSampleNumber(instrument));
    }
    std::string name(InstrumentList::Label(instrument).substr(0, 10));
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

}  // namespace

ConsoleRenderProgress::ConsoleRenderProgress(std::string outputPath, std::ostream& bar, bool showBar,
                                             std::function<bool()> stopRequested)
    : outputPath_(std::move(outputPath)), bar_(bar), showBar_(showBar), stopRequested_(std::move(stopRequested)) {}

std::string ConsoleRenderProgress::ChooseOutputFile() {
    if (stopRequested_()) {
        return "";
    }
    const std::filesystem::path folder = std::filesystem::absolute(outputPath_).parent_path();
    std::error_code error;
    if (outputPath_.empty() || !std::filesystem::is_directory(folder, error)) {
        throw FileCreateError(outputPath_);
    }
    return outputPath_;
}

void ConsoleRenderProgress::ShowProgress(int maximum) {
    lines_ = maximum > 0 ? maximum : 1;
    shown_ = true;
}

void ConsoleRenderProgress::PassStarted(int instrument, int index, int count) {
    pass_ = index;
    passes_ = count > 0 ? count : 1;
    position_ = 0;
    instrument_ = ShortName(instrument);
    Draw();
}

void ConsoleRenderProgress::SetProgress(int position) {
    position_ = position;
    Draw();
}

void ConsoleRenderProgress::HideProgress() {
    if (drawn_) {
        bar_ << '\n' << std::flush;
    }
    shown_ = drawn_ = false;
    drawnPermille_ = -1;
}

void ConsoleRenderProgress::Draw() {
    if (!showBar_ || !shown_) {
        return;
    }
    const long long done = static_cast<long long>(pass_) * lines_ + position_;
    const auto permille = static_cast<int>(done * 1000 / (static_cast<long long>(passes_) * lines_));
    if (permille == drawnPermille_ && instrument_ == drawnInstrument_) {
        return;
    }
    const int filled = permille * kBarWidth / 1000;
    bar_ << '\r' << (permille / 10 < 100 ? " " : "") << (permille / 10 < 10 ? " " : "") << permille / 10 << "% ["
         << std::string(static_cast<size_t>(filled), '#') << std::string(static_cast<size_t>(kBarWidth - filled), '-')
         << "] " << pass_ + 1 << '/' << passes_ << " Now Adding: " << instrument_ << "\x1b[K" << std::flush;
    drawn_ = true;
    drawnPermille_ = permille;
    drawnInstrument_ = instrument_;
}

}  // namespace stepweave
