// The loaded models, kept by the library from the first load until the
// process ends, with where the load failed.
#pragma once

#include "LoadResult.h"
#include "ModelRecords.h"

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <vector>

namespace modspec32 {

class ModelDatabase {
public:
    // Loads the folder's model files on the first call and returns its
    // result; every later call returns 0 without loading.
    int load(const std::filesystem::path& folder);

    // nullptr when no model has that index.
    const ModelEntry* model(int32_t index) const;
    int32_t count() const { return static_cast<int32_t>(models_.size()); }
    const LoadOutcome& lastLoad() const { return outcome_; }

    // Forgets everything so that the next load reads the files again. Only
    // tests and the fuzz target need this; the exported interface never
    // unloads.
    void reset();

private:
    enum class State { NotLoaded, Loading, Loaded };

    std::mutex loadMutex_;
    State state_ = State::NotLoaded;
    std::vector<ModelEntry> models_;
    LoadOutcome outcome_;
};

ModelDatabase& modelDatabase();

} // namespace modspec32
