#include "stepweave/sequencer/model/integer_text.h"

#include <cstdint>
#include <limits>

#include "stepweave/sound/files/errors.h"

namespace stepweave {

namespace {

constexpr size_t kLongestShownText = 100;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

[[noreturn]] void FailNotAnInteger(std::string_view text) {
    throw IntegerTextError(FormatMessage("'%s' is not a valid integer value", TextForMessage(text)));
}

}  // namespace

std::string TextForMessage(std::string_view text) {
    if (text.size() <= kLongestShownText) {
        return std::string(text);
    }
    return std::string(text.substr(0, kLongestShownText)) + "...";
}

int ParseInteger(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    bool negative = false;
    if (begin < end && (text[begin] == '+' || text[begin] == '-')) {
        negative = text[begin] == '-';
        ++begin;
    }
    if (begin == end) {
        FailNotAnInteger(text);
    }
    // The magnitude may reach 2^31 for the most negative value.
    constexpr int64_t kLargestMagnitude = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (size_t i = begin; i < end; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') {
            FailNotAnInteger(text);
        }
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLargestMagnitude) {
            FailNotAnInteger(text);
        }
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max()) {
        FailNotAnInteger(text);
    }
    return static_cast<int>(value);
}

}  // namespace stepweave
