#pragma once
// Whether a JACK server is running that the program can join: the one that
// JACK_DEFAULT_SERVER names, or the default one. The look never starts a
// server and prints nothing (JACK's own complaints about a missing server
// are kept quiet), so that asking on a machine without JACK costs nothing.
namespace voxnote {

bool JackServerRunning();

}  // namespace voxnote
