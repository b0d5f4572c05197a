// Fuzzes the career totals and the term span of a player section: any team
// text (one player section) gives totals or a LeagueError, never undefined
// behaviour (the target runs under UBSan) or a wrapped number.
#include "league/IniStore.h"
#include "league/Kyoutuu.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/TeamFile.h"

#include <cstdint>
#include <string_view>

using namespace tenvoll;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    IniStore store = IniStore::parse(text);
    for (std::size_t i = 0; i < store.sectionCount(); ++i) {
        IniSection& player = store.sectionAt(i);
        try {
            recomputeCareerTotals(player);
        } catch (const LeagueError&) {
        }
        PlayerRecord record(player);
        (void)ratioTwoDecimals(record.firstTerm(), record.lastTerm());
    }
    return 0;
}
