#include "stepweave/sequencer/model/time_bar.h"

namespace stepweave {

namespace {

constexpr size_t kBeatOffset = 5;

// The text, or only its first character when the second is a space.
std::string FieldOf(std::string_view text) {
    if (text.size() >= 2 && text[1] == ' ') {
        return std::string(text.substr(0, 1));
    }
    return std::string(text);
}

}  // namespace

TimeBarFields SplitTimeBarItem(std::string_view item) {
    TimeBarFields fields;
    fields.length = FieldOf(item.substr(0, 2));
    if (item.size() > kBeatOffset) {
        fields.beat = FieldOf(item.substr(kBeatOffset));
    }
    return fields;
}

}  // namespace stepweave
