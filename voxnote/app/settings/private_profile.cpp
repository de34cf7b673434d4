#include "voxnote/app/settings/private_profile.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include "voxnote/app/settings/safe_file_writer.h"

namespace voxnote {

namespace {

std::filesystem::path EnvironmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::filesystem::path(value) : std::filesystem::path();
}

// The value's leading decimal integer; nothing when it starts with no digit.
std::optional<int> LeadingInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return std::nullopt;
    }
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = std::min<long long>(value * 10 + (c - '0'), 1LL << 32);
    }
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace

std::filesystem::path VoxnoteProfilePath() {
    std::filesystem::path overridden = EnvironmentPath("VOXNOTE_INI");
    if (!overridden.empty()) {
        return overridden;
    }
    std::filesystem::path config = EnvironmentPath("XDG_CONFIG_HOME");
    if (config.empty() || !config.is_absolute()) {
        std::filesystem::path home = EnvironmentPath("HOME");
        config = home.empty() ? std::filesystem::path(".config") : home / ".config";
    }
    return config / "voxnote" / "voxnote.ini";
}

PrivateProfile::PrivateProfile(std::filesystem::path path) : path_(std::move(path)) {}

std::optional<std::string> PrivateProfile::ReadWholeFile() const {
    std::error_code error;
    std::uintmax_t size = std::filesystem::file_size(path_, error);
    if (error || size > kLargestFile) {
        return std::nullopt;
    }
    std::ifstream file(path_, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(size), '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(size));
    bytes.resize(static_cast<size_t>(file.gcount()));
    if (file.bad()) {
        return std::nullopt;
    }
    return bytes;
}

PrivateProfile::FileState PrivateProfile::LoadFromDisk(ProfileDocument& document) const {
    std::error_code error;
    if (!std::filesystem::exists(path_, error)) {
        return error ? FileState::Unreadable : FileState::Missing;
    }
    std::optional<std::string> bytes = ReadWholeFile();
    if (!bytes) {
        return FileState::Unreadable;
    }
    document = ProfileDocument(*bytes);
    return FileState::Present;
}

const ProfileDocument& PrivateProfile::Cached() {
    if (!cache_) {
        ProfileDocument document;
        LoadFromDisk(document);  // a missing or unreadable file reads as empty
        cache_ = std::move(document);
    }
    return *cache_;
}

template <typename Edit>
bool PrivateProfile::Update(Edit edit) {
    ProfileDocument document;
    if (LoadFromDisk(document) == FileState::Unreadable) {
        return false;
    }
    bool changed = false;
    if (!edit(document, changed)) {
        return false;
    }
    if (changed) {
        std::error_code error;
        if (path_.has_parent_path()) {
            std::filesystem::create_directories(path_.parent_path(), error);
        }
        if (!WriteFileSafely(path_, document.Text())) {
            return false;
        }
    }
    cache_ = std::move(document);
    return true;
}

std::string PrivateProfile::ReadString(std::string_view section, std::string_view key,
                                       std::string_view defaultValue, size_t maxLength) {
    std::optional<std::string> value = Cached().Value(section, key);
    std::string result = value ? std::move(*value) : std::string(defaultValue);
    if (result.size() > maxLength) {
        result.resize(maxLength);
    }
    return result;
}

int PrivateProfile::ReadInt(std::string_view section, std::string_view key, int defaultValue) {
    std::optional<std::string> value = Cached().Value(section, key);
    return value ? LeadingInteger(*value).value_or(0) : defaultValue;
}

std::optional<int> PrivateProfile::ReadNumber(std::string_view section, std::string_view key) {
    std::optional<std::string> value = Cached().Value(section, key);
    return value ? LeadingInteger(*value) : std::nullopt;
}

bool PrivateProfile::HasSection(std::string_view section) {
    return Cached().HasSection(section);
}

std::vector<std::string> PrivateProfile::SectionNames() {
    return Cached().SectionNames();
}

std::vector<std::string> PrivateProfile::KeyNames(std::string_view section) {
    return Cached().KeyNames(section);
}

bool PrivateProfile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    return Update([&](ProfileDocument& document, bool& changed) {
        std::optional<std::string> old = document.Value(section, key);
        changed = !old || *old != value;
        return document.SetValue(section, key, value);
    });
}

bool PrivateProfile::WriteInt(std::string_view section, std::string_view key, int value) {
    return WriteString(section, key, std::to_string(value));
}

bool PrivateProfile::DeleteKey(std::string_view section, std::string_view key) {
    return Update([&](ProfileDocument& document, bool& changed) {
        changed = document.RemoveKey(section, key);
        return true;
    });
}

bool PrivateProfile::DeleteSection(std::string_view section) {
    return Update([&](ProfileDocument& document, bool& changed) {
        changed = document.RemoveSection(section);
        return true;
    });
}

void PrivateProfile::Flush() {
    cache_.reset();
}

}  // namespace voxnote
