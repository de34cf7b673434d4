#include "stepweave/sequencer/model/pattern_library.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace stepweave {

namespace {

constexpr std::string_view kPatternExtension = ".pat";

char LowerCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return LowerCase(x) < LowerCase(y); });
}

}  // namespace

bool IsPatternName(std::string_view name) {
    return !name.empty() && name != kBlankPatternEntry && name.find_first_of("/\\\r\n") == std::string_view::npos &&
           !name.starts_with("<*");
}

PatternLibrary::PatternLibrary() : names_{kBlankPatternEntry} {}

int PatternLibrary::IndexOf(const std::string& name) const {
    const auto found = std::find(names_.begin(), names_.end(), name);
    return found == names_.end() ? kNoSelection : static_cast<int>(found - names_.begin());
}

void PatternLibrary::Add(const std::string& name) {
    if (!IsPatternName(name)) {
        return;
    }
    const auto place = std::upper_bound(names_.begin() + 1, names_.end(), name, LessIgnoringCase);
    const int index = static_cast<int>(place - names_.begin());
    names_.insert(place, name);
    if (selected_ >= index) {
        ++selected_;
    }
}

void PatternLibrary::RemoveAt(int index) {
    if (index <= 0 || index >= Count()) {
        return;
    }
    names_.erase(names_.begin() + index);
    if (selected_ == index) {
        selected_ = kNoSelection;
    } else if (selected_ > index) {
        --selected_;
    }
}

void PatternLibrary::Select(int index) { selected_ = index >= 0 && index < Count() ? index : kNoSelection; }

std::string PatternLibrary::SelectedName() const { return selected_ == kNoSelection ? std::string() : names_[selected_]; }

std::vector<std::string> PatternNamesInFolder(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        std::error_code typeError;
        if (!entry->is_regular_file(typeError)) {
            continue;
        }
        const std::string fileName = entry->path().filename().string();
        if (!fileName.ends_with(kPatternExtension)) {
            continue;
        }
        std::string name = fileName.substr(0, fileName.size() - kPatternExtension.size());
        if (IsPatternName(name)) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

}  // namespace stepweave
