#pragma once

#include <cstdlib>

// The least time a benchmark runs for: `seconds`, unless SONA_BENCH_MIN_TIME asks for less, as CI
// does to prove every benchmark still runs without waiting for figures it does not read.
inline double benchMinTime(double seconds) {
    if (const char* quick = std::getenv("SONA_BENCH_MIN_TIME")) {
        const double asked = std::atof(quick);
        if (asked > 0 && asked < seconds)
            return asked;
    }
    return seconds;
}
