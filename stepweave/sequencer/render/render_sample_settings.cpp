#include "stepweave/sequencer/render/render_sample_settings.h"

namespace stepweave {

RenderSampleSettings RenderSampleSettingsFrom(const UserSampleSlots& samples) {
    RenderSampleSettings settings;
    for (int sample = 1; sample <= kUserSampleCount; ++sample) {
        RenderSampleSetting& setting = settings[static_cast<size_t>(sample - 1)];
        setting.fileName = samples.FileName(sample);
        setting.frequency = samples.Frequency(sample);
        setting.pan = samples.Pan(sample);
    }
    return settings;
}

}  // namespace stepweave
