#pragma once
// Starts the user's mixer program, which adjusts the recording level, and
// lets the user choose it: browse for a program, try it, and keep it when it
// is the right one.
#include <string>

#include "voxnote/app/settings/private_profile.h"
#include "voxnote/app/shell/user_prompt.h"

namespace voxnote {

// Starts a program by its full path in a normal window; false when it could
// not be started.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    virtual bool Start(const std::string& path) = 0;
};

// What the launcher needs of the main window.
class MixerWindow {
public:
    virtual ~MixerWindow() = default;
    // Stops a live run (and resets the start toggle) if one is going.
    virtual void StopLiveRun() = 0;
    // A top-most main window stops being top-most while another program is
    // started and chosen, so that program's window can come to the front.
    virtual void DropTopMost() = 0;
    virtual void RestoreTopMost() = 0;
};

class MixerLauncher {
public:
    MixerLauncher(PrivateProfile& profile, UserPrompt& prompt, ProgramStarter& starter, MixerWindow& window)
        : profile_(profile), prompt_(prompt), starter_(starter), window_(window) {}

    // The mixer button: starts the stored mixer; with none stored, the user
    // chooses one. A stored program that no longer starts fails silently.
    void RunMixer();
    // "Change Mixer": the user chooses another mixer.
    void ChooseMixer();

private:
    void ChooseMixerDialogue();

    PrivateProfile& profile_;
    UserPrompt& prompt_;
    ProgramStarter& starter_;
    MixerWindow& window_;
};

}  // namespace voxnote
