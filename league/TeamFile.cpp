// Team-file helpers: recognition, display name, roster slots and career totals.
#include "league/TeamFile.h"

#include "league/IniText.h"
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

namespace {

bool isDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A key only a team file writes: a header or slot key of "Team", a player key,
// or a term key (the term's digits and 能力, 資質, 成績 or 所属). The game's
// text never has lines of that form.
bool isTeamFileKey(std::string_view key) {
    for (std::string_view k : kTeamHeaderKeys)
        if (equalsIgnoreCase(key, k))
            return true;
    for (std::string_view k : {kFirstTerm, kLastTerm, kToolKey, kComment, kPitcher, kCareer})
        if (equalsIgnoreCase(key, k))
            return true;
    if (isDigits(key))
        return true;
    for (std::string_view what : {kAbility, kAptitude, kStats, kAffiliation})
        if (key.size() > what.size() && key.ends_with(what) &&
            isDigits(key.substr(0, key.size() - what.size())))
            return true;
    return false;
}

bool hasTeamFileKeyLines(const IniStore& team) {
    for (const std::string& line : team.preamble()) {
        IniTextLine l;
        l.line = line;
        classifyIniLine(l);
        if (l.kind == IniTextLine::Key && isTeamFileKey(l.name))
            return true;
    }
    return false;
}

} // namespace

bool isDamagedTeamFile(const IniStore& team) {
    return !isTeamFile(team) && (team.sectionCount() > 0 || hasTeamFileKeyLines(team));
}

std::string damagedTeamFileMessage(const std::string& path, const IniStore& team) {
    const char* what =
        team.sectionCount() > 0
            ? " に選手のセクションがありますが、正しい [Team] セクションがありません。"
            : " はチームファイルの項目 (キー=値) の行だけで、セクションの行がありません。";
    return "チームファイル " + path + what +
           "ファイルが壊れている可能性があります。選手の履歴を失わないよう中止しました。"
           "バックアップから戻すか、セクションの行を直してください。";
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
