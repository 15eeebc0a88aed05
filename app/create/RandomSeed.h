// Both random sources of page computing (the noise generator of sigcore32
// and rnd of formula32) are seeded with one whole number 0 to 100 when the
// Create window opens, so noise differs from one opening to the next while
// the pages of one opening continue one sequence.
#ifndef ZW_CREATE_RANDOMSEED_H
#define ZW_CREATE_RANDOMSEED_H

namespace zw::create {

// The seed of a random number in [0, 1): times 100, to the nearest whole
// number (halves to even).
int SeedOf(double random01);

// Seeds both sources with `seed`.
void SeedRandomSources(int seed);

// Seeds both sources from the time-seeded random source of the program;
// returns the seed used.
int SeedRandomSourcesFromClock();

} // namespace zw::create

#endif // ZW_CREATE_RANDOMSEED_H
