#include "voxnote/app/display/word_wrap.h"

namespace voxnote {

std::vector<std::string> WrapAtSpaces(std::string_view text, int width,
                                      const std::function<int(std::string_view)>& measure) {
    std::vector<std::string> lines;
    std::string line;
    size_t start = 0;
    while (start < text.size()) {
        const size_t space = text.find(' ', start);
        const size_t end = space == std::string_view::npos ? text.size() : space;
        const std::string_view word = text.substr(start, end - start);
        start = end + 1;
        if (word.empty()) {
            continue;
        }
        const std::string longer = line.empty() ? std::string(word) : line + ' ' + std::string(word);
        if (line.empty() || measure(longer) <= width) {
            line = longer;
        } else {
            lines.push_back(line);
            line = std::string(word);
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace voxnote
