// The random source of the translation salt.
#pragma once

namespace vorbel {

// A uniformly drawn integer in [low, high], both inclusive; low when high is
// below low. Safe to call from any number of threads at once: every call
// seeds its own generator from the system's entropy source, so no state is
// shared between calls.
int random_between(int low, int high);

}  // namespace vorbel
