#pragma once
// What serves the main thread's timers while the program waits: the
// headless loop for commands, the window toolkit's loop for the windows.
#include <cstdint>
#include <functional>

namespace stepweave {

class MainLoop {
public:
    virtual ~MainLoop() = default;

    // Serves the timers until condition() holds, checking it after every
    // firing and at least every pollMilliseconds (0: only after firings).
    // Returns false when nothing is left that could make it hold: no timer
    // runs and there is no poll.
    virtual bool RunUntil(const std::function<bool()>& condition, uint32_t pollMilliseconds = 0) = 0;
    // Serves the timers for the given time.
    virtual void RunFor(uint32_t milliseconds) = 0;
};

}  // namespace stepweave
