#pragma once
#include "voxnote/app/shell/mixer_launcher.h"

namespace voxnote {

// Starts a program by its full path as a process of its own, which goes on
// when the converter ends.
class DetachedProgramStarter : public ProgramStarter {
public:
    bool Start(const std::string& path) override;
};

}  // namespace voxnote
