#include "stepweave/sequencer/midi_export/midi_export.h"

#include <filesystem>

#include "stepweave/sequencer/commands/song_compiler.h"
#include "stepweave/sequencer/midi_export/standard_midi_file.h"
#include "stepweave/sequencer/model/integer_text.h"
#include "stepweave/sequencer/render/render_sounds.h"
#include "stepweave/sequencer/render/song_timeline.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/kit/wave_collection.h"
#include "stepweave/sound/midi/drum_note_map.h"
#include "stepweave/sound/wav/wave_format.h"

namespace stepweave {

namespace {

namespace fs = std::filesystem;

constexpr size_t kBeatLine = PatternGrid::kBeatColumn;  // the header's beat, line 4 of the file

// How long a wave sounds at `frequency` Hz (0: its own rate); 0 for no sound.
double WaveSeconds(const WaveData& wave, double frequency) {
    WaveFormat format;
    if (wave.Size() <= 0 || !ParseWaveFormat(wave.Format(), wave.FormatSize(), format) || !format.DescribesAudio()) {
        return 0.0;
    }
    const double rate = frequency > 0.0 ? frequency : format.samplesPerSec;
    return static_cast<double>(wave.Size() / format.blockAlign) / rate;
}

MidiSound KitSound(const WaveCollection& kit, int item) {
    MidiSound sound;
    if (item < kit.Count()) {
        sound.seconds = WaveSeconds(kit.Items(item).Wave(), 0.0);
        sound.sounds = sound.seconds > 0.0;
    }
    return sound;
}

MidiSound SampleSound(const MidiExportSounds& sounds, int sample) {
    const RenderSampleSetting& setting = sounds.samples[static_cast<size_t>(sample - 1)];
    MidiSound sound;
    if (IsBlankSampleFile(setting.fileName)) {
        return sound;  // the silent sample: nothing to hear
    }
    const std::string path = SampleSourcePath(sounds.startDirectory, setting.fileName);
    WaveData wave;
    MarkedWithFile(path, [&] { wave.LoadFromFile(path); });
    sound.seconds = WaveSeconds(wave, setting.frequency);
    sound.sounds = sound.seconds > 0.0;
    sound.velocity = VelocityOfAttenuation(-setting.volume);
    sound.trackName = fs::path(setting.fileName).stem().string() + " (Sample " + std::to_string(sample) + ")";
    return sound;
}

// The sounds of the instruments the lines play; the others stay silent.
MidiSounds SoundsOf(const std::vector<std::string>& lines, const MidiExportSounds& sounds) {
    MidiSounds midi;
    for (const int instrument : ReadSongTimeline(lines).usedInstruments) {
        midi[static_cast<size_t>(instrument)] = instrument <= InstrumentList::kLastKitInstrument
                                                    ? KitSound(sounds.kit, instrument)
                                                    : SampleSound(sounds, InstrumentList::UserSampleNumber(instrument));
    }
    return midi;
}

MidiPatternShape ShapeOf(const PatternFileContents& pattern) {
    const std::string& beatText = pattern.rows[PatternGrid::kHeaderRow][PatternGrid::kBeatColumn];
    MidiPatternShape shape;
    shape.length = pattern.length;
    if (!pattern.filePath.empty()) {
        MarkedWithFile(pattern.filePath, [&] {
            try {
                shape.beat = ParseInteger(beatText);
            } catch (StepweaveError& error) {
                error.MarkLine(static_cast<int>(kBeatLine));
                throw;
            }
        });
    } else {
        shape.beat = ParseInteger(beatText);
    }
    return shape;
}

}  // namespace

SongForMidi SongForMidiOfPlayList(const std::vector<std::string>& patternNames, const MidiExportSounds& sounds,
                                  const std::string& title) {
    SongForMidi song;
    song.title = title;
    song.lines = CompileSong(sounds.startDirectory, patternNames).lines;
    for (const std::string& name : patternNames) {
        song.patterns.push_back(ShapeOf(ReadPatternFile(sounds.startDirectory, name)));
    }
    song.sounds = SoundsOf(song.lines, sounds);
    return song;
}

SongForMidi SongForMidiOfPattern(const PatternFileContents& pattern, const MidiExportSounds& sounds) {
    SongForMidi song;
    song.title = pattern.Name();
    song.lines = {kTempoMarker, std::to_string(pattern.Tempo())};
    for (int step = 1; step <= pattern.length; ++step) {
        const auto& row = pattern.rows[static_cast<size_t>(PatternGrid::StepRow(step))];
        song.lines.insert(song.lines.end(), row.begin() + 1, row.end());
    }
    song.lines.emplace_back(kSongEndMarker);
    song.patterns = {ShapeOf(pattern)};
    song.sounds = SoundsOf(song.lines, sounds);
    return song;
}

void WriteSongMidiFile(const SongForMidi& song, const std::string& path) {
    const std::vector<uint8_t> bytes = EncodeMidiFile(SongMidiTracks(song), kMidiTicksPerQuarter);
    WriteFileSafely(path, bytes.data(), static_cast<int64_t>(bytes.size()));
}

PatternFileContents PatternOfEditor(const PatternGrid& grid, int delay) {
    PatternFileContents pattern;
    pattern.length = grid.Length();
    for (int row = 0; row <= pattern.length + PatternGrid::kFirstStepRow; ++row) {
        auto& cells = pattern.rows.emplace_back();
        for (int column = 0; column < PatternGrid::kColumns; ++column) {
            cells[static_cast<size_t>(column)] = grid.Cell(row, column);
        }
    }
    pattern.tempoText = std::to_string(delay);
    pattern.repeatText = "1";
    return pattern;
}

std::string MidiFileBeside(const std::string& songPath) {
    return fs::path(songPath).replace_extension(".mid").string();
}

}  // namespace stepweave
