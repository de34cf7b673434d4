#include "stepweave/sequencer/cli/interrupt_signal.h"

#include <csignal>

namespace stepweave {

namespace {

volatile std::sig_atomic_t requested = 0;

// The first signal is noted; the next one is handled as usual and ends the
// program at once, for a command that does not stop when asked.
extern "C" void NoteInterrupt(int signal) {
    requested = 1;
    std::signal(signal, SIG_DFL);
}

using Handler = void (*)(int);
Handler previousInterrupt = SIG_DFL;
Handler previousTerminate = SIG_DFL;

}  // namespace

InterruptSignal::InterruptSignal() {
    requested = 0;
    previousInterrupt = std::signal(SIGINT, NoteInterrupt);
    previousTerminate = std::signal(SIGTERM, NoteInterrupt);
}

InterruptSignal::~InterruptSignal() {
    std::signal(SIGINT, previousInterrupt == SIG_ERR ? SIG_DFL : previousInterrupt);
    std::signal(SIGTERM, previousTerminate == SIG_ERR ? SIG_DFL : previousTerminate);
}

bool InterruptSignal::Requested() { return requested != 0; }

void InterruptSignal::Request() { requested = 1; }

}  // namespace stepweave
