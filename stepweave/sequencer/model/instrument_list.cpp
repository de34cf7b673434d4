#include "stepweave/sequencer/model/instrument_list.h"

#include <array>
#include <string>

#include "stepweave/sound/kit/kit_layout.h"

namespace stepweave {

namespace {

static_assert(kKitSlotCount == InstrumentList::kLastKitInstrument + 1,
              "the kit's slots are the instrument list's first entries");

const std::array<std::string, InstrumentList::kCount>& Labels() {
    static const auto labels = [] {
        std::array<std::string, InstrumentList::kCount> all;
        for (int i = 0; i < kKitSlotCount; ++i) {
            all[i] = std::string(kKitSlotNames[i]);
        }
        for (int i = InstrumentList::kFirstUserSample; i <= InstrumentList::kLastUserSample; ++i) {
            all[i] = "Sample" + std::to_string(InstrumentList::UserSampleNumber(i));
        }
        return all;
    }();
    return labels;
}

char LowerCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerCase(a[i]) != LowerCase(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string_view InstrumentList::Label(int index) {
    if (index < 0 || index >= kCount) {
        return {};
    }
    return Labels()[index];
}

int InstrumentList::IndexOf(std::string_view text) {
    const auto& labels = Labels();
    for (int i = 0; i < kCount; ++i) {
        if (EqualIgnoringCase(labels[i], text)) {
            return i;
        }
    }
    return kNotFound;
}

}  // namespace stepweave
