#pragma once
// The library of stored patterns: "<Blank>", which names no pattern and always
// stands first, then the pattern names sorted with letter case ignored. One
// entry may be selected. Names are compared exactly when searched.
#include <string>
#include <string_view>
#include <vector>

namespace stepweave {

inline constexpr const char* kBlankPatternEntry = "<Blank>";

// Whether a text can name a stored pattern: not empty, not "<Blank>", no
// folder separator (a pattern file lies in the start folder and nowhere
// else), no line break, and not beginning with "<*" (which a song file would
// read as its first sample block).
bool IsPatternName(std::string_view name);

class PatternLibrary {
public:
    static constexpr int kNoSelection = -1;

    PatternLibrary();

    int Count() const { return static_cast<int>(names_.size()); }
    const std::string& Name(int index) const { return names_.at(static_cast<size_t>(index)); }
    const std::vector<std::string>& Names() const { return names_; }

    bool Contains(const std::string& name) const { return IndexOf(name) != kNoSelection; }
    int IndexOf(const std::string& name) const;

    // Inserts the name at its sorted place (after equal names). A text that
    // cannot name a pattern (see IsPatternName) is not added.
    void Add(const std::string& name);
    // Removes an entry; "<Blank>" (index 0) stays.
    void RemoveAt(int index);

    int SelectedIndex() const { return selected_; }
    // Selects an entry, or nothing for kNoSelection or an index out of range.
    void Select(int index);
    // The selected name, or "" when nothing is selected.
    std::string SelectedName() const;

private:
    std::vector<std::string> names_;
    int selected_ = kNoSelection;
};

// The names of the pattern files (name + ".pat") in a folder, in no order;
// files whose name cannot name a pattern are left out.
// A missing or unreadable folder has none.
std::vector<std::string> PatternNamesInFolder(const std::string& folder);

}  // namespace stepweave
