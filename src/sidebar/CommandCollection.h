#pragma once
#include <algorithm>
#include <memory>
#include <vector>

// An indexed, owning list of the bar's panels or of a panel's items. Adding, removing or
// changing an entry tells the owner, which repaints the bar.
template <class Item, class Owner> class TCommandCollection {
public:
    explicit TCommandCollection(Owner* owner) : owner_(owner) {}
    TCommandCollection(const TCommandCollection&) = delete;
    TCommandCollection& operator=(const TCommandCollection&) = delete;

    Owner* GetOwner() const { return owner_; }
    int Count() const { return int(items_.size()); }
    Item* operator[](int index) const { return items_.at(std::size_t(index)).get(); }
    int IndexOf(const Item* item) const
    {
        const auto found = std::find_if(items_.begin(), items_.end(), [item](const auto& p) { return p.get() == item; });
        return found == items_.end() ? -1 : int(found - items_.begin());
    }

    Item* Add() { return Insert(Count()); }
    Item* Insert(int index)
    {
        index = std::clamp(index, 0, Count());
        auto* item = items_.insert(items_.begin() + index, std::make_unique<Item>(this))->get();
        Changed();
        return item;
    }
    void Delete(int index)
    {
        if (index < 0 || index >= Count())
            return;
        // Taken out first, so that the owner never sees an entry that is being destroyed.
        std::unique_ptr<Item> gone = std::move(items_[std::size_t(index)]);
        items_.erase(items_.begin() + index);
        Changed();
    }
    void Clear()
    {
        std::vector<std::unique_ptr<Item>> gone;
        gone.swap(items_);
        Changed();
    }

    void Changed() const { owner_->Changed(); }

private:
    Owner* owner_;
    std::vector<std::unique_ptr<Item>> items_;
};
