#pragma once
// Whether a headless command's output goes to a terminal, where a progress
// bar makes sense.
#include <cstdio>

namespace stepweave {

bool IsTerminal(std::FILE* stream);

}  // namespace stepweave
