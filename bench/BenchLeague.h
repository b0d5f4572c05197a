// The sample league the benchmarks run on. TENVOLL_BENCH_LEAGUE=TEAMSxTERMSxPLAYERS
// picks its size (default 22x99x600, the largest the first generator made;
// 48x200x600 is the big one of the README table). Each benchmark program
// generates it once into a temporary folder, outside the timing.
#pragma once

#include "tools/sample-league/SampleLeague.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace tenvoll::bench {

inline sample::SampleOptions benchLeagueOptions() {
    sample::SampleOptions o{22, 99, 600, 1};
    if (const char* size = std::getenv("TENVOLL_BENCH_LEAGUE")) {
        if (std::sscanf(size, "%dx%dx%d", &o.teams, &o.terms, &o.players) != 3) {
            std::fprintf(stderr, "TENVOLL_BENCH_LEAGUE: expected TEAMSxTERMSxPLAYERS, not %s\n",
                         size);
            std::exit(2);
        }
    }
    return o;
}

inline std::string benchLeagueLabel() {
    sample::SampleOptions o = benchLeagueOptions();
    return std::to_string(o.teams) + "x" + std::to_string(o.terms) + "x" +
           std::to_string(o.players);
}

} // namespace tenvoll::bench
