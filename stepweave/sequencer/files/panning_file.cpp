#include "stepweave/sequencer/files/panning_file.h"

#include <algorithm>

#include "stepweave/sequencer/files/integer_text.h"
#include "stepweave/sound/files/byte_stream.h"

namespace stepweave {

KitPanTable ParsePanningFile(const TextLines& lines) {
    KitPanTable pans{};
    for (int index = 1; index < kKitPanCount; ++index) {
        pans[index] = std::clamp(ParseInteger(lines.At(static_cast<size_t>(index))), -kWidestKitPan, kWidestKitPan);
    }
    return pans;
}

KitPanTable ReadPanningFile(const std::string& path) { return ParsePanningFile(ReadTextFile(path)); }

std::string PanningFileText(const KitPanTable& pans) {
    LineWriter file;
    file.Add(0);
    for (int index = 1; index < kKitPanCount; ++index) {
        file.Add(pans[index]);
    }
    return file.Text();
}

void WritePanningFile(const std::string& path, const KitPanTable& pans) { WriteFileSafely(path, PanningFileText(pans)); }

}  // namespace stepweave
