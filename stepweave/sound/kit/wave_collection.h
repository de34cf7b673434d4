#pragma once
// A drum kit: the ordered, named waves that the sequencer plays, found by
// name without regard to letter case. It loads from and saves to kit files.
// It holds the kit's data only; the voices that play it are a kit player's.
#include <functional>
#include <string>
#include <string_view>

#include "stepweave/sound/kit/named_collection.h"
#include "stepweave/sound/kit/wave_collection_item.h"

namespace stepweave {

class ByteStream;

class WaveCollection : public NamedCollection {
public:
    WaveCollection() = default;

    // ListIndexError "List index out of bounds (%d)" for an index outside 0 ... Count()-1.
    WaveCollectionItem& Items(int index) const;
    // Appends an item with an empty name and an empty wave.
    WaveCollectionItem& Add();
    // Rebuilds the collection with one item per source item, carrying the
    // source item's name only (waves are not copied).
    void AssignNames(const WaveCollection& source);
    // Rebuilds the collection with one item per source item, carrying its
    // name and a copy of its wave, as if loaded from the same file: pan and
    // volume 0.
    void AssignNamesAndWaves(const WaveCollection& source);
    // The item of that name (any letter case); WaveCollectionError
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

    // Told of every item about to be deleted, cleared or replaced by a load
    // (a kit player lets go of its voice).
    std::function<void(WaveCollectionItem& item)> OnRemoving;

protected:
    void Removing(NamedItem& item) override;
};

}  // namespace stepweave
