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
    explicit CollectionFiller(WaveCollection& collection) : collection_(collection) {}

    void BeginItem() override { item_ = &collection_.Add(); }
    void ItemName(const std::string& name) override { item_->SetName(name); }
    void ItemWave(ByteStream& image) override { item_->Wave().LoadFromStream(image); }

private:
    WaveCollection& collection_;
    WaveCollectionItem* item_ = nullptr;
};

}  // namespace

WaveCollectionItem& WaveCollection::Items(int index) const {
    return static_cast<WaveCollectionItem&>(ItemAt(index));
}

WaveCollectionItem& WaveCollection::Add() {
    return static_cast<WaveCollectionItem&>(Append(std::make_unique<WaveCollectionItem>(*this)));
}

void WaveCollection::AssignNames(const WaveCollection& source) {
    if (&source == this) {
        return;
    }
    Clear();
    for (int i = 0; i < source.Count(); ++i) {
        Add().SetName(source.Items(i).Name());
    }
}

void WaveCollection::AssignNamesAndWaves(const WaveCollection& source) {
    AssignNames(source);
    for (int i = 0; i < Count(); ++i) {
        Items(i).SetWave(source.Items(i).Wave());
    }
}

void WaveCollection::Removing(NamedItem& item) {
    if (OnRemoving) {
        OnRemoving(static_cast<WaveCollectionItem&>(item));
    }
}

WaveCollectionItem& WaveCollection::Find(std::string_view name) const {
    NamedItem* item = FindItem(name);
    if (item == nullptr) {
        throw WaveCollectionError(FormatMessage("Wave '%s' not found", std::string(name)));
    }
    return static_cast<WaveCollectionItem&>(*item);
}

void WaveCollection::LoadFromFile(const std::string& path) {
    MarkedWithFile(path, [&] {
        FileStream file(path);
        LoadFromStream(file);
    });
}

void WaveCollection::LoadFromStream(ByteStream& stream) {
    Clear();
    CollectionFiller filler(*this);
    ReadKitFile(stream, filler);
}

void WaveCollection::SaveToFile(const std::string& path) const {
    SafeFileStream file(path);
    SaveToStream(file);
    file.Commit();
}

void WaveCollection::SaveToStream(ByteStream& stream) const {
    std::vector<KitFileEntry> entries;
    entries.reserve(static_cast<size_t>(Count()));
    for (int i = 0; i < Count(); ++i) {
        const WaveCollectionItem& item = Items(i);
        entries.push_back({item.Name(), item.Wave().Image()});
    }
    WriteKitFile(stream, entries);
}

}  // namespace stepweave
