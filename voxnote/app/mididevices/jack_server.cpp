#include "voxnote/app/mididevices/jack_server.h"

#include <jack/jack.h>

namespace voxnote {

namespace {

void Quiet(const char*) {}

}  // namespace

bool JackServerRunning() {
    // JACK reports through one callback for the whole process: kept quiet
    // while it is asked, then given back.
    void (*const reportError)(const char*) = jack_error_callback;
    void (*const reportInfo)(const char*) = jack_info_callback;
    jack_set_error_function(&Quiet);
    jack_set_info_function(&Quiet);
    jack_status_t status{};
    jack_client_t* client = jack_client_open("voxnote-look", JackNoStartServer, &status);
    if (client != nullptr) {
        jack_client_close(client);
    }
    jack_set_error_function(reportError);
    jack_set_info_function(reportInfo);
    return client != nullptr;
}

}  // namespace voxnote
