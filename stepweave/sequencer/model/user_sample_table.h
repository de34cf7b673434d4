#pragma once
// The user samples' settings as plain data: what the files say, without
// opening any sound. Used where there are no streams (headless tools, tests)
// and as the record a stream binding can start from.
#include <array>
#include <string>

#include "stepweave/sequencer/model/user_sample_slots.h"

namespace stepweave {

struct UserSampleSetting {
    std::string fileName{kBlankWaveFileName};
    int frequency = kBlankSampleFrequency;
    int baseFrequency = kBlankSampleFrequency;
    int pan = 0;
};

class UserSampleTable : public UserSampleSlots {
public:
    // blankFrequency: the sample rate of the blank file in use.
    explicit UserSampleTable(int blankFrequency = kBlankSampleFrequency);

    std::string FileName(int sample) const override { return Setting(sample).fileName; }
    int Frequency(int sample) const override { return Setting(sample).frequency; }
    int Pan(int sample) const override { return Setting(sample).pan; }

    // Records the file name. Loading the blank file empties the slot: its
    // frequencies return to the blank file's rate. Another file keeps the
    // frequencies until they are set, as the files always do next.
    void Load(int sample, const std::string& fileName) override;
    void SetBaseFrequency(int sample, int hertz) override { Setting(sample).baseFrequency = hertz; }
    void SetFrequency(int sample, int hertz) override { Setting(sample).frequency = hertz; }
    void SetPan(int sample, int pan) override { Setting(sample).pan = pan; }

    // Samples 1..32; std::out_of_range outside.
    const UserSampleSetting& Setting(int sample) const;
    UserSampleSetting& Setting(int sample);

private:
    int blankFrequency_;
    std::array<UserSampleSetting, kUserSampleCount> settings_;
};

}  // namespace stepweave
