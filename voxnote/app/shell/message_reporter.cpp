#include "voxnote/app/shell/message_reporter.h"

#include <iostream>

namespace voxnote {

void StandardErrorReporter::Report(MessageKind, const std::string& text) {
    std::cerr << text << '\n';
}

}  // namespace voxnote
