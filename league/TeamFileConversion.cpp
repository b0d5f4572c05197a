// Old-layout conversion: unregistered numbering, team values, player sections,
// per-term data and career totals, then the completeness check.
#include "league/TeamFileConversion.h"

#include "league/FileAccess.h"
#include "league/GameRules.h"
#include "league/Kyoutuu.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/Paths.h"
#include "league/TeamFile.h"
#include "league/TextCompare.h"

#include <array>

namespace tenvoll {

namespace {

constexpr std::string_view kUnregistered = "未登録";

[[noreturn]] void fail(const std::string& detail) {
    throw LeagueError(kConversionFailed, detail);
}

bool isOldPlayerCode(std::string_view code) {
    return abilityLayout(code) != LineLayout::None;
}

std::string withoutSemicolons(std::string_view s) {
    return replaceAll(s, ";", "");
}

// Positions of the first four lone ";" fields of a player line.
std::array<std::size_t, 4> groupMarks(const std::vector<std::string>& f) {
    std::array<std::size_t, 4> marks;
    marks.fill(std::string::npos);
    std::size_t found = 0;
    for (std::size_t i = 0; i < f.size() && found < 4; ++i)
        if (f[i] == ";")
            marks[found++] = i;
    return marks;
}

long long termOfLine(const std::vector<std::string>& f, const std::string& line) {
    auto marks = groupMarks(f);
    if (marks[2] == std::string::npos || marks[2] + 1 >= f.size())
        fail("期の項目がありません: " + line);
    auto term = parseInteger(f[marks[2] + 1]);
    if (!term)
        fail("期の項目が数値ではありません: " + line);
    return *term;
}

} // namespace

IniStore convertOldLayout(const std::vector<std::string>& input, ConversionMode mode) {
    const bool teamMode = mode == ConversionMode::Team;

    // 1. Lines without the empty ones.
    std::vector<std::string> lines;
    for (const auto& l : input)
        if (l.find_first_not_of(" \t") != std::string::npos)
            lines.push_back(l);

    // 2. Unregistered places: numbered from the last line up (team), or dropped.
    int counter = 0;
    for (std::size_t k = lines.size(); k-- > 0;) {
        if (!containsIgnoreCase(lines[k], kUnregistered))
            continue;
        if (!teamMode) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(k));
            continue;
        }
        ++counter;
        std::vector<std::string> f = splitFields(lines[k]);
        for (auto& field : f)
            if (field == kUnregistered)
                field = std::string(kUnregistered) + std::to_string(counter);
        lines[k] = joinFields(f);
    }

    IniStore store;
    IniSection& team = store.ensureSection(kTeamSection);

    // 3. Team names, uniforms and managers: first block the first team's.
    if (teamMode) {
        static constexpr std::array<std::string_view, 3> kinds = {"チーム名", "UNIFORM", "監督"};
        for (std::size_t k = 0; k + 1 < lines.size(); ++k) {
            std::vector<std::string> f = splitFields(lines[k]);
            if (f.size() < 2)
                continue;
            for (auto kind : kinds) {
                if (f[1] != kind)
                    continue;
                std::string first = "1軍" + std::string(kind);
                std::string key = team.has(first) ? "2軍" + std::string(kind) : first;
                team.set(key, withoutSemicolons(lines[k + 1]));
            }
        }
    }

    // 4.
    team.set(kToolKey, toolVariantText(ToolVariant::Mirel));

    // 5. Player sections, newest lines first.
    int slot = 0;
    for (const auto& line : lines) {
        std::vector<std::string> f = splitFields(line);
        if (f.size() < 2 || !isOldPlayerCode(f[0]))
            continue;
        const std::string& name = f[1];
        long long term = termOfLine(f, line);
        IniSection* player = store.section(name);
        if (player) {
            player->setInteger(kFirstTerm, term);
        } else {
            if (teamMode)
                team.set(std::to_string(slot), f[0] + " " + name);
            ++slot;
            player = &store.appendSection(name);
            player->setInteger(kFirstTerm, term);
            player->setInteger(kLastTerm, term);
            player->set(kToolKey, toolVariantText(ToolVariant::Mirel));
            player->set(kComment, "");
        }
        player->setBoolean(kPitcher, isPitcherCode(f[0]));
        player->set(kCareer, "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0");
    }

    // 6. Per-term data, oldest lines first so that the newest win.
    for (std::size_t k = lines.size(); k-- > 0;) {
        std::vector<std::string> f = splitFields(lines[k]);
        if (f.size() < 2 || !isOldPlayerCode(f[0]))
            continue;
        auto marks = groupMarks(f);
        long long term = termOfLine(f, lines[k]);
        IniSection& player = *store.section(f[1]);
        std::vector<std::string> abilityFields(
            f.begin(), f.begin() + static_cast<std::ptrdiff_t>(
                                       marks[0] == std::string::npos ? f.size() : marks[0]));
        try {
            player.set(termKey(term, kAbility), abilityText(abilityFields));
        } catch (const LeagueError& e) {
            fail(e.what());
        }
        player.set(termKey(term, kAptitude), joinFields(f, marks[0] + 1, marks[1]));
        player.set(termKey(term, kStats), joinFields(f, marks[1] + 1, marks[2]));
        std::string affiliation;
        if (marks[3] != std::string::npos && marks[3] + 1 < f.size())
            affiliation = f[marks[3] + 1];
        player.set(termKey(term, kAffiliation), affiliation);
    }

    // 7. Career totals.
    try {
        recomputeAllCareerTotals(store);
    } catch (const LeagueError& e) {
        fail(e.what());
    }

    // 8. A team file must be complete.
    if (teamMode) {
        for (auto key : kTeamHeaderKeys)
            if (!team.has(key))
                fail("「" + std::string(key) + "」がありません");
        for (int s = 0; s < kSlotCount; ++s)
            if (!team.has(std::to_string(s)))
                fail("選手枠 " + std::to_string(s) + " がありません (選手の行が " +
                     std::to_string(slot) + " 人分しかありません)");
    }
    return store;
}

std::string conversionTarget(const std::string& path, ConversionMode mode) {
    if (mode == ConversionMode::Team)
        return path;
    return joinPath(folderOf(path), "0" + fileNameOf(path));
}

std::string convertOldFile(const std::string& path, ConversionMode mode) {
    std::vector<std::string> lines;
    try {
        lines = readTextLines(path);
    } catch (const LeagueError& e) {
        fail(e.what());
    }
    IniStore store = convertOldLayout(lines, mode);
    std::string target = conversionTarget(path, mode);
    // The four-digit file of a term is the newer one (the term update writes it):
    // converting its old twin again must not replace it.
    if (mode == ConversionMode::Unsigned && fileExists(target))
        fail("変換先のファイルがすでにあります: " + target);
    try {
        store.save(target);
    } catch (const LeagueError& e) {
        fail(e.what());
    }
    return target;
}

} // namespace tenvoll
