// Loads arbitrary bytes as a wave; whatever loads must save and load back
// to the same format record and sample data.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/wav/wave_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace stepweave;
    MemoryStream input(data, static_cast<int64_t>(size));
    WaveData wave;
    try {
        wave.LoadFromStream(input);
    } catch (const StepweaveError&) {
        return 0;
    }
    MemoryStream image(wave.Image());
    WaveData again;
    again.LoadFromStream(image);
    const bool written = wave.FormatSize() > 0 && wave.Size() > 0;
    const bool same = written ? again.FormatSize() == wave.FormatSize() && again.Size() == wave.Size() &&
                                    std::memcmp(again.Format(), wave.Format(), static_cast<size_t>(wave.FormatSize())) == 0 &&
                                    std::memcmp(again.Data(), wave.Data(), static_cast<size_t>(wave.Size())) == 0
                              : again.FormatSize() == 0 && again.Size() == 0;
    if (!same) {
        std::abort();
    }
    return 0;
}
