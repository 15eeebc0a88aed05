// Finds the model files of a folder and loads them in a fixed order.
#pragma once

#include "LoadResult.h"
#include "ModelRecords.h"

#include <filesystem>
#include <string>
#include <vector>

namespace modspec32 {

// Names of the regular files whose extension is "sys" in any case, in byte
// order, so that model numbers are the same on every machine.
std::vector<std::string> modelFileNames(const std::filesystem::path& folder);

// Parses every model file of the folder, appending completed models to
// `models`; stops at the first failure.
LoadOutcome loadModelFolder(const std::filesystem::path& folder, std::vector<ModelEntry>& models);

} // namespace modspec32
