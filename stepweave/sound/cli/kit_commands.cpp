#include "stepweave/sound/cli/kit_commands.h"

#include <charconv>
#include <exception>
#include <filesystem>
#include <optional>
#include <ostream>
#include <system_error>

#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/kit/kit_file.h"
#include "stepweave/sound/kit/kit_layout.h"
#include "stepweave/sound/kit/kit_maker.h"
#include "stepweave/sound/kit/wave_collection.h"
#include "stepweave/sound/wav/playable_format.h"
#include "stepweave/sound/wav/wave_format.h"

namespace stepweave {

namespace {

// Runs a command body, turning any error into its message on err.
template <typename Body>
int Run(std::ostream& err, Body body) {
    try {
        body();
        return 0;
    } catch (const std::exception& error) {
        err << CommandLineMessage(error) << '\n';
        return 1;
    }
}

std::string DescribeChannels(uint16_t channels) {
    switch (channels) {
        case 1: return "mono";
        case 2: return "stereo";
        default: return std::to_string(channels) + " channels";
    }
}

std::string DescribeFormat(const WaveData& wave) {
    if (wave.FormatSize() == 0) {
        return wave.Size() == 0 ? "(empty)" : "(no format)";
    }
    WaveFormat format;
    if (!ParseWaveFormat(wave.Format(), wave.FormatSize(), format)) {
        return "(format record of " + std::to_string(wave.FormatSize()) + " bytes)";
    }
    const std::string kind =
        format.formatTag == kWaveFormatPcm ? "PCM" : "format " + std::to_string(format.formatTag);
    return kind + " " + std::to_string(format.samplesPerSec) + " Hz " + std::to_string(format.bitsPerSample) +
           "-bit " + DescribeChannels(format.channels);
}

// Collects the wave images of a kit file exactly as they are stored.
class StoredImages : public KitFileSink {
public:
    void BeginItem() override { images.emplace_back(); }
    void ItemName(const std::string&) override {}
    void ItemWave(ByteStream& image) override {
        images.back().resize(static_cast<size_t>(image.Size()));
        image.ReadBuffer(images.back().data(), image.Size());
    }

    std::vector<std::vector<uint8_t>> images;
};

struct SlotFile {
    int slot;
    std::string path;
};

SlotFile ParseSlotFile(const std::string& argument) {
    const auto equals = argument.find('=');
    int slot = 0;
    if (equals != std::string::npos && equals + 1 < argument.size()) {
        const char* end = argument.data() + equals;
        const auto [stop, error] = std::from_chars(argument.data(), end, slot);
        if (error == std::errc() && stop == end && slot >= 1 && slot < kKitSlotCount) {
            return {slot, argument.substr(equals + 1)};
        }
    }
    throw StepweaveError("Invalid slot '" + argument + "': expected N=FILE.wav with N from 1 to 16");
}

void CreateFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder, error)) {
        throw FileCreateError(folder);
    }
}

}  // namespace

int KitListCommand(const std::string& kitPath, std::ostream& out, std::ostream& err) {
    return Run(err, [&] {
        WaveCollection kit;
        kit.LoadFromFile(kitPath);
        for (int i = 0; i < kit.Count(); ++i) {
            const WaveCollectionItem& item = kit.Items(i);
            out << i << " \"" << item.Name() << "\" " << item.Wave().Size() << " bytes "
                << DescribeFormat(item.Wave()) << '\n';
        }
    });
}

int KitExtractCommand(const std::string& kitPath, const std::string& folder, std::ostream& out,
                      std::ostream& err) {
    return Run(err, [&] {
        StoredImages stored;
        {
            FileStream file(kitPath);
            ReadKitFile(file, stored);
        }
        CreateFolder(folder);
        for (size_t i = 0; i < stored.images.size(); ++i) {
            const std::string path = (std::filesystem::path(folder) / (std::to_string(i) + ".wav")).string();
            const std::vector<uint8_t>& image = stored.images[i];
            WriteFileSafely(path, image.data(), static_cast<int64_t>(image.size()));
            out << path << ' ' << image.size() << " bytes\n";
        }
    });
}

int KitMakeCommand(const KitMakeArguments& arguments, std::ostream& out, std::ostream& err) {
    return Run(err, [&] {
        std::vector<SlotFile> slotFiles;
        for (const std::string& argument : arguments.slotFiles) {
            slotFiles.push_back(ParseSlotFile(argument));
        }
        WaveData blank;
        blank.LoadFromFile(BlankWavePath(arguments.startDirectory));

        std::optional<WaveCollection> templateKit;
        if (!arguments.templatePath.empty()) {
            templateKit.emplace();
            templateKit->LoadFromFile(arguments.templatePath);
        }
        WaveCollection kit;
        PrepareKit(kit, blank, templateKit ? &*templateKit : nullptr);
        for (const SlotFile& slotFile : slotFiles) {
            WaveData& wave = kit.Items(slotFile.slot).Wave();
            wave.LoadFromFile(slotFile.path);
            // A sound the kit's users could not play is refused as the kit maker refuses it.
            CheckPlayableWave(wave, std::filesystem::path(slotFile.path).filename().string());
        }
        CheckKitLayout(kit);
        kit.SaveToFile(arguments.outputPath);
        out << arguments.outputPath << ": " << kit.Count() << " sounds\n";
    });
}

}  // namespace stepweave
