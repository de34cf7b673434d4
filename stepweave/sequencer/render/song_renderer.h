#pragma once
// "Render song to wav file": writes the song, from the selected play-list
// entry to the end, into one 16-bit stereo 44100 Hz WAV file instead of
// playing it.
//
//   1. The play buttons are disabled. The kit's items and the user samples
//      are exported to the render's own folder under "temp" (so that renders
//      running at once never share a file); the play list is compiled
//      exactly as Play Song compiles it (the editor is left the same way).
//   2. A sound the song uses in a format the mixing wave cannot read, or a
//      song too long for a WAV file, is refused with its error.
//   3. The user chooses the output file; the mixdown adds one instrument at a
//      time into an output wave kept in a work file beside "work1.tmp" in the
//      render's folder, so that memory stays bounded however long the song is.
//   4. The output is saved (through a temporary file renamed into place), and
//      the render's folder is removed.
//
// Every ending (done, Stop, Cancel, an error) hides the progress bar and the
// render window, enables the play buttons and empties the song's lines. On
// Stop the part mixed so far is saved as a complete WAV file; on Cancel
// nothing is written. Errors are passed on to the caller after that.
#include <optional>
#include <string>
#include <vector>

#include "stepweave/sequencer/render/render_sample_settings.h"
#include "stepweave/sequencer/render/render_sounds.h"

namespace stepweave {

class RenderExportFolder;
class RenderObserver;
struct SongTimeline;
class SequencerDocument;
class WaveCollection;

inline constexpr const char* kRenderWorkFileName = "work1.tmp";

enum class RenderOutcome {
    EmptyPlayList,  // nothing to render
    Cancelled,      // no output file chosen: nothing written
    Completed,      // the whole song was saved
    Stopped,        // the part mixed before Stop was saved
    Busy,           // asked for while a render runs (from its event handling): ignored
};

class SongRenderer {
public:
    // The kit's items 0..16 give the kit sounds and their pans.
    SongRenderer(SequencerDocument& document, const WaveCollection& kit, RenderObserver& observer);

    // `globalTempo` is set while the UsesGlobalTempo check box is checked: the tempo
    // the Delay slider returns to after the compilation. The song itself is
    // rendered at each pattern's own tempo.
    RenderOutcome Render(const RenderSampleSettings& samples, std::optional<int> globalTempo = std::nullopt);

    bool Rendering() const { return rendering_; }
    // The compiled song while a render runs; empty otherwise.
    const std::vector<std::string>& SongLines() const { return songLines_; }

private:
    RenderOutcome RenderSteps(const RenderSampleSettings& samples, std::optional<int> globalTempo);
    RenderOutcome Mixdown(const SongTimeline& timeline, const RenderSounds& sounds, const RenderExportFolder& folder);
    void EndRender();

    SequencerDocument& document_;
    const WaveCollection& kit_;
    RenderObserver& observer_;
    std::vector<std::string> songLines_;
    bool rendering_ = false;
};

}  // namespace stepweave
