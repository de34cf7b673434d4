#include "voxnote/app/skin/field_text_fit.h"

namespace voxnote {

namespace {

bool IsContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Byte length of the first `characters` characters.
std::size_t PrefixLength(std::string_view text, int characters) {
    std::size_t end = 0;
    for (int counted = 0; end < text.size() && counted < characters; ++counted) {
        ++end;
        while (end < text.size() && IsContinuationByte(text[end])) {
            ++end;
        }
    }
    return end;
}

void DropLastCharacter(std::string& text) {
    while (!text.empty() && IsContinuationByte(text.back())) {
        text.pop_back();
    }
    if (!text.empty()) {
        text.pop_back();
    }
}

}  // namespace

std::string FitFieldText(std::string_view text, int fieldWidth,
                         const std::function<int(std::string_view)>& widthOf) {
    std::string fitted(text.substr(0, PrefixLength(text, kFieldTextMaxCharacters)));
    while (!fitted.empty() && widthOf(fitted) > fieldWidth) {
        DropLastCharacter(fitted);
    }
    return fitted;
}

}  // namespace voxnote
