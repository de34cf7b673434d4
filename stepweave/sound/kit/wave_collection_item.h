#pragma once
// One slot of a kit: a name and a wave, which a kit file stores, plus the
// pan and volume the slot plays with, which are runtime values only.
#include "stepweave/sound/kit/named_collection.h"
#include "stepweave/sound/wav/wave_data.h"

namespace stepweave {

class WaveCollection;

class WaveCollectionItem : public NamedItem {
public:
    explicit WaveCollectionItem(WaveCollection& collection);

    WaveCollection& Collection() const;

    WaveData& Wave() { return wave_; }
    const WaveData& Wave() const { return wave_; }
    void SetWave(const WaveData& wave) { wave_.Assign(&wave); }

    // Hundredths of a decibel: pan -10000 (left) ... 10000 (right);
    // volume 0 is full level, negative is quieter.
    int Pan() const { return pan_; }
    void SetPan(int pan) { pan_ = pan; }
    int Volume() const { return volume_; }
    void SetVolume(int volume) { volume_ = volume; }

private:
    WaveData wave_;
    int pan_ = 0;
    int volume_ = 0;
};

}  // namespace stepweave
