// Feeds arbitrary bytes to the "Panning.dat" reader; a table that reads must
// write and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "stepweave/sequencer/files/panning_file.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    KitPanTable pans{};
    try {
        pans = ParsePanningFile(TextLines(std::string(reinterpret_cast<const char*>(data), size)));
    } catch (const StepweaveError&) {
        return 0;  // a damaged file: reported to the user, nothing else
    }
    if (ParsePanningFile(TextLines(PanningFileText(pans))) != pans) {
        std::abort();
    }
    return 0;
}
