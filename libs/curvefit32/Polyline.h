// Straight segments through the control points of a stretch.
#ifndef CURVEFIT32_POLYLINE_H
#define CURVEFIT32_POLYLINE_H

#include "CurveJob.h"

#include <vector>

namespace curvefit {

// The values of samples job.first .. job.end - 1. The line starts from the
// existing waveform at ceil(x1) (or from the control point at exactly x1) and
// ends at the existing code of the stretch's last sample; where the stretch
// touches an end of the memory the outermost segment is extended instead.
std::vector<double> polylineValues(const CurveJob& job);

} // namespace curvefit

#endif // CURVEFIT32_POLYLINE_H
