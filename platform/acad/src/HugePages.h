#pragma once
// Allocator for the database's large arrays (one entry per record): memory straight from the
// kernel, in 2 MiB pages where it offers them, so that filling millions of entries does not
// take a page fault every 4 KiB. Untouched reserved memory costs nothing.
#include <cstddef>
#include <new>
#include <sys/mman.h>
#include <utility>
#include <vector>

namespace kestrel::acad {

template <class T> struct HugePageAllocator {
    using value_type = T;
    HugePageAllocator() = default;
    template <class U> HugePageAllocator(const HugePageAllocator<U>&) {}

    T* allocate(size_t n) {
        size_t bytes = n * sizeof(T);
        if (bytes < (size_t(1) << 21))
            return static_cast<T*>(::operator new(bytes));
        void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        madvise(p, bytes, MADV_HUGEPAGE);
        return static_cast<T*>(p);
    }
    void deallocate(T* p, size_t n) {
        size_t bytes = n * sizeof(T);
        if (bytes < (size_t(1) << 21))
            ::operator delete(p);
        else
            munmap(p, bytes);
    }
    template <class U> bool operator==(const HugePageAllocator<U>&) const { return true; }
};

template <class T> using BigVector = std::vector<T, HugePageAllocator<T>>;

// Bytes about to be written whole, such as a file read into memory: large ones from the kernel
// in 2 MiB pages where it offers them and faulted in at once, as faulting them in one by one
// while they are written costs more than the writing.
class ByteArray {
public:
    ByteArray() = default;
    explicit ByteArray(size_t size) : size_(size) {
        if (size < (size_t(1) << 21)) {
            data_ = new char[size + 1];
            return;
        }
        void* p = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        madvise(p, size, MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
        madvise(p, size, MADV_POPULATE_WRITE); // a kernel without it faults them in as they come
#endif
        data_ = static_cast<char*>(p);
        mapped_ = true;
    }
    ByteArray(ByteArray&& other) noexcept {
        swap(other);
    }
    ByteArray& operator=(ByteArray&& other) noexcept {
        ByteArray(std::move(other)).swap(*this);
        return *this;
    }
    ~ByteArray() {
        if (mapped_)
            munmap(data_, size_);
        else
            delete[] data_;
    }
    char* data() const {
        return data_;
    }
    size_t size() const {
        return size_;
    }

private:
    void swap(ByteArray& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(mapped_, other.mapped_);
    }
    char* data_ = nullptr;
    size_t size_ = 0;
    bool mapped_ = false;
};

} // namespace kestrel::acad
