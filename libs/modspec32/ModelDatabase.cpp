#include "ModelDatabase.h"

#include "ModelDirectory.h"

#include <new>

namespace modspec32 {

int ModelDatabase::load(const std::filesystem::path& folder) {
    const std::lock_guard lock(loadMutex_);
    if (state_ != State::NotLoaded) {
        return kLoadOk;
    }
    state_ = State::Loading;
    try {
        outcome_ = loadModelFolder(folder, models_);
    } catch (const std::bad_alloc&) {
        outcome_ = LoadOutcome{kMemoryError, 0, {}};
    } catch (...) {
        outcome_ = LoadOutcome{kReadError, 0, {}};
    }
    state_ = State::Loaded;
    return outcome_.code;
}

const ModelEntry* ModelDatabase::model(int32_t index) const {
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    return &models_[static_cast<std::size_t>(index)];
}

void ModelDatabase::reset() {
    const std::lock_guard lock(loadMutex_);
    state_ = State::NotLoaded;
    models_.clear();
    outcome_ = LoadOutcome{};
}

ModelDatabase& modelDatabase() {
    static ModelDatabase database;
    return database;
}

} // namespace modspec32
