#include "stepweave/sequencer/model/integer_text.h"

#include <cstdint>
#include <cstdio>
#include <limits>

#include "stepweave/sound/files/errors.h"

namespace stepweave {

namespace {

constexpr size_t kLongestShownText = 100;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

[[noreturn]] void FailNotAnInteger(std::string_view text) {
    throw IntegerTextError(FormatMessage("'%s' is not a valid integer value", TextForMessage(text)));
}

// The length of the UTF-8 sequence of a printable character at the start of
// `text`, or 0 when its first byte begins none: a control character, or a
// byte of binary data.
size_t PrintableSequenceLength(std::string_view text) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return lead >= 0x20 && lead != 0x7F ? 1 : 0;
    }
    // The lead byte gives the length and the range of the second byte, which
    // excludes the C1 controls, overlong forms, surrogates and values past U+10FFFF.
    struct Form {
        unsigned char firstLead, lastLead;
        size_t length;
        unsigned char lowestSecond, highestSecond;
    };
    static constexpr Form kForms[] = {
        {0xC2, 0xC2, 2, 0xA0, 0xBF}, {0xC3, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF},
        {0xE1, 0xEC, 3, 0x80, 0xBF}, {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF},
        {0xF0, 0xF0, 4, 0x90, 0xBF}, {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
    };
    for (const Form& form : kForms) {
        if (lead < form.firstLead || lead > form.lastLead) {
            continue;
        }
        if (text.size() < form.length || byte(1) < form.lowestSecond || byte(1) > form.highestSecond) {
            return 0;
        }
        for (size_t i = 2; i < form.length; ++i) {
            if ((byte(i) & 0xC0) != 0x80) {
                return 0;
            }
        }
        return form.length;
    }
    return 0;
}

}  // namespace

std::string TextForMessage(std::string_view text) {
    std::string message;
    size_t at = 0;
    while (at < text.size() && at < kLongestShownText) {
        const size_t length = PrintableSequenceLength(text.substr(at));
        if (length > 0) {
            message.append(text.substr(at, length));
            at += length;
            continue;
        }
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(text[at]));
        message += escaped;
        ++at;
    }
    return at < text.size() ? message + "..." : message;
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
