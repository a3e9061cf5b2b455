#pragma once
// Fixed-size node allocation for the in-memory store: nodes are carved from blocks in the
// order they are asked for, so a grid filled row by row lies in memory row by row and a
// later walk reads it front to back. Freed nodes are reused first; Release drops every
// block at once (the store destroys its live nodes before).

#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

template <class Node, std::size_t kNodesPerBlock = 256> class UGNodePool {
public:
    UGNodePool() = default;
    UGNodePool(const UGNodePool&) = delete;
    UGNodePool& operator=(const UGNodePool&) = delete;

    template <class... Args> Node* New(Args&&... args) {
        Slot* slot = freeList_;
        if (slot) {
            freeList_ = slot->nextFree;
        } else {
            if (blocks_.empty() || usedInLastBlock_ == kNodesPerBlock) {
                blocks_.push_back(std::make_unique_for_overwrite<Slot[]>(kNodesPerBlock));
                usedInLastBlock_ = 0;
            }
            slot = &blocks_.back()[usedInLastBlock_++];
        }
        return ::new (static_cast<void*>(slot->storage)) Node(std::forward<Args>(args)...);
    }

    void Delete(Node* node) {
        if (!node)
            return;
        node->~Node();
        Slot* slot = reinterpret_cast<Slot*>(node);
        slot->nextFree = freeList_;
        freeList_ = slot;
    }

    void Release() {
        blocks_.clear();
        freeList_ = nullptr;
        usedInLastBlock_ = 0;
    }

private:
    union Slot {
        Slot* nextFree;
        alignas(Node) unsigned char storage[sizeof(Node)];
    };

    std::vector<std::unique_ptr<Slot[]>> blocks_;
    Slot* freeList_ = nullptr;
    std::size_t usedInLastBlock_ = 0;
};
