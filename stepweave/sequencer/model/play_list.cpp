#include "stepweave/sequencer/model/play_list.h"

#include <algorithm>
#include <utility>

namespace stepweave {

std::vector<std::string> PlayList::Names() const {
    std::vector<std::string> names;
    names.reserve(entries_.size());
    for (const auto& entry : entries_) {
        names.push_back(entry.name);
    }
    return names;
}

bool PlayList::Contains(const std::string& name) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const PlayListEntry& entry) { return entry.name == name; });
}

void PlayList::Append(const std::string& name) { entries_.push_back({name, false}); }

template <typename Predicate>
void PlayList::RemoveWhere(Predicate picks) {
    std::vector<PlayListEntry> kept;
    int newSelection = kNoSelection;
    for (int i = 0; i < Count(); ++i) {
        if (picks(i)) {
            continue;
        }
        if (i == selected_) {
            newSelection = static_cast<int>(kept.size());
        }
        kept.push_back(std::move(entries_[i]));
    }
    entries_ = std::move(kept);
    selected_ = newSelection;
}

void PlayList::RemoveAt(int index) {
    RemoveWhere([index](int i) { return i == index; });
}

void PlayList::RemoveAll(const std::string& name) {
    RemoveWhere([&](int i) { return entries_[i].name == name; });
}

void PlayList::RemoveChecked() {
    RemoveWhere([&](int i) { return entries_[i].checked; });
}

void PlayList::Clear() {
    entries_.clear();
    selected_ = kNoSelection;
}

void PlayList::SetChecked(int index, bool checked) { entries_.at(static_cast<size_t>(index)).checked = checked; }

void PlayList::MoveSelectedUp() {
    if (selected_ <= 0) {
        return;
    }
    std::swap(entries_[selected_], entries_[selected_ - 1]);
    --selected_;
}

void PlayList::MoveSelectedDown() {
    if (selected_ == kNoSelection || selected_ >= Count() - 1) {
        return;
    }
    std::swap(entries_[selected_], entries_[selected_ + 1]);
    ++selected_;
}

void PlayList::Select(int index) { selected_ = index >= 0 && index < Count() ? index : kNoSelection; }

}  // namespace stepweave
