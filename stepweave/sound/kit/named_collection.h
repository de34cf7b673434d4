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

class NamedCollection;

class NamedItem {
public:
    virtual ~NamedItem() = default;
    NamedItem(const NamedItem&) = delete;
    NamedItem& operator=(const NamedItem&) = delete;

    const std::string& Name() const { return name_; }
    // Renaming to the same text does nothing.
    void SetName(const std::string& name);
    // The item's position in its collection, kept current as items come and go.
    int Index() const { return index_; }

protected:
    explicit NamedItem(NamedCollection& collection) : collection_(collection) {}
    NamedCollection& OwningCollection() const { return collection_; }

private:
    friend class NamedCollection;

    NamedCollection& collection_;
    std::string name_;
    int index_ = -1;
    uint8_t chain_ = 0;
    NamedItem* previousInChain_ = nullptr;
    NamedItem* nextInChain_ = nullptr;
};

class NamedCollection {
public:
    static constexpr int kChainCount = 256;

    NamedCollection() = default;
    virtual ~NamedCollection() = default;
    NamedCollection(const NamedCollection&) = delete;
    NamedCollection& operator=(const NamedCollection&) = delete;

    // (16 x length + first character + second-to-last character) mod 256 of
    // the lower-cased name; names shorter than two characters use the length alone.
    static uint8_t ChainOf(std::string_view name);

    int Count() const { return static_cast<int>(items_.size()); }
    // The position of the item with this name (any letter case), or -1.
    int IndexOf(std::string_view name) const;
    void Clear();
    // Removes the item at index; ListIndexError when there is none.
    void Delete(int index);

protected:
    // Told of every item about to go, by Delete or Clear.
    virtual void Removing(NamedItem&) {}
    // Appends a new item (unnamed, at the head of its chain) and returns it.
    NamedItem& Append(std::unique_ptr<NamedItem> item);
    NamedItem& ItemAt(int index) const;
    NamedItem* FindItem(std::string_view name) const;

private:
    friend class NamedItem;
    void Link(NamedItem& item);
    void Unlink(NamedItem& item);

    std::vector<std::unique_ptr<NamedItem>> items_;
    std::array<NamedItem*, kChainCount> chainHeads_{};
};

}  // namespace stepweave
