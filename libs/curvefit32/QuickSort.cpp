// Quicksort with the middle key as pivot. The two parts of a partition are
// disjoint, so sorting the smaller one first (by recursion) and the larger one
// next (by looping) gives the same arrangement as any other order, and keeps
// the stack depth logarithmic whatever the keys.
#include "QuickSort.h"

#include <utility>

namespace curvefit {

void quickSort(double* keys, double* values, int64_t first, int64_t last) {
    while (first < last) {
        const double pivot = keys[(first + last) / 2];
        int64_t i = first;
        int64_t j = last;
        for (;;) {
            while (keys[i] < pivot)
                ++i;
            while (pivot < keys[j])
                --j;
            if (i >= j)
                break;
            std::swap(keys[i], keys[j]);
            std::swap(values[i], values[j]);
            ++i;
            --j;
        }
        if (i - first < last - j) {
            if (first < i - 1)
                quickSort(keys, values, first, i - 1);
            first = j + 1;
        } else {
            if (j + 1 < last)
                quickSort(keys, values, j + 1, last);
            last = i - 1;
        }
    }
}

} // namespace curvefit
