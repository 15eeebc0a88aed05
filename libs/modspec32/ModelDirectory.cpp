#include "ModelDirectory.h"

#include "LineTokens.h"
#include "ModelFileParser.h"

#include <algorithm>
#include <new>
#include <system_error>

namespace modspec32 {

std::vector<std::string> modelFileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    for (const std::filesystem::directory_iterator end; !error && entries != end;
         entries.increment(error)) {
        std::error_code typeError;
        if (!entries->is_regular_file(typeError)) {
            continue;
        }
        std::string name = entries->path().filename().string();
        if (name.size() >= 4 &&
            asciiLower(std::string_view(name).substr(name.size() - 4)) == ".sys") {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

LoadOutcome loadModelFolder(const std::filesystem::path& folder, std::vector<ModelEntry>& models) {
    std::vector<std::string> names;
    try {
        names = modelFileNames(folder);
    } catch (const std::bad_alloc&) {
        return LoadOutcome{kMemoryError, 0, {}};
    }
    if (names.empty()) {
        return LoadOutcome{kNoModelFile, 0, {}};
    }
    for (const std::string& name : names) {
        ModelFileParser parser(folder / name, models);
        if (const int code = parser.parse()) {
            return LoadOutcome{code, parser.errorLine(), name};
        }
    }
    return LoadOutcome{};
}

} // namespace modspec32
