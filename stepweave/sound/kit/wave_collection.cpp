#include "stepweave/sound/kit/wave_collection.h"

#include <memory>
#include <vector>

#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/kit/kit_file.h"

namespace stepweave {

namespace {

// Builds the items of a kit file as the reader hands them over.
class CollectionFiller : public KitFileSink {
public:
    explicit CollectionFiller(TWaveCollection& collection) : collection_(collection) {}

    void BeginItem() override { item_ = &collection_.Add(); }
    void ItemName(const std::string& name) override { item_->SetName(name); }
    void ItemWave(TStream& image) override { item_->Wave().LoadFromStream(image); }

private:
    TWaveCollection& collection_;
    TWaveCollectionItem* item_ = nullptr;
};

}  // namespace

TWaveCollectionItem& TWaveCollection::Items(int index) const {
    return static_cast<TWaveCollectionItem&>(ItemAt(index));
}

TWaveCollectionItem& TWaveCollection::Add() {
    return static_cast<TWaveCollectionItem&>(Append(std::make_unique<TWaveCollectionItem>(*this)));
}

TWaveCollectionItem& TWaveCollection::Find(std::string_view name) const {
    THashCollectionItem* item = FindItem(name);
    if (item == nullptr) {
        throw EWaveCollectionError(FormatMessage("Wave '%s' not found", std::string(name)));
    }
    return static_cast<TWaveCollectionItem&>(*item);
}

void TWaveCollection::LoadFromFile(const std::string& path) {
    MarkedWithFile(path, [&] {
        TFileStream file(path);
        LoadFromStream(file);
    });
}

void TWaveCollection::LoadFromStream(TStream& stream) {
    Clear();
    CollectionFiller filler(*this);
    ReadKitFile(stream, filler);
}

void TWaveCollection::SaveToFile(const std::string& path) const {
    TSafeFileStream file(path);
    SaveToStream(file);
    file.Commit();
}

void TWaveCollection::SaveToStream(TStream& stream) const {
    std::vector<KitFileEntry> entries;
    entries.reserve(static_cast<size_t>(Count()));
    for (int i = 0; i < Count(); ++i) {
        const TWaveCollectionItem& item = Items(i);
        entries.push_back({item.Name(), item.Wave().Image()});
    }
    WriteKitFile(stream, entries);
}

}  // namespace stepweave
