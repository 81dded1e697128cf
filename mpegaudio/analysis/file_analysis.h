// How Analyse decides whether to attempt a file again.
#pragma once

#include <cstdint>

// An open failing with the system's code 4 repeats the attempt even without
// a hook; the failure may persist, so that repeat is bounded.
inline constexpr int kMaxUnhookedRepeats = 10;

// True when Analyse makes another attempt after one that ended with
// `status` (the hook's answer when `hooked`), `repeats` attempts having been
// repeated already. A hook that keeps answering 4 keeps Analyse attempting:
// the hook is in charge then.
bool AttemptAgain(std::int32_t status, bool hooked, int repeats);
