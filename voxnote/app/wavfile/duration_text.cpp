#include "voxnote/app/wavfile/duration_text.h"

#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

// Three digits with leading zeros; a last "0" goes, and then a middle "0"
// too: 500 -> "5", 250 -> "25", 5 -> "005", 50 -> "05".
std::string FractionDigits(uint64_t fraction) {
    std::string digits = std::to_string(fraction);
    digits.insert(0, 3 - digits.size(), '0');
    if (digits[2] == '0') {
        digits.pop_back();
        if (digits[1] == '0') {
            digits.pop_back();
        }
    }
    return digits;
}

}  // namespace

std::string DurationText(uint64_t milliseconds) {
    const uint64_t minutes = milliseconds / 60000;
    const uint64_t seconds = (milliseconds % 60000) / 1000;
    const uint64_t fraction = milliseconds % 1000;
    std::string text;
    if (minutes > 0) {
        text += std::to_string(minutes) + Text(minutes == 1 ? strings::kUnitMinute : strings::kUnitMinutes);
    }
    if (seconds > 0) {
        text += std::to_string(seconds);
    }
    const std::string& secondsWord = Text(seconds == 1 ? strings::kUnitSecond : strings::kUnitSeconds);
    if (fraction > 0 && seconds > 0) {
        text += "." + FractionDigits(fraction) + secondsWord;
    } else if (fraction > 0) {
        if (minutes == 0) {
            text += std::to_string(fraction) + Text(strings::kUnitMilliseconds);
        }
    } else if (seconds > 0) {
        text += secondsWord;
    }
    return text;
}

}  // namespace voxnote
