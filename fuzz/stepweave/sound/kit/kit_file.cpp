// Loads arbitrary bytes as a kit; whatever loads must save and load back
// to the same names and waves, and save again to the same bytes.
#include <cstdint>
#include <cstdlib>

#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/kit/wave_collection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace stepweave;
    MemoryStream input(data, static_cast<int64_t>(size));
    WaveCollection kit;
    try {
        kit.LoadFromStream(input);
    } catch (const StepweaveError&) {
        // The items read before the damage stay usable.
        for (int i = 0; i < kit.Count(); ++i) {
            kit.IndexOf(kit.Items(i).Name());
        }
        return 0;
    }
    MemoryStream saved;
    kit.SaveToStream(saved);
    saved.SetPosition(0);
    WaveCollection again;
    again.LoadFromStream(saved);
    if (again.Count() != kit.Count()) {
        std::abort();
    }
    for (int i = 0; i < kit.Count(); ++i) {
        if (again.Items(i).Name() != kit.Items(i).Name() ||
            again.Items(i).Wave().Image() != kit.Items(i).Wave().Image()) {
            std::abort();
        }
    }
    MemoryStream savedAgain;
    again.SaveToStream(savedAgain);
    if (savedAgain.Bytes() != saved.Bytes()) {
        std::abort();
    }
    return 0;
}
