// Seeding the random sources of page computing.
#include "RandomSeed.h"

#include "formula32.h"
#include "sigcore32.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cmath>

namespace zw::create {

int SeedOf(double random01) {
    if (!std::isfinite(random01))
        return 0;
    return int(std::nearbyint(std::clamp(random01, 0.0, 1.0) * 100.0));
}

void SeedRandomSources(int seed) {
    W_InitRand(seed);
    EvalInitRandom(seed);
}

int SeedRandomSourcesFromClock() {
    const int seed = SeedOf(QRandomGenerator::global()->generateDouble());
    SeedRandomSources(seed);
    return seed;
}

} // namespace zw::create
