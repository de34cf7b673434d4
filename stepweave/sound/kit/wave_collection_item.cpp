#include "stepweave/sound/kit/wave_collection_item.h"

#include "stepweave/sound/kit/wave_collection.h"

namespace stepweave {

TWaveCollectionItem::TWaveCollectionItem(TWaveCollection& collection) : THashCollectionItem(collection) {}

TWaveCollection& TWaveCollectionItem::Collection() const {
    return static_cast<TWaveCollection&>(OwningCollection());
}

}  // namespace stepweave
