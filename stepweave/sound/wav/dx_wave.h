#pragma once
// A component that owns one wave and publishes it as Wave; setting Wave
// copies the given wave.
#include "stepweave/sound/wav/wave.h"

namespace stepweave {

class TCustomDXWave {
public:
    virtual ~TCustomDXWave() = default;

    TWave& Wave() { return wave_; }
    const TWave& Wave() const { return wave_; }
    void SetWave(const TWave& wave) { wave_.Assign(&wave); }

private:
    TWave wave_;
};

class TDXWave : public TCustomDXWave {};

}  // namespace stepweave
