#pragma once
// A pattern's tempo and repeat count as the main window holds them: the Delay
// slider (1..140, one step lasts 2 x Delay milliseconds) and the Loop field
// (how often a pattern plays in a row within a song, at least 1).
#include <string>

namespace stepweave {

inline constexpr int kSlowestDelay = 140;
inline constexpr int kFastestDelay = 1;
inline constexpr int kDefaultDelay = 60;
inline constexpr int kFewestLoops = 1;
inline constexpr int kDefaultLoop = 1;

// A tempo read from a file, limited to the slider's range.
int LimitDelay(int delay);
// A repeat count below 1 becomes 1.
int LimitLoop(int loop);

int StepIntervalMilliseconds(int delay);

// 7200 / delay rounded to the nearest integer, a half to the even neighbour
// (delay 64 shows 112). delay must be at least 1.
int BeatsPerMinute(int delay);
std::string BpmText(int delay);

}  // namespace stepweave
