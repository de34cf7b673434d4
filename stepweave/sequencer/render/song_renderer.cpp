#include "stepweave/sequencer/render/song_renderer.h"

#include <filesystem>

#include "stepweave/sequencer/render/play_list_compilation.h"
#include "stepweave/sequencer/render/render_observer.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/render/song_mixdown.h"
#include "stepweave/sequencer/render/song_timeline.h"
#include "stepweave/sound/mixdown/mixing_wave.h"

namespace stepweave {

SongRenderer::SongRenderer(SequencerDocument& document, const TWaveCollection& kit, RenderObserver& observer)
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
    const RenderSounds sounds = ExportRenderSounds(document_.StartDirectory(), kit_, samples);
    songLines_ = *CompilePlayListFromSelection(document_, globalTempo);
    return Mixdown(sounds);
}

RenderOutcome SongRenderer::Mixdown(const RenderSounds& sounds) {
    const SongTimeline timeline = ReadSongTimeline(songLines_);
    const std::string outputPath = observer_.ChooseOutputFile();
    if (outputPath.empty()) {
        return RenderOutcome::Cancelled;
    }
    wavaudio::TWave output;
    output.SetWorkFileName((std::filesystem::path(document_.StartDirectory()) / kRenderWorkFileName).string());
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
