// jack_midi_probe COUNT: measures, on a running JACK server, how long after a
// MIDI note-on the sound it plays reaches JACK. A client of its own sends a
// kick (note 36, velocity 127) every quarter of a second from its MIDI
// output "probe:out" and listens on its audio input "probe:in"; connect the
// output to the program's MIDI input and the program's audio output to the
// input (the caller does, with jack_connect). For each note it prints the
// frames and milliseconds from the frame the note was sent at to the first
// frame of the input louder than 1% of full scale, and at the end the
// smallest, median and largest delay and JACK's period.
#include <jack/jack.h>
#include <jack/midiport.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

constexpr jack_nframes_t kNoteSpacing = 11025;  // frames at 44100 Hz
constexpr float kLoud = 0.01f;

struct Probe {
    jack_port_t* out = nullptr;
    jack_port_t* in = nullptr;
    jack_nframes_t frame = 0;        // frames processed so far
    jack_nframes_t nextNote = 22050; // the first note after half a second
    jack_nframes_t sentAt = 0;
    bool waiting = false;
    int wanted = 0;
    std::vector<long> delays;        // frames, written by the process thread
    std::atomic<int> measured{0};
};

int Process(jack_nframes_t frames, void* arg) {
    Probe& probe = *static_cast<Probe*>(arg);
    void* midi = jack_port_get_buffer(probe.out, frames);
    jack_midi_clear_buffer(midi);
    const auto* audio = static_cast<const float*>(jack_port_get_buffer(probe.in, frames));
    for (jack_nframes_t i = 0; i < frames; ++i) {
        const jack_nframes_t at = probe.frame + i;
        if (probe.waiting && std::fabs(audio[i]) > kLoud) {
            probe.delays.push_back(static_cast<long>(at - probe.sentAt));
            probe.waiting = false;
            probe.measured.fetch_add(1);
        }
        if (!probe.waiting && at >= probe.nextNote && static_cast<int>(probe.delays.size()) < probe.wanted) {
            if (unsigned char* bytes = jack_midi_event_reserve(midi, i, 3)) {
                bytes[0] = 0x99;
                bytes[1] = 36;
                bytes[2] = 127;
                probe.sentAt = at;
                probe.waiting = true;
                probe.nextNote = at + kNoteSpacing;
            }
        }
    }
    probe.frame += frames;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Probe probe;
    probe.wanted = argc > 1 ? std::atoi(argv[1]) : 20;
    jack_client_t* client = jack_client_open("probe", JackNoStartServer, nullptr);
    if (client == nullptr) {
        std::fprintf(stderr, "no JACK server\n");
        return 2;
    }
    probe.out = jack_port_register(client, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    probe.in = jack_port_register(client, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    probe.delays.reserve(static_cast<size_t>(probe.wanted));
    jack_set_process_callback(client, &Process, &probe);
    jack_activate(client);
    const double rate = jack_get_sample_rate(client);
    const jack_nframes_t period = jack_get_buffer_size(client);
    std::printf("ready\n");
    std::fflush(stdout);
    for (int wait = 0; wait < 600 && probe.measured.load() < probe.wanted; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    jack_deactivate(client);
    std::vector<long> delays = probe.delays;
    jack_client_close(client);
    if (delays.empty()) {
        std::fprintf(stderr, "no note was heard\n");
        return 1;
    }
    for (size_t i = 0; i < delays.size(); ++i) {
        std::printf("note %zu: %ld frames, %.2f ms\n", i + 1, delays[i], delays[i] * 1000.0 / rate);
    }
    std::sort(delays.begin(), delays.end());
    std::printf("%zu notes: from note-on to sound %.2f .. %.2f ms (median %.2f ms); JACK's period is %u frames, %.2f ms\n",
                delays.size(), delays.front() * 1000.0 / rate, delays.back() * 1000.0 / rate,
                delays[delays.size() / 2] * 1000.0 / rate, period, period * 1000.0 / rate);
    return 0;
}
