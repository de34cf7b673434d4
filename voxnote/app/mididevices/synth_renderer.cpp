#include "voxnote/app/mididevices/synth_renderer.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>

#include "voxnote/app/midi/short_message.h"
#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

// The synthesizer's warnings (a voice missing from the soundfont, say)
// would be printed from the audio thread: keep them quiet. Errors, which
// come from loading, still show.
void QuietenSynthesizerWarnings() {
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
}

fluid_settings_t* RendererSettings(double sampleRate) {
    fluid_settings_t* settings = new_fluid_settings();
    if (settings) {
        fluid_settings_setnum(settings, "synth.sample-rate", sampleRate);
        fluid_settings_setint(settings, "synth.threadsafe-api", 0);
        fluid_settings_setint(settings, "synth.cpu-cores", 1);
        fluid_settings_setnum(settings, "synth.gain", 1.0);
    }
    return settings;
}

}  // namespace

std::unique_ptr<SynthRenderer> SynthRenderer::Create(const std::filesystem::path& soundfont, double sampleRate,
                                                     std::string& failure) {
    QuietenSynthesizerWarnings();
    fluid_settings_t* settings = RendererSettings(sampleRate);
    fluid_synth_t* synth = settings ? new_fluid_synth(settings) : nullptr;
    if (!synth) {
        if (settings) {
            delete_fluid_settings(settings);
        }
        failure = Text(strings::kSynthesizerNotStarted);
        return nullptr;
    }
    std::unique_ptr<SynthRenderer> renderer(new SynthRenderer(settings, synth, sampleRate));
    if (fluid_synth_sfload(synth, soundfont.string().c_str(), 1) == FLUID_FAILED) {
        failure = FormatText(strings::kSoundfontUnreadable, {soundfont.string()});
        return nullptr;
    }
    return renderer;
}

SynthRenderer::SynthRenderer(fluid_settings_t* settings, fluid_synth_t* synth, double sampleRate)
    : settings_(settings), synth_(synth), sampleRate_(sampleRate) {}

SynthRenderer::~SynthRenderer() {
    delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
}

bool SynthRenderer::Post(uint32_t message, int64_t dueUs) {
    return pending_.Push({message, dueUs});
}

void SynthRenderer::Render(float* interleaved, unsigned frames, int64_t bufferStartUs) {
    unsigned rendered = 0;
    while (rendered < frames) {
        // Apply what is due by the next frame; render up to the next message.
        unsigned until = frames;
        TimedMessage next;
        while (pending_.Peek(next)) {
            const double ahead = next.dueUs == kAtOnce ? 0 : static_cast<double>(next.dueUs - bufferStartUs);
            const double frame = std::max(0.0, ahead * sampleRate_ / 1e6);
            if (frame > rendered) {
                until = static_cast<unsigned>(std::min<double>(frames, std::ceil(frame)));
                break;
            }
            pending_.Drop();
            Apply(next.message);
        }
        float* start = interleaved + 2 * rendered;
        fluid_synth_write_float(synth_, static_cast<int>(until - rendered), start, 0, 2, start, 1, 2);
        rendered = until;
    }
}

int SynthRenderer::ActiveVoices() const {
    return fluid_synth_get_active_voice_count(synth_);
}

bool SynthRenderer::HasPending() const {
    TimedMessage next;
    return pending_.Peek(next);
}

void SynthRenderer::Apply(uint32_t message) {
    const uint8_t status = StatusOf(message);
    const int channel = status & 0x0F;
    const int first = FirstDataOf(message);
    const int second = SecondDataOf(message);
    switch (status & 0xF0) {
    case kNoteOff:
        fluid_synth_noteoff(synth_, channel, first);
        break;
    case kNoteOn:
        if (second == 0) {
            fluid_synth_noteoff(synth_, channel, first);
        } else {
            fluid_synth_noteon(synth_, channel, first, second);
        }
        break;
    case 0xA0:
        fluid_synth_key_pressure(synth_, channel, first, second);
        break;
    case kControlChange:
        fluid_synth_cc(synth_, channel, first, second);
        break;
    case kProgramChange:
        fluid_synth_program_change(synth_, channel, first);
        break;
    case 0xD0:
        fluid_synth_channel_pressure(synth_, channel, first);
        break;
    case 0xE0:
        fluid_synth_pitch_bend(synth_, channel, first | (second << 7));
        break;
    default:
        if (status == 0xFF) {
            fluid_synth_system_reset(synth_);
        }
        break;
    }
}

}  // namespace voxnote
