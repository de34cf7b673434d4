#pragma once
// The length/beat choices offered to the user ("16 | 4": 16 steps, a bar,
// 4 steps per beat) and how a choice, or a typed text, splits into the
// length and beat fields that "Update Time" applies.
#include <array>
#include <string>
#include <string_view>

namespace stepweave {

inline constexpr std::array<std::string_view, 24> kTimeBarChoices = {
    "16 | 4",  "16 | 8",  "16 | 16", "8  | 8",  "8  | 4",  "8  | 2",  "4  | 4",  "4  | 2 ",
    "12 | 4 ", "24 | 4 ", "24 | 8 ", "32 | 16", "32 | 8 ", "32 | 4 ", "64 | 32", "64 | 16",
    "64 | 8 ", "64 | 4 ", "3  | 3 ", "9  | 3 ", "12 | 3 ", "15 | 3 ", "7  | 4",  "7  | 7",
};

struct TimeBarFields {
    std::string length;
    std::string beat;
};

// The length is the item's first two characters, only the first when the
// second is a space; the beat is the item without its first five characters,
// again only the first when the second is a space. "16 | 4" gives 16 and 4,
// "4  | 2 " gives 4 and 2, "64 | 32" gives 64 and 32. Short typed texts give
// what is there (possibly empty fields).
TimeBarFields SplitTimeBarItem(std::string_view item);

}  // namespace stepweave
