#pragma once
// The line-oriented text of the pattern, song and panning files: one value per
// line. Reading splits at CR LF, CR or LF; writing ends every line with CR LF.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace stepweave {

// Our text files are a few kilobytes; anything above this is refused unread.
inline constexpr int64_t kLargestTextFile = 4 * 1024 * 1024;

// The lines of a text, read-only. A line asked for past the end reads as an
// empty text, so a short file reads as if it went on with empty lines.
class TextLines {
public:
    TextLines() = default;
    explicit TextLines(std::string text);

    size_t Count() const { return spans_.size(); }
    std::string_view At(size_t index) const;
    std::string Copy(size_t index) const { return std::string(At(index)); }

private:
    struct Span {
        size_t begin;
        size_t length;
    };
    std::string text_;
    std::vector<Span> spans_;
};

// The whole file's lines. FileOpenError "Cannot open file %s" when it cannot be
// opened; FileTooLargeError when it is larger than kLargestTextFile.
TextLines ReadTextFile(const std::string& path);

// Builds a file's text line by line, each line followed by CR LF. A line break
// inside a value would shift every later line, so CR and LF in a value are
// written as spaces.
class LineWriter {
public:
    void Add(std::string_view line);
    void Add(int number);
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

}  // namespace stepweave
