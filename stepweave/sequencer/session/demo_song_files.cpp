#include "stepweave/sequencer/session/demo_song_files.h"

#include <filesystem>
#include <stdexcept>

#include "stepweave/data/default_kit.h"
#include "stepweave/data/demo_song.h"
#include "stepweave/sequencer/commands/library_commands.h"
#include "stepweave/sequencer/files/pattern_file.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/commands/song_commands.h"
#include "stepweave/sequencer/model/step_level.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "stepweave/sound/wav/wave_data.h"

namespace stepweave {

namespace {

// Notices never come: every demo pattern has a name.
class NoPrompt : public UserPrompt {
public:
    void Notify(const std::string&, const std::string&) override {}
    bool ConfirmOkCancel(const std::string&, const std::string&) override { return false; }
};

// The cell text of a hit: a kit label takes the level digit between its
// brackets; a user sample's label stands as it is.
std::string HitCell(std::string_view instrument, char level) {
    std::string cell(instrument);
    if (cell.size() > StepLevel::kCharacterPosition) {
        cell[StepLevel::kCharacterPosition] = level;
    }
    return cell;
}

void PlaceHit(PatternGrid& grid, int step, const std::string& cell) {
    const int row = PatternGrid::StepRow(step);
    for (int channel = 1; channel <= PatternGrid::kChannels; ++channel) {
        if (grid.Cell(row, channel).empty()) {
            grid.SetCell(row, channel, cell);
            return;
        }
    }
    throw std::logic_error("more than six hits on step " + std::to_string(step));
}

void LoadDemoSamples(UserSampleTable& samples) {
    for (const DemoSample& demo : TheDemoSong().samples) {
        samples.Load(demo.sample, std::string(demo.fileName));
        samples.SetBaseFrequency(demo.sample, demo.frequency);
        samples.SetFrequency(demo.sample, demo.frequency);
        samples.SetPan(demo.sample, demo.pan);
    }
}

bool Missing(const std::filesystem::path& path) { return !std::filesystem::exists(path); }

}  // namespace

void FillDemoPattern(const DemoPattern& pattern, PatternGrid& grid) {
    grid.ClearChannels();
    grid.UpdateTime(std::to_string(pattern.length), std::to_string(pattern.beat));
    grid.SetName(std::string(pattern.name));
    for (const DemoLane& lane : pattern.lanes) {
        if (lane.hits.size() != static_cast<size_t>(pattern.length)) {
            throw std::logic_error("a lane of " + std::string(pattern.name) + " does not span its steps");
        }
        for (int step = 1; step <= pattern.length; ++step) {
            const char level = lane.hits[static_cast<size_t>(step - 1)];
            if (level != '.') {
                PlaceHit(grid, step, HitCell(lane.instrument, level));
            }
        }
    }
}

void WriteDemoSong(const std::string& folder) {
    const std::filesystem::path root(folder);
    const DemoSong& demo = TheDemoSong();
    if (Missing(root / kDemoBassFileName)) {
        MonoPcmWave(SynthesizeDemoBass()).SaveToFile((root / kDemoBassFileName).string());
    }

    UserSampleTable samples;
    LoadDemoSamples(samples);
    SequencerDocument document(folder, samples);
    NoPrompt prompt;
    for (const DemoPattern& pattern : demo.patterns) {
        if (!Missing(PatternFilePath(folder, std::string(pattern.name)))) {
            continue;
        }
        FillDemoPattern(pattern, document.grid);
        document.SetDelay(pattern.delay);
        document.SetLoop(pattern.repeat);
        StorePattern(document, prompt);
    }

    if (Missing(root / kDemoSongFileName)) {
        document.playList.Clear();
        for (std::string_view name : demo.playList) {
            document.playList.Append(std::string(name));
        }
        SaveSong(document, (root / kDemoSongFileName).string());
    }
}

}  // namespace stepweave
