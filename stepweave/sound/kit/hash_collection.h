#pragma once
// An ordered collection of named items with lookup by name that ignores
// letter case. Names are spread over 256 chains; an item that is created or
// renamed goes to the head of its chain, so when two items share a name the
// one that received it last is found.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace stepweave {

class THashCollection;

class THashCollectionItem {
public:
    virtual ~THashCollectionItem() = default;
    THashCollectionItem(const THashCollectionItem&) = delete;
    THashCollectionItem& operator=(const THashCollectionItem&) = delete;

    const std::string& Name() const { return name_; }
    // Renaming to the same text does nothing.
    void SetName(const std::string& name);
    // The item's position in its collection, kept current as items come and go.
    int Index() const { return index_; }

protected:
    explicit THashCollectionItem(THashCollection& collection) : collection_(collection) {}
    THashCollection& OwningCollection() const { return collection_; }

private:
    friend class THashCollection;

    THashCollection& collection_;
    std::string name_;
    int index_ = -1;
    uint8_t chain_ = 0;
    THashCollectionItem* previousInChain_ = nullptr;
    THashCollectionItem* nextInChain_ = nullptr;
};

class THashCollection {
public:
    static constexpr int kChainCount = 256;

    THashCollection() = default;
    virtual ~THashCollection() = default;
    THashCollection(const THashCollection&) = delete;
    THashCollection& operator=(const THashCollection&) = delete;

    // (16 x length + first character + second-to-last character) mod 256 of
    // the lower-cased name; names shorter than two characters use the length alone.
    static uint8_t ChainOf(std::string_view name);

    int Count() const { return static_cast<int>(items_.size()); }
    // The position of the item with this name (any letter case), or -1.
    int IndexOf(std::string_view name) const;
    void Clear();
    // Removes the item at index; EListError when there is none.
    void Delete(int index);

protected:
    // Appends a new item (unnamed, at the head of its chain) and returns it.
    THashCollectionItem& Append(std::unique_ptr<THashCollectionItem> item);
    THashCollectionItem& ItemAt(int index) const;
    THashCollectionItem* FindItem(std::string_view name) const;

private:
    friend class THashCollectionItem;
    void Link(THashCollectionItem& item);
    void Unlink(THashCollectionItem& item);

    std::vector<std::unique_ptr<THashCollectionItem>> items_;
    std::array<THashCollectionItem*, kChainCount> chainHeads_{};
};

}  // namespace stepweave
