// The checks at the door and the cases every curve function shares.
#ifndef CURVEFIT32_COMMONSTART_H
#define CURVEFIT32_COMMONSTART_H

#include "CurveJob.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace curvefit {

// The arguments of a curve call as the caller passed them.
struct CurveRequest {
    double x1 = 0;
    double x2 = 0;
    const double* xs = nullptr;
    const double* ys = nullptr;
    int32_t n = 0;
    int32_t total = 0;
};

// Either the call's final result, or a job for the curve proper.
struct Opening {
    std::optional<CurveJob> job;
    int32_t result = 0;
};

// Checks and limits the request against the memory (see curvefit32.h), then
// settles the cases that need no curve: a stretch of one position (the control
// point exactly there is written), a stretch with no control point or no
// sample inside, and the whole memory through a single control point (filled
// with its value). Only these cases write, and only inside the memory.
Opening commonStart(std::span<int16_t> memory, const CurveRequest& request);

// Writes the values of samples job.first .. job.end - 1 as codes. A value that
// is not a number refuses the whole stretch: returns 0 and writes nothing.
int32_t storeStretch(const CurveJob& job, const std::vector<double>& values);

} // namespace curvefit

#endif // CURVEFIT32_COMMONSTART_H
