#include "voxnote/app/settings/preset_list.h"

#include <algorithm>
#include <optional>

namespace voxnote {

namespace {

bool IsLineEnd(char c) {
    return c == '\n' || c == '\f' || c == '\r' || c == 26;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    bool less = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                             [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
    bool greater = std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                                [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
    return less || (!greater && a < b);
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

// The profile lookups ignore case, so "last used" is the "Last Used" section.
bool IsReservedSection(std::string_view name) {
    return EqualIgnoringCase(name, "Mixer Location") || EqualIgnoringCase(name, "Last Used") ||
           EqualIgnoringCase(name, "System Settings");
}

std::optional<std::string_view> SectionNameOnLine(std::string_view line) {
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ';' || line[i] == '=') {
            return std::nullopt;
        }
        if (line[i] == '[') {
            std::string_view rest = line.substr(i + 1);
            return rest.substr(0, rest.find(']'));
        }
    }
    return std::nullopt;
}

// Every section name of the complete lines, in file order, as far as the
// collection buffer holds them.
std::vector<std::string> CollectSectionNames(std::string_view text) {
    std::vector<std::string> names;
    size_t bytesUsed = 0;
    size_t lineStart = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!IsLineEnd(text[i])) {
            continue;
        }
        std::optional<std::string_view> name = SectionNameOnLine(text.substr(lineStart, i - lineStart));
        while (i + 1 < text.size() && IsLineEnd(text[i + 1])) {
            ++i;
        }
        lineStart = i + 1;
        if (!name || name->empty()) {
            continue;
        }
        if (bytesUsed + name->size() + 1 > kPresetNameBufferBytes) {
            break;
        }
        bytesUsed += name->size() + 1;
        names.emplace_back(*name);
    }
    return names;
}

}  // namespace

std::vector<std::string> PresetNamesInProfileText(std::string_view text) {
    std::vector<std::string> names = CollectSectionNames(text);
    std::erase_if(names, [](const std::string& name) { return IsReservedSection(name); });
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

}  // namespace voxnote
