#pragma once
// Sorting and searching an array of T with a comparison a subclass supplies. Compare takes the
// addresses of two elements (or of a key and an element) and answers below 0, 0 or above 0.
// The sort is an exchange sort: it makes n(n-1)/2 comparisons whatever the input and never
// swaps equal elements. The search halves a sorted array.

#include <afxtempl.h>

template <class T, class K> class RLsort {
public:
    virtual ~RLsort() = default;
    virtual int Compare(const T* a, const T* b) const = 0;

    void Sort(CArray<T, T>& array) const {
        const INT_PTR n = array.GetSize();
        for (INT_PTR i = 0; i + 1 < n; ++i) {
            for (INT_PTR j = i + 1; j < n; ++j) {
                if (Compare(&array[i], &array[j]) > 0) {
                    T held = array[i];
                    array[i] = array[j];
                    array[j] = held;
                }
            }
        }
    }

    // The index of an element equal to the key, or -1.
    int Find(const K* key, const CArray<T, T>& array) const {
        const int n = static_cast<int>(array.GetSize());
        if (n == 0)
            return -1;
        // Keys outside the array's range are refused before any halving.
        if (Compare(key, &array[0]) < 0 || Compare(key, &array[n - 1]) > 0)
            return -1;
        int lo = 0;
        int hi = n - 1;
        for (;;) {
            if (hi - lo < 2) {
                if (Compare(key, &array[lo]) == 0)
                    return lo;
                if (Compare(key, &array[hi]) == 0)
                    return hi;
                return -1;
            }
            const int mid = (lo + hi) / 2;
            const int c = Compare(key, &array[mid]);
            if (c == 0)
                return mid;
            if (c > 0)
                lo = mid;
            else
                hi = mid;
        }
    }
};
