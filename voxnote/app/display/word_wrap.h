#pragma once
// Breaks a text into lines at its spaces only, so that a path such as
// "(/dev/snd/seq)" or a hyphenated word is never split: each line is as long
// as fits the width, and a word wider than the width has a line of its own.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace voxnote {

// measure: the width of a piece of text, in the same unit as width.
std::vector<std::string> WrapAtSpaces(std::string_view text, int width,
                                      const std::function<int(std::string_view)>& measure);

}  // namespace voxnote
