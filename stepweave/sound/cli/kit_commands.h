#pragma once
// The headless "kit" commands: list a kit file, extract its waves, make a
// kit as the kit maker does. Each prints its results to out and, on
// failure, the system's message to err; each returns the exit status.
#include <iosfwd>
#include <string>
#include <vector>

namespace stepweave {

// One line per item: index, the name in quotes, the data size in bytes and
// the wave's format.
int KitListCommand(const std::string& kitPath, std::ostream& out, std::ostream& err);

// Writes each item's wave image, exactly as stored in the kit, to
// folder/<index>.wav, creating the folder when it is missing.
int KitExtractCommand(const std::string& kitPath, const std::string& folder, std::ostream& out, std::ostream& err);

struct KitMakeArguments {
    std::string outputPath;
    std::string templatePath;            // empty: every slot starts blank
    std::vector<std::string> slotFiles;  // "N=FILE.wav", N from 1 to 16
    std::string startDirectory;          // where "Blank.wav" is
};

// Builds the 17-slot kit from the blank sound (and the template), loads
// each slot file into its slot and saves the kit. A slot file that cannot be
// played (not 8- or 16-bit PCM, mono or stereo) is refused with its name and
// format. Any failure leaves an existing output file as it was.
int KitMakeCommand(const KitMakeArguments& arguments, std::ostream& out, std::ostream& err);

}  // namespace stepweave
