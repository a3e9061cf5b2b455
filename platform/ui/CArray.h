#pragma once
// The class library's growable array. Storage grows in steps of the grow size set with
// SetSize (or by doubling when none is set); FreeExtra gives the unused room back.

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <vector>

#include "platform/crt/WinTypes.h"

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
        if (newSize < 0)
            newSize = 0;
        Reserve(static_cast<std::size_t>(newSize));
        items_.resize(static_cast<std::size_t>(newSize));
    }
    void FreeExtra() { items_.shrink_to_fit(); }
    void RemoveAll() { items_.clear(); }

    TYPE& operator[](INT_PTR index) { return ElementAt(index); }
    const TYPE& operator[](INT_PTR index) const { return GetAt(index); }
    TYPE& ElementAt(INT_PTR index) { return items_.at(Checked(index)); }
    const TYPE& GetAt(INT_PTR index) const { return items_.at(Checked(index)); }
    void SetAt(INT_PTR index, ARG_TYPE value) { items_.at(Checked(index)) = value; }
    void SetAtGrow(INT_PTR index, ARG_TYPE value) {
        if (index >= GetSize())
            SetSize(index + 1);
        SetAt(index, value);
    }
    TYPE* GetData() { return items_.data(); }
    const TYPE* GetData() const { return items_.data(); }

    INT_PTR Add(ARG_TYPE value) {
        Reserve(items_.size() + 1);
        items_.push_back(value);
        return GetSize() - 1;
    }
    void InsertAt(INT_PTR index, ARG_TYPE value, INT_PTR count = 1) {
        if (index < 0 || count < 0)
            throw std::out_of_range("CArray::InsertAt");
        if (index > GetSize())
            SetSize(index);
        Reserve(items_.size() + static_cast<std::size_t>(count));
        items_.insert(items_.begin() + index, static_cast<std::size_t>(count), value);
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
        if (needed <= items_.capacity())
            return;
        std::size_t step = growBy_ > 0 ? static_cast<std::size_t>(growBy_)
                                       : std::max<std::size_t>(4, items_.capacity());
        std::size_t room = items_.capacity();
        while (room < needed)
            room += step;
        items_.reserve(room);
    }

    std::vector<TYPE> items_;
    INT_PTR growBy_ = -1;
};
