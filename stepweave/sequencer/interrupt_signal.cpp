#include "stepweave/sequencer/interrupt_signal.h"

#include <csignal>

namespace stepweave {

namespace {

volatile std::sig_atomic_t requested = 0;

extern "C" void NoteInterrupt(int) { requested = 1; }

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
