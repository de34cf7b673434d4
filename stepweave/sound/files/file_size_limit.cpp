#include "stepweave/sound/files/file_size_limit.h"

#include <csignal>

namespace stepweave {

void ReportFileSizeLimitAsWriteError() {
#ifdef SIGXFSZ
    // Ignored, the signal leaves the write to fail with "file too large".
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

}  // namespace stepweave
