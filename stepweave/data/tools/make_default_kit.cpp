// Build-time tool: writes the default kit, "Blank.wav" and "temp" into a
// folder. With --sounds DIR it also writes each instrument as DIR/<name>.wav,
// for listening to and measuring the sounds.
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "stepweave/data/default_kit.h"
#include "stepweave/data/synth/drum_synth.h"
#include "stepweave/sound/wav/wave_data.h"

namespace {

void WriteInstrumentWaves(const std::string& folder) {
    std::filesystem::create_directories(folder);
    for (stepweave::DrumInstrument instrument : stepweave::kAllDrumInstruments) {
        const std::string name(stepweave::DrumInstrumentName(instrument));
        const auto path = std::filesystem::path(folder) / (name + ".wav");
        stepweave::MonoPcmWave(stepweave::SynthesizeDrum(instrument)).SaveToFile(path.string());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool withSounds = argc == 4 && std::strcmp(argv[2], "--sounds") == 0;
    if (argc != 2 && !withSounds) {
        std::cerr << "usage: make_default_kit FOLDER [--sounds DIR]\n";
        return 2;
    }
    try {
        stepweave::WriteSeedFiles(argv[1]);
        if (withSounds) {
            WriteInstrumentWaves(argv[3]);
        }
    } catch (const std::exception& error) {
        std::cerr << "make_default_kit: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
