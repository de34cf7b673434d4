#include "stepweave/sound/kit/named_collection.h"

#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/files/same_text.h"

namespace stepweave {

void NamedItem::SetName(const std::string& name) {
    if (name == name_) {
        return;
    }
    collection_.Unlink(*this);
    name_ = name;
    collection_.Link(*this);
}

uint8_t NamedCollection::ChainOf(std::string_view name) {
    unsigned chain = 16u * static_cast<unsigned>(name.size());
    if (name.size() >= 2) {
        chain += LowerCaseCode(name.front()) + LowerCaseCode(name[name.size() - 2]);
    }
    return static_cast<uint8_t>(chain % kChainCount);
}

int NamedCollection::IndexOf(std::string_view name) const {
    const NamedItem* item = FindItem(name);
    return item != nullptr ? item->Index() : -1;
}

void NamedCollection::Clear() {
    for (const auto& item : items_) {
        Removing(*item);
    }
    chainHeads_.fill(nullptr);
    items_.clear();
}

void NamedCollection::Delete(int index) {
    NamedItem& item = ItemAt(index);
    Removing(item);
    Unlink(item);
    items_.erase(items_.begin() + index);
    for (int i = index; i < Count(); ++i) {
        items_[static_cast<size_t>(i)]->index_ = i;
    }
}

NamedItem& NamedCollection::Append(std::unique_ptr<NamedItem> item) {
    item->index_ = Count();
    Link(*item);
    items_.push_back(std::move(item));
    return *items_.back();
}

NamedItem& NamedCollection::ItemAt(int index) const {
    if (index < 0 || index >= Count()) {
        throw ListIndexError(index);
    }
    return *items_[static_cast<size_t>(index)];
}

NamedItem* NamedCollection::FindItem(std::string_view name) const {
    for (NamedItem* item = chainHeads_[ChainOf(name)]; item != nullptr; item = item->nextInChain_) {
        if (SameText(item->Name(), name)) {
            return item;
        }
    }
    return nullptr;
}

void NamedCollection::Link(NamedItem& item) {
    item.chain_ = ChainOf(item.name_);
    NamedItem*& head = chainHeads_[item.chain_];
    item.previousInChain_ = nullptr;
    item.nextInChain_ = head;
    if (head != nullptr) {
        head->previousInChain_ = &item;
    }
    head = &item;
}

void NamedCollection::Unlink(NamedItem& item) {
    if (item.previousInChain_ != nullptr) {
        item.previousInChain_->nextInChain_ = item.nextInChain_;
    } else {
        chainHeads_[item.chain_] = item.nextInChain_;
    }
    if (item.nextInChain_ != nullptr) {
        item.nextInChain_->previousInChain_ = item.previousInChain_;
    }
    item.previousInChain_ = nullptr;
    item.nextInChain_ = nullptr;
}

}  // namespace stepweave
