#include "stepweave/sequencer/console.h"

#include <csignal>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace stepweave::console {

namespace {

volatile std::sig_atomic_t interrupted = 0;
using SignalHandler = void (*)(int);
SignalHandler previousHandler = SIG_DFL;

void OnInterrupt(int signal) {
    interrupted = 1;
    // The next Ctrl+C is handled as usual: it ends the program.
    std::signal(signal, SIG_DFL);
}

}  // namespace

bool IsTerminal(std::FILE* stream) {
#if defined(_WIN32)
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

InterruptRequest::InterruptRequest() {
    interrupted = 0;
    previousHandler = std::signal(SIGINT, OnInterrupt);
    if (previousHandler == SIG_ERR) {
        previousHandler = SIG_DFL;
    }
}

InterruptRequest::~InterruptRequest() { std::signal(SIGINT, previousHandler); }

bool InterruptRequest::Requested() const { return interrupted != 0; }

}  // namespace stepweave::console
