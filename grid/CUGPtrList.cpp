#include "grid/CUGPtrList.h"

#include <cstring>
#include <new>

int CUGPtrList::Add(void* ptr, int param, const void* block16) {
    if (count_ >= capacity_) {
        try {
            entries_.resize(static_cast<std::size_t>(capacity_ + kGrowBy));
        } catch (const std::bad_alloc&) {
            return -1;
        }
        capacity_ += kGrowBy;
    }
    for (int i = 0; i < capacity_; ++i) {
        Entry& entry = entries_[static_cast<std::size_t>(i)];
        if (entry.inUse)
            continue;
        entry.inUse = 1;
        entry.pointer = ptr;
        entry.param = param;
        if (block16)
            std::memcpy(entry.block, block16, kBlockSize);
        else
            std::memset(entry.block, 0, kBlockSize);
        ++count_;
        return i;
    }
    return -1;
}

int CUGPtrList::UpdateParam(int index, int param) {
    if (!InRange(index))
        return 1;
    Entry& entry = entries_[static_cast<std::size_t>(index)];
    if (!entry.inUse)
        return 2;
    entry.param = param;
    return 0;
}

int CUGPtrList::GetParam(int index) const {
    return InRange(index) ? entries_[static_cast<std::size_t>(index)].param : 0;
}

void* CUGPtrList::GetPointer(int index) const {
    if (!InRange(index))
        return nullptr;
    const Entry& entry = entries_[static_cast<std::size_t>(index)];
    return entry.inUse ? entry.pointer : nullptr;
}

const void* CUGPtrList::GetBlock(int index) const {
    if (!InRange(index))
        return nullptr;
    const Entry& entry = entries_[static_cast<std::size_t>(index)];
    return entry.inUse ? entry.block : nullptr;
}

int CUGPtrList::Find(const void* ptr) const {
    for (int i = 0; i < capacity_; ++i) {
        const Entry& entry = entries_[static_cast<std::size_t>(i)];
        if (entry.inUse && entry.pointer == ptr)
            return i;
    }
    return -1;
}

int CUGPtrList::Delete(int index) {
    if (!InRange(index))
        return 1;
    Entry& entry = entries_[static_cast<std::size_t>(index)];
    if (entry.inUse)
        --count_;
    entry = Entry{};
    return 0;
}

void CUGPtrList::Empty() {
    entries_.clear();
    entries_.shrink_to_fit();
    capacity_ = 0;
    count_ = 0;
}
