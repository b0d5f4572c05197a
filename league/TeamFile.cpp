// Team-file helpers: recognition, display name, roster slots and career totals.
#include "league/TeamFile.h"

#include "league/Kyoutuu.h"
#include "league/LeagueError.h"
#include "league/TextCompare.h"

#include <algorithm>

namespace tenvoll {

long long clampedTerm(long long term) {
    return std::clamp(term, -kTermLimit, kTermLimit);
}

bool isTeamFile(const IniStore& team) {
    return team.hasSection(kTeamSection);
}

bool isDamagedTeamFile(const IniStore& team) {
    return !isTeamFile(team) && team.sectionCount() > 0;
}

std::string damagedTeamFileMessage(const std::string& path) {
    return "チームファイル " + path +
           " に選手のセクションがありますが、正しい [Team] セクションがありません。"
           "ファイルが壊れている可能性があります。選手の履歴を失わないよう中止しました。"
           "バックアップから戻すか、[Team] の行を直してください。";
}

std::string teamDisplayName(const IniStore& team) {
    std::vector<std::string> f = splitFields(team.value(kTeamSection, "1軍チーム名"));
    return f.empty() ? std::string() : f[0];
}

std::optional<RosterSlot> rosterSlot(const IniStore& team, int slot) {
    const IniSection* s = team.section(kTeamSection);
    const std::string_view* value = s ? s->find(std::to_string(slot)) : nullptr;
    if (!value)
        return std::nullopt;
    std::vector<std::string> f = splitFields(*value);
    RosterSlot r;
    if (!f.empty())
        r.position = f[0];
    if (f.size() > 1)
        r.name = f[1];
    return r;
}

std::string PlayerRecord::termValue(long long term, std::string_view what) const {
    return s_.value(termKey(term, what));
}

std::vector<std::string> PlayerRecord::statisticsLines() const {
    std::vector<std::string> lines;
    long long first = firstTerm();
    long long last = std::min(lastTerm(), first + kMaxTermSpan);
    for (long long t = first; t <= last; ++t) {
        std::string v = termValue(t, kStats);
        if (!v.empty())
            lines.push_back(std::move(v));
    }
    return lines;
}

void recomputeCareerTotals(IniSection& player) {
    PlayerRecord record(player);
    try {
        player.set(kCareer, careerTotals(record.statisticsLines(), record.isPitcher()));
    } catch (const LeagueError& e) {
        throw LeagueError("選手「" + player.name() + "」の通算成績を計算できません。\n" + e.what());
    }
}

void recomputeAllCareerTotals(IniStore& team) {
    for (std::size_t i = 0; i < team.sectionCount(); ++i) {
        IniSection& s = team.sectionAt(i);
        if (!equalsIgnoreCase(s.name(), kTeamSection))
            recomputeCareerTotals(s);
    }
}

} // namespace tenvoll
