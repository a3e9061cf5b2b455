#pragma once
// The class library's growable array. Room grows in steps of the grow size set with SetSize;
// without one the step is an eighth of the size, between 4 and 1024 elements. The first
// allocation takes at least one grow step. Shrinking to size 0 and RemoveAll release the
// room; FreeExtra cuts it to the size.

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <stdexcept>
#include <utility>
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
        std::size_t step = static_cast<std::size_t>(growBy_);
        if (step == 0)
            step = std::clamp<std::size_t>(items_.size() / 8, 4, 1024);
        items_.reserve(std::max(needed, room + step));
    }

    std::vector<TYPE> items_;
    INT_PTR growBy_ = 0;
};
