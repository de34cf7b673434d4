#pragma once
// The component that owns a kit: its wave collection, published as Items.
#include "stepweave/sound/wave_collection.h"

namespace stepweave {

class TCustomDXWaveList {
public:
    TCustomDXWaveList() : items_(this) {}
    virtual ~TCustomDXWaveList() = default;
    TCustomDXWaveList(const TCustomDXWaveList&) = delete;
    TCustomDXWaveList& operator=(const TCustomDXWaveList&) = delete;

    TWaveCollection& Items() { return items_; }
    const TWaveCollection& Items() const { return items_; }
    // Rebuilds the collection with one item per source item, carrying the
    // source item's name only (waves are not copied).
    void SetItems(const TWaveCollection& source);

private:
    TWaveCollection items_;
};

class TDXWaveList : public TCustomDXWaveList {};

}  // namespace stepweave
