// Sorting control points by position.
#ifndef CURVEFIT32_QUICKSORT_H
#define CURVEFIT32_QUICKSORT_H

#include <cstdint>

namespace curvefit {

// Sorts keys[first .. last] ascending, applying every exchange to values too.
// The caller guarantees 0 <= first and that both arrays reach last.
void quickSort(double* keys, double* values, int64_t first, int64_t last);

} // namespace curvefit

#endif // CURVEFIT32_QUICKSORT_H
