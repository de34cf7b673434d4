#pragma once
// The play list: pattern names in playing order, each with a check mark that
// only selects it for removal. An entry names a pattern file; the same name
// may stand many times. One entry may be selected.
#include <string>
#include <vector>

namespace stepweave {

struct PlayListEntry {
    std::string name;
    bool checked = false;
};

class PlayList {
public:
    static constexpr int kNoSelection = -1;

    int Count() const { return static_cast<int>(entries_.size()); }
    bool Empty() const { return entries_.empty(); }
    const PlayListEntry& Entry(int index) const { return entries_.at(static_cast<size_t>(index)); }
    const std::string& Name(int index) const { return Entry(index).name; }
    // The names in order, as a song is played and stored.
    std::vector<std::string> Names() const;

    bool Contains(const std::string& name) const;

    void Append(const std::string& name);
    void RemoveAt(int index);
    // Removes every entry of that name.
    void RemoveAll(const std::string& name);
    // Removes every checked entry; the others keep their order.
    void RemoveChecked();
    void Clear();
    void SetChecked(int index, bool checked);

    // Exchange the selected entry with its neighbour; the selection moves with
    // it. Nothing happens at the ends or without a selection.
    void MoveSelectedUp();
    void MoveSelectedDown();

    int SelectedIndex() const { return selected_; }
    // Selects an entry, or nothing for kNoSelection or an index out of range.
    void Select(int index);

private:
    // Removes the entries the predicate picks; the selection stays on its
    // entry, or is dropped when that entry goes.
    template <typename Predicate>
    void RemoveWhere(Predicate picks);

    std::vector<PlayListEntry> entries_;
    int selected_ = kNoSelection;
};

}  // namespace stepweave
