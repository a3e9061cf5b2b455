#pragma once
// A slot table whose indexes stay valid for the life of an entry: deleting leaves a hole
// that a later Add fills. The frame hands these indexes out as identifiers of registered
// cell types, fonts and bitmaps. The list never owns the pointers it holds.

#include <cstdint>
#include <vector>

class CUGPtrList {
public:
    static constexpr int kBlockSize = 16;

    CUGPtrList() = default;
    CUGPtrList(const CUGPtrList&) = delete;
    CUGPtrList& operator=(const CUGPtrList&) = delete;

    // Index of the entry now holding ptr (and the 16-byte block when given), -1 on failure.
    int Add(void* ptr, int param = 0, const void* block16 = nullptr);
    int UpdateParam(int index, int param); // 1 out of range, 2 free entry, else 0
    int GetParam(int index) const;         // 0 when out of range
    void* GetPointer(int index) const;     // null when out of range or free
    const void* GetBlock(int index) const; // the 16-byte block; null when out of range or free
    int Find(const void* ptr) const;       // first used entry holding ptr, else -1
    int Delete(int index);                 // 1 when out of range, else 0
    void Empty();
    int GetCount() const { return count_; }
    int GetCapacity() const { return capacity_; }

private:
    static constexpr int kGrowBy = 10;
    struct Entry {
        std::uint32_t inUse = 0;
        void* pointer = nullptr;
        int param = 0;
        unsigned char block[kBlockSize] = {};
    };
    bool InRange(int index) const { return index >= 0 && index < capacity_; }

    std::vector<Entry> entries_;
    int capacity_ = 0;
    int count_ = 0;
};
