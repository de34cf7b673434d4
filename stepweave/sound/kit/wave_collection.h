#pragma once
// A drum kit: the ordered, named waves that the sequencer plays, found by
// name without regard to letter case. It loads from and saves to kit files.
#include <string>
#include <string_view>

#include "stepweave/sound/kit/named_collection.h"
#include "stepweave/sound/device/kit_playback.h"
#include "stepweave/sound/kit/wave_collection_item.h"

namespace stepweave {

class TCustomDXWaveList;
class ByteStream;

class WaveCollection : public NamedCollection {
public:
    // owner: the list component that holds this collection, if any.
    explicit WaveCollection(TCustomDXWaveList* owner = nullptr) : owner_(owner) {}

    TCustomDXWaveList* Owner() const { return owner_; }
    // The playing side: bound device, playing list and sweep (runtime only).
    KitPlayback& Playback() { return playback_; }

    // EListError "List index out of bounds (%d)" for an index outside 0 ... Count()-1.
    WaveCollectionItem& Items(int index) const;
    // Appends an item with an empty name and an empty wave.
    WaveCollectionItem& Add();
    // The item of that name (any letter case); EWaveCollectionError
    // "Wave '%s' not found" when there is none.
    WaveCollectionItem& Find(std::string_view name) const;

    // Loading replaces every item with those of the kit file, in file order;
    // new items have pan 0 and volume 0. A file that cannot be opened leaves
    // the collection as it was; once it is open the collection is cleared
    // first, so a damaged file leaves the items read before the damage.
    void LoadFromFile(const std::string& path);
    void LoadFromStream(ByteStream& stream);
    // Files are written to a temporary and renamed into place.
    void SaveToFile(const std::string& path) const;
    void SaveToStream(ByteStream& stream) const;

private:
    TCustomDXWaveList* owner_;
    KitPlayback playback_{*this};
};

}  // namespace stepweave
