#pragma once
// The class library's hash map. InitHashTable fixes the bucket count the map starts with; the
// block size is how many entries the node pool grows by.

#include <cstdint>
#include <type_traits>
#include <unordered_map>

#include "platform/crt/WinTypes.h"

// The library's default hash: the key's value (or address) shifted past its low bits.
template <class KEY> unsigned HashKey(const KEY& key) {
    if constexpr (std::is_pointer_v<KEY>)
        return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(key) >> 4);
    else
        return static_cast<unsigned>(static_cast<std::uintptr_t>(key) >> 4);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE> class CMap {
public:
    explicit CMap(INT_PTR blockSize = 10) : blockSize_(blockSize > 0 ? blockSize : 10) {}
    virtual ~CMap() = default;

    void InitHashTable(UINT hashSize, BOOL allocNow = TRUE) {
        (void)allocNow;
        map_.clear();
        map_.rehash(hashSize);
        hashSize_ = hashSize;
    }
    UINT GetHashTableSize() const { return hashSize_; }
    INT_PTR GetBlockSize() const { return blockSize_; }
    INT_PTR GetCount() const { return static_cast<INT_PTR>(map_.size()); }
    INT_PTR GetSize() const { return GetCount(); }
    bool IsEmpty() const { return map_.empty(); }

    void SetAt(ARG_KEY key, ARG_VALUE value) { map_[KEY(key)] = value; }
    VALUE& operator[](ARG_KEY key) { return map_[KEY(key)]; }
    BOOL Lookup(ARG_KEY key, VALUE& value) const {
        auto it = map_.find(KEY(key));
        if (it == map_.end())
            return FALSE;
        value = it->second;
        return TRUE;
    }
    BOOL RemoveKey(ARG_KEY key) { return map_.erase(KEY(key)) ? TRUE : FALSE; }
    void RemoveAll() { map_.clear(); }

    template <class F> void ForEach(F&& visit) const {
        for (const auto& [key, value] : map_)
            visit(key, value);
    }

private:
    struct Hasher {
        std::size_t operator()(const KEY& key) const { return HashKey(key); }
    };
    std::unordered_map<KEY, VALUE, Hasher> map_{17};
    UINT hashSize_ = 17;
    INT_PTR blockSize_;
};
