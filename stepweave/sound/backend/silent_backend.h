#pragma once
// STEPWEAVE_AUDIO=null: a device that plays into nothing. It takes the mix in
// real time like a sound card, so everything runs, times and ends as it
// would with one, on a machine that has none.
#include "stepweave/sound/backend/paced_backend.h"

namespace stepweave {

class SilentBackend : public PacedBackend {
public:
    // The thread stops before the object goes.
    ~SilentBackend() override { Stop(); }

    bool Open() override { return true; }

protected:
    void Deliver(const float*, int) override {}
};

}  // namespace stepweave
