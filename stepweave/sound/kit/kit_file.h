#pragma once
// The kit file (".dxg"): one raw-data resource entry named
// "WAVORIXWAVECOLLECTION" whose data is a component stream holding a wave
// collection: for each item its name and its wave's RIFF image.
#include <cstdint>
#include <string>
#include <vector>

namespace stepweave {

class ByteStream;

// What the reader hands over, item by item in file order, as it reads.
class KitFileSink {
public:
    virtual ~KitFileSink() = default;
    virtual void BeginItem() = 0;
    virtual void ItemName(const std::string& name) = 0;
    // image holds exactly the bytes stored for the wave, nothing beyond them.
    virtual void ItemWave(ByteStream& image) = 0;
};

// Reads a kit file. Within an item the name and the wave may come in either
// order or be missing, and an integer before an item is skipped. Anything
// else, or a length beyond the bytes left, fails with "Invalid stream format".
void ReadKitFile(ByteStream& stream, KitFileSink& sink);

struct KitFileEntry {
    std::string name;                // written only when not empty
    std::vector<uint8_t> waveImage;  // empty for an empty wave
};

void WriteKitFile(ByteStream& stream, const std::vector<KitFileEntry>& entries);

}  // namespace stepweave
