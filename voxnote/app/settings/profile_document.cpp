#include "voxnote/app/settings/profile_document.h"

#include <algorithm>

namespace voxnote {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

// The name of a section header line ("[name]", blanks around allowed; a
// missing "]" takes the rest of the line), or nothing for other lines.
std::optional<std::string_view> HeaderName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    line.remove_prefix(1);
    return Trim(line.substr(0, line.find(']')));
}

// The key of a "key=value" line; comments (";") and lines without "=" have none.
std::optional<std::string_view> KeyName(std::string_view line) {
    std::string_view trimmed = Trim(line);
    size_t equals = trimmed.find('=');
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[' || equals == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view key = Trim(trimmed.substr(0, equals));
    if (key.empty()) {
        return std::nullopt;
    }
    return key;
}

std::string_view ValueOf(std::string_view line) {
    std::string_view value = Trim(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

bool FitsOnOneLine(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

bool IsStorableSection(std::string_view section) {
    return !section.empty() && FitsOnOneLine(section) && section.find(']') == std::string_view::npos;
}

bool IsStorableKey(std::string_view key) {
    return !key.empty() && FitsOnOneLine(key) && key.find('=') == std::string_view::npos && key.front() != ';' &&
           key.front() != '[';
}

}  // namespace

ProfileDocument::ProfileDocument(std::string_view text) {
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        while (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines_.emplace_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
}

std::string ProfileDocument::Text() const {
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += '\n';
    }
    return text;
}

std::optional<size_t> ProfileDocument::FindSection(std::string_view section) const {
    section = Trim(section);
    for (size_t i = 0; i < lines_.size(); ++i) {
        std::optional<std::string_view> name = HeaderName(lines_[i]);
        if (name && EqualIgnoringCase(*name, section)) {
            return i;
        }
    }
    return std::nullopt;
}

size_t ProfileDocument::SectionEnd(size_t headerLine) const {
    size_t line = headerLine + 1;
    while (line < lines_.size() && !HeaderName(lines_[line])) {
        ++line;
    }
    return line;
}

std::optional<size_t> ProfileDocument::FindKey(size_t headerLine, std::string_view key) const {
    key = Trim(key);
    size_t end = SectionEnd(headerLine);
    for (size_t i = headerLine + 1; i < end; ++i) {
        std::optional<std::string_view> name = KeyName(lines_[i]);
        if (name && EqualIgnoringCase(*name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> ProfileDocument::Value(std::string_view section, std::string_view key) const {
    std::optional<size_t> header = FindSection(section);
    if (!header) {
        return std::nullopt;
    }
    std::optional<size_t> line = FindKey(*header, key);
    if (!line) {
        return std::nullopt;
    }
    return std::string(ValueOf(lines_[*line]));
}

bool ProfileDocument::HasSection(std::string_view section) const {
    return FindSection(section).has_value();
}

std::vector<std::string> ProfileDocument::SectionNames() const {
    std::vector<std::string> names;
    for (const std::string& line : lines_) {
        if (std::optional<std::string_view> name = HeaderName(line)) {
            names.emplace_back(*name);
        }
    }
    return names;
}

std::vector<std::string> ProfileDocument::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    std::optional<size_t> header = FindSection(section);
    if (!header) {
        return names;
    }
    size_t end = SectionEnd(*header);
    for (size_t i = *header + 1; i < end; ++i) {
        if (std::optional<std::string_view> name = KeyName(lines_[i])) {
            names.emplace_back(*name);
        }
    }
    return names;
}

bool ProfileDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (!IsStorableSection(section) || !IsStorableKey(key) || !FitsOnOneLine(value)) {
        return false;
    }
    std::string newLine = std::string(key) + "=" + std::string(value);
    std::optional<size_t> header = FindSection(section);
    if (!header) {
        if (!lines_.empty() && !Trim(lines_.back()).empty()) {
            lines_.emplace_back();
        }
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::move(newLine));
        return true;
    }
    if (std::optional<size_t> line = FindKey(*header, key)) {
        // The key keeps the spelling it has in the file.
        lines_[*line] = std::string(*KeyName(lines_[*line])) + "=" + std::string(value);
        return true;
    }
    // After the section's last non-blank line, so blank separators stay below it.
    size_t insertAt = SectionEnd(*header);
    while (insertAt > *header + 1 && Trim(lines_[insertAt - 1]).empty()) {
        --insertAt;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(newLine));
    return true;
}

bool ProfileDocument::RemoveKey(std::string_view section, std::string_view key) {
    std::optional<size_t> header = FindSection(section);
    if (!header) {
        return false;
    }
    std::optional<size_t> line = FindKey(*header, key);
    if (!line) {
        return false;
    }
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
    return true;
}

bool ProfileDocument::RemoveSection(std::string_view section) {
    std::optional<size_t> header = FindSection(section);
    if (!header) {
        return false;
    }
    size_t end = SectionEnd(*header);
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*header), lines_.begin() + static_cast<std::ptrdiff_t>(end));
    return true;
}

}  // namespace voxnote
