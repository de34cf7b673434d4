#pragma once
// Ctrl+C (and a polite kill) while a headless command runs: instead of ending
// the program at once, the signal is noted so that the command can stop its
// sound and close its files cleanly; a second signal ends the program as
// usual. Only while an InterruptSignal exists;
// the previous handling comes back when it goes.
namespace stepweave {

class InterruptSignal {
public:
    InterruptSignal();
    ~InterruptSignal();
    InterruptSignal(const InterruptSignal&) = delete;
    InterruptSignal& operator=(const InterruptSignal&) = delete;

    // Whether the signal came since this object was made.
    static bool Requested();
    // Acts as if the signal had come (tests).
    static void Request();
};

}  // namespace stepweave
