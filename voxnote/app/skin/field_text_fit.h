#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace voxnote {

// The longest a display field's text can be, in characters.
constexpr int kFieldTextMaxCharacters = 20;

// Cuts a UTF-8 text to its first 20 characters, then drops one character at a
// time from its end until widthOf(text) fits the field's width. A character is
// never split.
std::string FitFieldText(std::string_view text, int fieldWidth,
                         const std::function<int(std::string_view)>& widthOf);

}  // namespace voxnote
