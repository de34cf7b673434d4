#pragma once
// The text of a private profile (INI) file held as lines, with the lookups and
// edits of the platform's profile functions: sections ("[name]") and keys
// ("key=value") are found without regard to letter case, the first of equal
// names wins, values are returned as written (surrounding blanks and one pair
// of enclosing quotes removed), and an edit changes only the lines it concerns:
// comments, blank lines and unknown lines survive every rewrite.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace voxnote {

class ProfileDocument {
public:
    ProfileDocument() = default;
    explicit ProfileDocument(std::string_view text);

    // The file text: every line ends with a line feed.
    std::string Text() const;

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;
    // In file order, as written in the headers (trimmed).
    std::vector<std::string> SectionNames() const;
    std::vector<std::string> KeyNames(std::string_view section) const;

    // Replaces the key's line, or adds it at the end of the section, adding the
    // section at the end of the file when missing. False (nothing changed) when
    // the names or the value cannot be stored on one line.
    bool SetValue(std::string_view section, std::string_view key, std::string_view value);
    // True when a key or section was found and removed.
    bool RemoveKey(std::string_view section, std::string_view key);
    bool RemoveSection(std::string_view section);

private:
    std::optional<size_t> FindSection(std::string_view section) const;
    size_t SectionEnd(size_t headerLine) const;
    std::optional<size_t> FindKey(size_t headerLine, std::string_view key) const;

    std::vector<std::string> lines_;
};

}  // namespace voxnote
