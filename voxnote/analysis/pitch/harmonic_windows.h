#pragma once
// Harmonic intervals in pitch steps (120 * log2 n) with the tolerance the frame
// pitch decision uses everywhere.
#include <cstdint>

namespace voxnote {

struct StepWindow {
    int32_t low;
    int32_t high;
    constexpr bool Holds(int32_t difference) const { return difference >= low && difference <= high; }
};

// Above a fundamental: harmonics 2, 3, 4, 5, 6 and 7.
constexpr StepWindow kSecondAbove{118, 122};
constexpr StepWindow kThirdAbove{188, 192};
constexpr StepWindow kFourthAbove{238, 242};
constexpr StepWindow kFifthAbove{276, 281};
constexpr StepWindow kSixthAbove{308, 312};  // the strongest-candidate test only
constexpr StepWindow kSeventhAbove{335, 339};

// Below a candidate (as positive distances): 2, 7/3, 5/2, 3, 7/2, 4, 5 and 7.
constexpr StepWindow kWindowsBelow[] = {{118, 122}, {144, 149}, {156, 161}, {188, 192},
                                        {215, 219}, {238, 242}, {276, 281}, {335, 339}};

}  // namespace voxnote
