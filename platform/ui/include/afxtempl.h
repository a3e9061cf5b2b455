#pragma once
// The class library's collection templates.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <stdexcept>
#include <type_traits>
#include <unordered_map>
#include <utility>

#include <afx.h>

// The class library's growable array. Room grows in steps of the grow size set with SetSize,
// or of at least 4 elements without one; the first allocation takes at least one grow step.
// A step that is small against the size gives way to half the size, so that adding n
// elements one by one costs time in proportion to n whatever step was set (a fixed step of
// 100 would copy a million-element array ten thousand times). Shrinking to size 0 and
// RemoveAll release the room; FreeExtra cuts it to the size.
template <class TYPE, class ARG_TYPE = const TYPE&> class CArray {
public:
    CArray() = default;
    virtual ~CArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(items_.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return items_.empty(); }

    void SetSize(INT_PTR newSize, INT_PTR growBy = -1) {
        if (growBy >= 0)
            growBy_ = growBy;
        if (newSize <= 0) {
            std::vector<TYPE>().swap(items_);
            return;
        }
        Reserve(static_cast<std::size_t>(newSize));
        items_.resize(static_cast<std::size_t>(newSize));
    }
    void FreeExtra() {
        if (items_.capacity() == items_.size())
            return;
        std::vector<TYPE> exact;
        exact.reserve(items_.size());
        std::move(items_.begin(), items_.end(), std::back_inserter(exact));
        items_.swap(exact);
    }
    void RemoveAll() { SetSize(0); }

    TYPE& operator[](INT_PTR index) { return ElementAt(index); }
    const TYPE& operator[](INT_PTR index) const { return GetAt(index); }
    TYPE& ElementAt(INT_PTR index) { return items_.at(Checked(index)); }
    const TYPE& GetAt(INT_PTR index) const { return items_.at(Checked(index)); }
    void SetAt(INT_PTR index, ARG_TYPE value) { items_.at(Checked(index)) = value; }
    // The value is copied before the room grows: it may be an element of this very array.
    void SetAtGrow(INT_PTR index, ARG_TYPE value) {
        TYPE copy(value);
        if (index >= GetSize())
            SetSize(index + 1);
        ElementAt(index) = std::move(copy);
    }
    TYPE* GetData() { return items_.data(); }
    const TYPE* GetData() const { return items_.data(); }

    INT_PTR Add(ARG_TYPE value) {
        TYPE copy(value);
        Reserve(items_.size() + 1);
        items_.push_back(std::move(copy));
        return GetSize() - 1;
    }
    void InsertAt(INT_PTR index, ARG_TYPE value, INT_PTR count = 1) {
        if (index < 0 || count <= 0)
            throw std::out_of_range("CArray::InsertAt");
        TYPE copy(value);
        if (index > GetSize())
            SetSize(index);
        Reserve(items_.size() + static_cast<std::size_t>(count));
        items_.insert(items_.begin() + index, static_cast<std::size_t>(count), copy);
    }
    void RemoveAt(INT_PTR index, INT_PTR count = 1) {
        if (index < 0 || count < 0 || index + count > GetSize())
            throw std::out_of_range("CArray::RemoveAt");
        items_.erase(items_.begin() + index, items_.begin() + index + count);
    }
    INT_PTR Append(const CArray& other) {
        INT_PTR first = GetSize();
        Reserve(items_.size() + other.items_.size());
        items_.insert(items_.end(), other.items_.begin(), other.items_.end());
        return first;
    }
    void Copy(const CArray& other) { items_ = other.items_; }

    std::size_t Capacity() const { return items_.capacity(); }

private:
    std::size_t Checked(INT_PTR index) const {
        if (index < 0 || index >= GetSize())
            throw std::out_of_range("CArray index");
        return static_cast<std::size_t>(index);
    }
    void Reserve(std::size_t needed) {
        const std::size_t room = items_.capacity();
        if (needed <= room)
            return;
        if (room == 0) {
            items_.reserve(std::max(needed, static_cast<std::size_t>(growBy_)));
            return;
        }
        const std::size_t step = std::max(
            {static_cast<std::size_t>(growBy_), items_.size() / 2, static_cast<std::size_t>(4)});
        items_.reserve(std::max(needed, room + step));
    }

    std::vector<TYPE> items_;
    INT_PTR growBy_ = 0;
};

// The class library's hash map. InitHashTable sets the bucket count the map starts with (and
// GetHashTableSize answers it); the block size is how many entries the node pool grows by.
// Once the entries outnumber the buckets the map takes more of them, so a lookup stays quick
// however small the table was made; what it finds, counts and removes is the same.
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

// Hashing for CMap keys, after the class library's own string hash.
inline unsigned HashKey(const CString& key) {
    unsigned hash = 0;
    for (wchar_t c : key.str())
        hash = (hash << 5) + hash + static_cast<unsigned>(c);
    return hash;
}
