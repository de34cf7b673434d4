#include "stepweave/sequencer/files/panning_file.h"

#include <algorithm>

#include "stepweave/sequencer/model/integer_text.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"

namespace stepweave {

KitPanTable ParsePanningFile(const TextLines& lines) {
    KitPanTable pans{};
    for (int index = 1; index < kKitPanCount; ++index) {
        const auto line = static_cast<size_t>(index);
        const int pan = MarkedWithLine(line, [&] { return ParseInteger(lines.At(line)); });
        pans[index] = std::clamp(pan, -kWidestKitPan, kWidestKitPan);
    }
    return pans;
}

KitPanTable ReadPanningFile(const std::string& path) {
    return MarkedWithFile(path, [&] { return ParsePanningFile(ReadTextFile(path)); });
}

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
