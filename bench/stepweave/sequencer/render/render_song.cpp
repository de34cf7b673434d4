// How fast `stepweave render` renders a song: the whole headless command
// (exports, compilation, one pass per instrument into the file-backed output,
// saving) on a drum song of 4-bar patterns that uses all sixteen kit
// instruments of the default kit and four user samples (22050 and 44100 Hz,
// mono and stereo, two of them pitched), three and thirty minutes long. The
// counter "realtime_x" is seconds of song per second of rendering. The first
// run of each length also checks the output against the mixing arithmetic
// followed literally, one note and one sample at a time ("identical" = 1).
//
// The song folders stay in <tmp>/bench_render_song/<seconds>s for measuring
// the command itself, e.g. with /usr/bin/time -v.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/files/pattern_file.h"
#include "stepweave/sequencer/model/pattern_grid.h"
#include "stepweave/sequencer/model/play_list.h"
#include "stepweave/sequencer/cli/render_command.h"
#include "stepweave/sound/cli/kit_commands.h"
#include "stepweave/sequencer/commands/song_compiler.h"
#include "stepweave/sequencer/files/song_file.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/mixdown/mixing_wave.h"

namespace {

namespace fs = std::filesystem;
using namespace stepweave;

constexpr int kPatternSteps = 16;
constexpr int kPatternRepeat = 2;
constexpr std::array<int, 4> kTempos = {60, 60, 56, 64};

struct BenchSample {
    const char* file;
    int rate;
    int channels;
    double seconds;
    double pitch;
    int frequency;  // playback frequency
    int pan;
};
constexpr std::array<BenchSample, 4> kSamples = {{
    {"clap.wav", 22050, 1, 0.30, 900, 22050, -1500},
    {"stab.wav", 44100, 2, 0.50, 220, 44100, 1200},
    {"zap.wav", 22050, 2, 0.25, 1500, 26000, 0},
    {"bell.wav", 44100, 1, 0.40, 660, 33075, 3000},
}};

void WriteSampleFile(const fs::path& path, const BenchSample& sample) {
    wavaudio::MixingWave wave;
    WaveFormat format = wavaudio::kMixingWaveFormat;
    format.channels = static_cast<uint16_t>(sample.channels);
    format.samplesPerSec = sample.rate;
    format.blockAlign = static_cast<uint16_t>(2 * sample.channels);
    format.avgBytesPerSec = sample.rate * format.blockAlign;
    wave.SetFormat(format);
    const auto frames = static_cast<int64_t>(sample.seconds * sample.rate);
    for (int64_t frame = 0; frame < frames; ++frame) {
        const double t = static_cast<double>(frame) / sample.rate;
        for (int channel = 0; channel < sample.channels; ++channel) {
            const double tone = std::sin(2 * M_PI * sample.pitch * (1.0 + 0.01 * channel) * t);
            wave.SetSample(channel, frame, static_cast<int16_t>(20000.0 * std::exp(-t * 8.0) * tone));
        }
    }
    wave.SaveToFile(path.string());
}

// Pattern p, step s: a kick/snare/hat groove with the other instruments and
// the samples spread over the bar, four or five notes per step.
std::vector<std::string> StepCells(int pattern, int step) {
    const auto kit = [](int instrument, int level) {
        std::string label(InstrumentList::Label(instrument));
        label[11] = static_cast<char>('0' + level);
        return label;
    };
    std::vector<std::string> cells;
    if (step % 4 == 0) cells.push_back(kit(step % 8 == 0 ? 1 : 2, 1));
    if (step % 8 == 4) cells.push_back(kit(3, 2));
    cells.push_back(kit(step % 2 == 0 ? 4 : 5, 3 + step % 3));
    cells.push_back(kit(6 + (step + 3 * pattern) % 11, 2 + (step + pattern) % 6));
    if (step % 3 == 1) cells.push_back("Sample" + std::to_string(1 + (step / 3 + pattern) % 4));
    if (step == 0 && pattern % 2 == 0) cells.push_back(kit(8 + pattern / 2, 4));
    cells.resize(std::min<size_t>(cells.size(), PatternGrid::kChannels));
    return cells;
}

void WritePatterns(const fs::path& folder, const UserSampleSlots& samples) {
    for (int pattern = 0; pattern < static_cast<int>(kTempos.size()); ++pattern) {
        PatternGrid grid;
        grid.UpdateTime(std::to_string(kPatternSteps), "4");
        grid.SetName(std::string(1, static_cast<char>('A' + pattern)));
        for (int step = 0; step < kPatternSteps; ++step) {
            const auto cells = StepCells(pattern, step);
            for (size_t channel = 0; channel < cells.size(); ++channel) {
                grid.SetCell(PatternGrid::StepRow(step + 1), static_cast<int>(channel) + 1, cells[channel]);
            }
        }
        WriteFileSafely(PatternFilePath(folder.string(), grid.Name()),
                        PatternFileText(grid, kTempos[static_cast<size_t>(pattern)], kPatternRepeat, samples));
    }
}

double PatternSeconds(int pattern) {
    return kPatternRepeat * kPatternSteps * 2.0 * kTempos[static_cast<size_t>(pattern)] / 1000.0;
}

// The song folder for a song of at least `seconds`: kit, blank file,
// samples, patterns and "song.sng".
fs::path SongFolder(int seconds) {
    const fs::path folder = fs::temp_directory_path() / "bench_render_song" / (std::to_string(seconds) + "s");
    fs::create_directories(folder / "temp");
    for (const char* name : {"standard.dxg", "Blank.wav"}) {
        fs::copy_file(fs::path(SEED_DATA_DIR) / name, folder / name, fs::copy_options::overwrite_existing);
    }
    UserSampleTable samples;
    for (size_t k = 0; k < kSamples.size(); ++k) {
        const fs::path path = folder / kSamples[k].file;
        WriteSampleFile(path, kSamples[k]);
        const int sample = static_cast<int>(k) + 1;
        samples.Load(sample, path.string());
        samples.SetFrequency(sample, kSamples[k].frequency);
        samples.SetPan(sample, kSamples[k].pan);
    }
    WritePatterns(folder, samples);
    PlayList playList;
    double length = 0;
    for (int entry = 0; length < seconds; ++entry) {
        const int pattern = entry % static_cast<int>(kTempos.size());
        playList.Append(std::string(1, static_cast<char>('A' + pattern)));
        length += PatternSeconds(pattern);
    }
    WriteFileSafely((folder / "song.sng").string(), SongFileText(playList, samples));
    return folder;
}

// ---- the arithmetic followed literally ------------------------------------------

struct PlainSound {
    int rate = 44100;
    int64_t frames = 0;
    std::vector<std::array<int16_t, 2>> samples;  // a mono sound feeds both sides
};

PlainSound ReadSound(const fs::path& path) {
    wavaudio::MixingWave wave;
    wave.LoadFromFile(path.string());
    PlainSound sound;
    sound.rate = wave.Format().SignedSamplesPerSec();
    sound.frames = wave.Frames();
    for (int64_t frame = 0; frame < sound.frames; ++frame) {
        const int16_t left = wave.GetSample(0, frame);
        sound.samples.push_back({left, wave.Format().channels > 1 ? wave.GetSample(1, frame) : left});
    }
    return sound;
}

void PlainMixIn(std::vector<int16_t>& out, const PlainSound& source, double frequency, double time, double pan,
                double volume) {
    const auto start = static_cast<int64_t>(std::nearbyint(176400.0 * time / 4.0));
    const double gain[2] = {pan > 1 ? 0 : pan < 0 ? 1 : 1 - pan, pan < -1 ? 0 : pan > 0 ? 1 : 1 - std::fabs(pan)};
    const double rate = source.rate;
    const auto n = static_cast<int64_t>(std::nearbyint(44100.0 * (source.frames / rate) * rate / frequency));
    const double r = static_cast<double>(n) / static_cast<double>(source.frames);
    const auto at = [&source](int64_t frame, int ch) -> double {
        return frame < source.frames ? source.samples[static_cast<size_t>(frame)][static_cast<size_t>(ch)] : 0;
    };
    for (int64_t k = 0; k < n; ++k) {
        const double x = k / r;
        const auto i0 = static_cast<int64_t>(x);
        const int64_t i1 = std::min(i0 + 1, source.frames - 1);
        const double w0 = 1 - (x - i0);
        const double w1 = 1 - w0;
        for (int ch = 0; ch < 2; ++ch) {
            const auto index = static_cast<size_t>(2 * (start + k) + ch);
            if (index >= out.size()) out.resize(index + 1, 0);
            const double v = std::nearbyint((at(i0, ch) * w0 + at(i1, ch) * w1) * volume * gain[ch]) + out[index];
            out[index] = static_cast<int16_t>(std::clamp(v, -32767.0, 32767.0));
        }
    }
}

// One pass per used instrument in ascending order over the compiled song,
// each line handled as written, from the kit's own waves and the samples'
// files (what the render exports into a folder of its own and removes).
std::vector<int16_t> PlainRender(const fs::path& folder) {
    PlayList playList;
    UserSampleTable samples;
    ApplySongFile(ParseSongFile(ReadTextFile((folder / "song.sng").string())), playList, samples);
    std::ostringstream ignored;
    if (KitExtractCommand((folder / "standard.dxg").string(), (folder / "plain").string(), ignored, ignored) != 0) {
        return {};
    }
    const std::vector<std::string> lines = CompileSong(folder.string(), playList.Names()).lines;
    std::array<bool, InstrumentList::kCount> used{};
    for (std::string line : lines) {
        if (line.size() > 10) line[11] = ' ';
        used[static_cast<size_t>(std::max(InstrumentList::IndexOf(line), 0))] = true;
    }
    std::vector<int16_t> out;
    for (int i = 1; i <= 48; ++i) {
        if (!used[static_cast<size_t>(i)]) continue;
        const int sample = i - 16;
        const PlainSound sound = ReadSound(i <= 16 ? folder / "plain" / (std::to_string(i) + ".wav")
                                                   : fs::path(samples.FileName(sample)));
        double time = 0;
        double step = 0;
        int channel = -1;
        for (size_t j = 0; j < lines.size(); ++j) {
            std::string line = lines[j];
            int level = 0;
            if (i <= 16 && line.size() > 10) {
                level = line[11] == ' ' ? 1 : line[11] - '0';
                line[11] = ' ';
            }
            if (line == "//") {
                step = 2 * std::stoi(lines[++j]) / 1000.0;
            } else if (++channel == 6) {
                channel = 0;
                time = time + step;
            }
            if (InstrumentList::IndexOf(line) == i) {
                if (i <= 16) {
                    PlainMixIn(out, sound, sound.rate, time, 0.0, (4000 - 500 * level) / 4000.0);
                } else {
                    PlainMixIn(out, sound, samples.Frequency(sample), time, samples.Pan(sample) / 2000.0, 1.0);
                }
            }
            if (lines[j] == "%%%") break;
        }
    }
    return out;
}

bool SameAsPlainArithmetic(const fs::path& folder, const fs::path& rendered) {
    const std::vector<uint8_t> bytes = ReadWholeFile(rendered.string());
    const std::vector<int16_t> expected = PlainRender(folder);
    if (bytes.size() != 44 + 2 * expected.size()) return false;
    for (size_t i = 0; i < expected.size(); ++i) {
        if (static_cast<int16_t>(bytes[44 + 2 * i] | bytes[45 + 2 * i] << 8) != expected[i]) return false;
    }
    return true;
}

void BM_RenderSong(benchmark::State& state) {
    if (!fs::exists(fs::path(SEED_DATA_DIR) / "standard.dxg")) {
        state.SkipWithError("the default kit is missing: build the stepweave_seed_data target first");
        return;
    }
    const auto seconds = static_cast<int>(state.range(0));
    const fs::path folder = SongFolder(seconds);
    RenderCommandArguments arguments;
    arguments.songPath = (folder / "song.sng").string();
    arguments.outputPath = (folder / "song.wav").string();
    arguments.startDirectory = folder.string();
    std::ostringstream out;
    std::ostringstream err;
    RenderConsole console{out, err, false, [] { return false; }};
    for (auto _ : state) {
        if (RenderCommand(arguments, console) != 0) {
            state.SkipWithError(err.str().c_str());
            return;
        }
    }
    const double songSeconds = static_cast<double>(fs::file_size(arguments.outputPath) - 44) / 176400.0;
    state.counters["song_s"] = songSeconds;
    state.counters["realtime_x"] =
        benchmark::Counter(songSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    if (seconds <= 180) {
        state.counters["identical"] = SameAsPlainArithmetic(folder, arguments.outputPath) ? 1 : 0;
    }
}
BENCHMARK(BM_RenderSong)->Arg(180)->Arg(1800)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
