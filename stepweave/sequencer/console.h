#pragma once
// The terminal a headless command runs in: whether output goes to a terminal
// (where a progress bar makes sense), and Ctrl+C as a request to stop. The
// first Ctrl+C only sets a flag that the command polls, so that it can end
// cleanly (a render then saves what it has); a second one ends the program at
// once, as Ctrl+C normally does.
#include <cstdio>

namespace stepweave::console {

bool IsTerminal(std::FILE* stream);

// Catches Ctrl+C while it exists; the previous handling comes back after.
// One at a time.
class InterruptRequest {
public:
    InterruptRequest();
    ~InterruptRequest();
    InterruptRequest(const InterruptRequest&) = delete;
    InterruptRequest& operator=(const InterruptRequest&) = delete;

    // True once Ctrl+C was pressed.
    bool Requested() const;
};

}  // namespace stepweave::console
