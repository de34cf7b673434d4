#pragma once
// The sounds a song render mixes from. Before mixing, the render writes every
// sound it may need into its own export folder under "temp": kit item n as
// "<n>.wav" (n = 0..16) and user sample k as "sample<k>.wav" (k = 1..32),
// and then mixes from those files, so that the render works on one fixed
// copy of each sound that no other render or window touches.
#include <array>
#include <string>

#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/render/render_sample_settings.h"

namespace stepweave {

class RenderExportFolder;
class WaveCollection;

// One instrument as the render mixes it.
struct RenderSound {
    std::string file;  // the export to mix from; empty when the kit lacks the item
    std::string name;  // what the render window shows while it is mixed
    std::string source;  // what the sound is to the user: the instrument's name, or the sample and its file
    bool kit = false;  // kit sounds take their volume from the cell's level
    double pan = 0.0;  // -1 left .. 1 right (user samples reach -2..2)
    double volume = 1.0;     // linear gain of a user sample
    double frequency = 0.0;  // playback frequency of a user sample; 0: the file's own rate
};

// Indexed by InstrumentList index; entry 0 is unused.
using RenderSounds = std::array<RenderSound, InstrumentList::kCount>;

std::string RenderTempFolderPath(const std::string& startDirectory);
// "temp/sample<k>.wav" of the start folder, which start-up resets.
std::string SampleExportPath(const std::string& startDirectory, int sample);
// Where a user sample's file is: the blank file and other bare names lie in
// the start folder.
std::string SampleSourcePath(const std::string& startDirectory, const std::string& fileName);

// A kit cell at level L plays at (4000 - 500 L) / 4000: level 1 at 0.875,
// level 9 at -0.125 (inverted and quiet), level 0 at full volume.
double KitLevelVolume(int level);

// Writes the exports into the render's folder and describes every
// instrument: kit pans are the kit items' pans / 2000; a user sample's
// volume is (volume + 4000) / 4000 and its pan pan / 2000. Items the kit
// does not hold are left without a file. Fails with the file layer's
// errors: FileCreateError for an export that cannot be made, FileOpenError for a
// sample file that cannot be opened.
RenderSounds ExportRenderSounds(const RenderExportFolder& folder, const std::string& startDirectory,
                                const WaveCollection& kit, const RenderSampleSettings& samples);

// Refuses a sound the song uses that the mixing wave would read as noise:
// WaveStreamError "'%s' cannot be used: it is %s; only 8- or 16-bit PCM,
// mono or stereo, can be played", naming the instrument ("Snare") or the
// sample and its file ("Sample 3 (loop.wav)").
void CheckSoundCanBeMixed(const RenderSound& sound);

}  // namespace stepweave
