// Result codes of loading the model files, and where a failure happened.
#pragma once

#include <string>

namespace modspec32 {

enum LoadCode : int {
    kLoadOk = 0,
    kStructureError = -1,
    kSyntaxError = -2,
    kMemoryError = -10,
    kReadError = -20,
    kNoModelFile = -30
};

struct LoadOutcome {
    int code = kLoadOk;
    int lineNumber = 0;   // 0 after success
    std::string fileName; // empty after success and for kNoModelFile
};

} // namespace modspec32
