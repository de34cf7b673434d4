#pragma once
// Comparing names without regard to letter case (A-Z against a-z), as kit
// item names and component property names are compared.
#include <string_view>

namespace stepweave {

constexpr unsigned char LowerCaseCode(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 'A' && code <= 'Z' ? static_cast<unsigned char>(code - 'A' + 'a') : code;
}

constexpr bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerCaseCode(a[i]) != LowerCaseCode(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace stepweave
