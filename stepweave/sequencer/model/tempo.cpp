#include "stepweave/sequencer/model/tempo.h"

#include <algorithm>

namespace stepweave {

namespace {

constexpr int kBpmNumerator = 7200;

}  // namespace

int LimitDelay(int delay) { return std::clamp(delay, kFastestDelay, kSlowestDelay); }

int LimitLoop(int loop) { return std::max(loop, kFewestLoops); }

int StepIntervalMilliseconds(int delay) { return 2 * delay; }

int BeatsPerMinute(int delay) {
    const int quotient = kBpmNumerator / delay;
    const int twiceRemainder = 2 * (kBpmNumerator % delay);
    if (twiceRemainder > delay || (twiceRemainder == delay && quotient % 2 == 1)) {
        return quotient + 1;
    }
    return quotient;
}

std::string BpmText(int delay) { return std::to_string(BeatsPerMinute(delay)); }

}  // namespace stepweave
