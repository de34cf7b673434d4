#include "stepweave/sequencer/files/text_lines.h"

#include "stepweave/sequencer/model/sequencer_errors.h"
#include "stepweave/sound/files/byte_stream.h"

namespace stepweave {

TextLines::TextLines(std::string text) : text_(std::move(text)) {
    size_t start = 0;
    const size_t size = text_.size();
    for (size_t i = 0; i < size; ++i) {
        const char c = text_[i];
        if (c != '\r' && c != '\n') {
            continue;
        }
        spans_.push_back({start, i - start});
        if (c == '\r' && i + 1 < size && text_[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < size) {
        spans_.push_back({start, size - start});
    }
}

std::string_view TextLines::At(size_t index) const {
    if (index >= spans_.size()) {
        return {};
    }
    return std::string_view(text_).substr(spans_[index].begin, spans_[index].length);
}

TextLines ReadTextFile(const std::string& path) {
    FileStream file(path);
    const int64_t size = file.Size();
    if (size > kLargestTextFile) {
        throw FileTooLargeError(path);
    }
    std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
    file.ReadBuffer(text.data(), static_cast<int64_t>(text.size()));
    return TextLines(std::move(text));
}

void LineWriter::Add(std::string_view line) {
    const size_t start = text_.size();
    text_.append(line);
    for (size_t i = start; i < text_.size(); ++i) {
        if (text_[i] == '\r' || text_[i] == '\n') {
            text_[i] = ' ';
        }
    }
    text_.append("\r\n");
}

void LineWriter::Add(int number) { Add(std::to_string(number)); }

}  // namespace stepweave
