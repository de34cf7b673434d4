#include "stepweave/sound/kit/wave_collection_item.h"

#include "stepweave/sound/kit/wave_collection.h"

namespace stepweave {

WaveCollectionItem::WaveCollectionItem(WaveCollection& collection) : NamedItem(collection) {}

WaveCollection& WaveCollectionItem::Collection() const {
    return static_cast<WaveCollection&>(OwningCollection());
}

}  // namespace stepweave
