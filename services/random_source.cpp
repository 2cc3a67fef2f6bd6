#include "services/random_source.h"

#include <random>

namespace vorbel {

int random_between(int low, int high) {
    if (high <= low) return low;
    // One salt per recognition is drawn, so seeding per call costs nothing
    // that matters and keeps the routine free of shared state.
    std::random_device entropy;
    std::seed_seq seed{entropy(), entropy(), entropy(), entropy()};
    std::mt19937 generator(seed);
    return std::uniform_int_distribution<int>(low, high)(generator);
}

}  // namespace vorbel
