// Newcomer line checks and records.
#include "export/OpeningOrderNewcomer.h"

#include "export/OpeningOrderSlots.h"
#include "league/Kyoutuu.h"
#include "league/TeamFile.h"

namespace tenvoll {

namespace {

constexpr std::string_view kMirelSeparator = ";";
constexpr std::size_t kMirelPitcherFields = 20;
constexpr std::size_t kMirelFielderFields = 27;

// Career totals of a player without statistics: rates "0.00", counts 0.
constexpr std::string_view kPitcherZeroTotals = "0 0 0.00 0 0 0 0 0 0 0 0 0 0 0 0 0 0.00 0.00";
constexpr std::string_view kFielderZeroTotals = "0 0 0.00 0 0 0 0 0 0 0 0 0 0 0 0 0.00 0.00";

const NewcomerTexts kRookie{"新人選手データの入力",
                            "新人選手を入力してください。\r\nコピー&ペーストでの入力がお勧めです。",
                            "新", "新人"};
const NewcomerTexts kForeign{
    "外国人選手データの入力",
    "外国人選手を入力してください。\r\nコピー&ペーストでの入力がお勧めです。", "外", "新外人"};

bool isPitcher(const std::vector<std::string>& f) {
    return !f.empty() && isPitcherCode(f[0]);
}

bool isFielder(const std::vector<std::string>& f) {
    return !f.empty() && f[0] == kBenchCode;
}

} // namespace

const NewcomerTexts& newcomerTexts(NewcomerKind kind) {
    return kind == NewcomerKind::Rookie ? kRookie : kForeign;
}

std::optional<std::vector<std::string>> acceptedNewcomerLine(std::optional<ToolVariant> tool,
                                                             std::string_view line) {
    std::vector<std::string> f = splitFields(line);
    if (!isPitcher(f) && !isFielder(f))
        return std::nullopt;
    if (!tool)
        return std::nullopt;
    if (*tool == ToolVariant::Mirel) {
        const std::size_t separator = aptitudeStart(isPitcher(f)) - 1;
        const std::size_t needed = isPitcher(f) ? kMirelPitcherFields : kMirelFielderFields;
        if (f.size() < needed || f[separator] != kMirelSeparator)
            return std::nullopt;
    }
    // Both variants need the whole ability part (the name included).
    if (f.size() < abilityFieldCount(abilityLayout(f[0])))
        return std::nullopt;
    return f;
}

void writeNewcomerRecord(IniSection& player, const std::vector<std::string>& fields, long long term,
                         ToolVariant tool) {
    const bool pitcher = isPitcher(fields);
    player.setInteger(kFirstTerm, term);
    player.setInteger(kLastTerm, term);
    player.set(kToolKey, toolVariantText(tool));
    player.set(kComment, "");
    player.setBoolean(kPitcher, pitcher);
    player.set(kCareer, pitcher ? kPitcherZeroTotals : kFielderZeroTotals);
    player.set(termKey(term, kAbility), abilityText(fields));
    player.set(termKey(term, kAptitude), aptitudeText(fields, pitcher));
    player.set(termKey(term, kStats), "");
    player.set(termKey(term, kAffiliation), "");
}

} // namespace tenvoll
