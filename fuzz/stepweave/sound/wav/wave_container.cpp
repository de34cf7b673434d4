// Loads arbitrary bytes as a wave; whatever loads must save and load back
// to the same format record and sample data.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/wav/wave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace stepweave;
    TMemoryStream input(data, static_cast<int64_t>(size));
    TWave wave;
    try {
        wave.LoadFromStream(input);
    } catch (const EStepweaveError&) {
        return 0;
    }
    TMemoryStream image(wave.Image());
    TWave again;
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
