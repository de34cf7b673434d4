#pragma once
// A limit on the size of the files a process may write (the shell's
// `ulimit -f`) ends the process with a signal by default when a write passes
// it. Our files are written through temporaries that a failed write removes,
// so the program rather sees such a write fail, as on a full disk: "Stream
// write error", and nothing half-written is left behind.
namespace stepweave {

// Called once at start, before any file is written. Does nothing where the
// system has no such signal.
void ReportFileSizeLimitAsWriteError();

}  // namespace stepweave
