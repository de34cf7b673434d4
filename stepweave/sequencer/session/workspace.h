#pragma once
// The folder the program works in (its start folder): pattern files,
// "Panning.dat", "Blank.wav", the "temp" folder and the default kit live
// there.
//
// Given a folder (--dir), the program works there. Without one it works in
// the current directory when that holds the default kit "standard.dxg";
// otherwise in the per-user workspace, $XDG_DATA_HOME/stepweave (by default
// ~/.local/share/stepweave), which is created and seeded with the default
// kit, "Blank.wav", "temp", a kit panning and the demo song when it has no
// default kit yet. A start folder without "temp" gets one.
#include <filesystem>
#include <optional>
#include <string>

namespace stepweave {

struct StartDirectoryChoice {
    std::string folder;
    bool seeded = false;  // the per-user workspace was (re)filled just now
};

StartDirectoryChoice ChooseStartDirectory(const std::optional<std::string>& givenFolder,
                                          const std::string& currentDirectory);
// The same choice without making "temp" in a folder of the user's, for a
// command that must change nothing there until it knows it can do its work.
StartDirectoryChoice FindStartDirectory(const std::optional<std::string>& givenFolder,
                                        const std::string& currentDirectory);

// A command's start folder: the one --dir gave (FileOpenError naming it when
// it is no folder), else as FindStartDirectory finds it.
std::string CommandStartDirectory(const std::string& given);

// $XDG_DATA_HOME/stepweave when that variable holds an absolute path, else
// $HOME/.local/share/stepweave. StepweaveError when neither is set.
std::string UserWorkspaceFolder();

// Writes whatever of the seed files the folder lacks: "standard.dxg",
// "Blank.wav", "temp", "Panning.dat" and the demo song. Existing files are
// left as they are. An installed program copies them from its installed seed
// folder (made at build time); what is not there is made anew. FileCreateError
// when the folder cannot be made.
void SeedWorkspace(const std::string& folder);

// Makes the folder's "temp" when it is missing (a failure is left for the
// first use of "temp" to report).
void EnsureTempFolder(const std::string& folder);

// The song file a user named: as given, or in the start folder, with or
// without ".sng". When none exists, the name as given (reading it then
// reports the file as missing).
std::filesystem::path FindSongFile(const std::string& given, const std::string& startDirectory);

}  // namespace stepweave
