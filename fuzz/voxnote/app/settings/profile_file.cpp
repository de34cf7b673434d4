// Fuzzes the settings-file reader: parsing, lookups, edits and the preset
// list scan on arbitrary text. An edit must read back, and a file written
// from a parsed one must parse to the same sections.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "voxnote/app/settings/preset_list.h"
#include "voxnote/app/settings/profile_document.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    voxnote::PresetNamesInProfileText(text);

    voxnote::ProfileDocument document(text);
    const auto sections = document.SectionNames();
    Require(voxnote::ProfileDocument(document.Text()).SectionNames() == sections);

    for (const std::string& section : sections) {
        for (const std::string& key : document.KeyNames(section)) {
            Require(document.Value(section, key).has_value());
        }
    }
    if (!sections.empty()) {
        const std::string section = sections[size % sections.size()];
        if (document.SetValue(section, "Scale", "7")) {
            Require(document.Value(section, "scale") == "7");
        }
        document.RemoveSection(section);
        document.Text();
    }
    Require(document.SetValue("Last Used", "section", "Tenor"));
    Require(document.Value("LAST USED", "Section") == "Tenor");
    return 0;
}
