#pragma once
// Allocator for the database's large arrays (one entry per record): memory straight from the
// kernel, in 2 MiB pages where it offers them, so that filling millions of entries does not
// take a page fault every 4 KiB. Untouched reserved memory costs nothing.
#include <cstddef>
#include <new>
#include <sys/mman.h>
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

} // namespace kestrel::acad
