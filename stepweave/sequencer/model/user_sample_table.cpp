#include "stepweave/sequencer/model/user_sample_table.h"

#include <stdexcept>

namespace stepweave {

UserSampleTable::UserSampleTable(int blankFrequency) : blankFrequency_(blankFrequency) {
    for (auto& setting : settings_) {
        setting.frequency = blankFrequency;
        setting.baseFrequency = blankFrequency;
    }
}

void UserSampleTable::Load(int sample, const std::string& fileName) {
    UserSampleSetting& setting = Setting(sample);
    setting.fileName = fileName;
    if (IsBlankSampleFile(fileName)) {
        setting.frequency = blankFrequency_;
        setting.baseFrequency = blankFrequency_;
    }
}

const UserSampleSetting& UserSampleTable::Setting(int sample) const {
    if (sample < 1 || sample > kUserSampleCount) {
        throw std::out_of_range("user sample " + std::to_string(sample));
    }
    return settings_[sample - 1];
}

UserSampleSetting& UserSampleTable::Setting(int sample) {
    return const_cast<UserSampleSetting&>(static_cast<const UserSampleTable&>(*this).Setting(sample));
}

}  // namespace stepweave
