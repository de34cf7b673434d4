#include "stepweave/sequencer/render/song_renderer.h"

#include <filesystem>

#include "stepweave/sequencer/render/play_list_compilation.h"
#include "stepweave/sequencer/render/render_export_folder.h"
#include "stepweave/sequencer/render/song_length.h"
#include "stepweave/sequencer/render/render_observer.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/render/song_mixdown.h"
#include "stepweave/sequencer/render/song_timeline.h"
#include "stepweave/sound/mixdown/mixing_wave.h"

namespace stepweave {

SongRenderer::SongRenderer(SequencerDocument& document, const WaveCollection& kit, RenderObserver& observer)
    : document_(document), kit_(kit), observer_(observer) {}

RenderOutcome SongRenderer::Render(const RenderSampleSettings& samples, std::optional<int> globalTempo) {
    if (rendering_) {
        return RenderOutcome::Busy;
    }
    rendering_ = true;
    observer_.SetPlayButtonsEnabled(false);
    songLines_.clear();
    try {
        const RenderOutcome outcome = RenderSteps(samples, globalTempo);
        EndRender();
        return outcome;
    } catch (...) {
        EndRender();
        throw;
    }
}

RenderOutcome SongRenderer::RenderSteps(const RenderSampleSettings& samples, std::optional<int> globalTempo) {
    if (document_.playList.Empty()) {
        return RenderOutcome::EmptyPlayList;
    }
    const RenderExportFolder folder(document_.StartDirectory());
    const RenderSounds sounds = ExportRenderSounds(folder, document_.StartDirectory(), kit_, samples);
    songLines_ = *CompilePlayListFromSelection(document_, globalTempo);
    const SongTimeline timeline = ReadSongTimeline(songLines_);
    // What cannot be mixed or saved is refused before anything is written.
    for (const int instrument : timeline.usedInstruments) {
        CheckSoundCanBeMixed(sounds[static_cast<size_t>(instrument)]);
    }
    CheckSongFitsAWaveFile(timeline, sounds);
    return Mixdown(timeline, sounds, folder);
}

RenderOutcome SongRenderer::Mixdown(const SongTimeline& timeline, const RenderSounds& sounds,
                                    const RenderExportFolder& folder) {
    const std::string outputPath = observer_.ChooseOutputFile();
    if (outputPath.empty()) {
        return RenderOutcome::Cancelled;
    }
    wavaudio::MixingWave output;
    output.SetWorkFileName((std::filesystem::path(folder.Path()) / kRenderWorkFileName).string());
    output.SetFileBacked(true);
    observer_.ShowRenderWindow();
    observer_.ShowProgress(static_cast<int>(songLines_.size()));
    const MixdownEnd end = MixSong(timeline, sounds, output, observer_);
    output.SaveToFile(outputPath);
    return end == MixdownEnd::Completed ? RenderOutcome::Completed : RenderOutcome::Stopped;
}

void SongRenderer::EndRender() {
    observer_.HideProgress();
    observer_.HideRenderWindow();
    observer_.SetPlayButtonsEnabled(true);
    songLines_.clear();
    rendering_ = false;
}

}  // namespace stepweave
