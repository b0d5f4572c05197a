// The term update's steps in memory: the league's players, newcomers, rosters,
// statistics, team files, unsigned players and statistics marks.
#include "termupdate/TermMerge.h"

#include "league/GameRules.h"
#include "league/GameText.h"
#include "league/Kyoutuu.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/TeamFile.h"
#include "league/TextCodec.h"
#include "league/TextCompare.h"
#include "termupdate/Dcheck.h"
#include "termupdate/StatsMarks.h"
#include "termupdate/TermUpdate.h"
#include "termupdate/WorkingStore.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <unordered_set>

namespace tenvoll {

namespace {

constexpr int kFirstTeam = 1;
constexpr int kFarmTeam = 2;
constexpr std::size_t kOutsField = 10;
// The unsigned players' text is written in pieces of about this size.
constexpr std::size_t kUnsignedPieceBytes = 1u << 20;

std::string lineRef(const std::string& file, std::size_t index) {
    return file + " の " + std::to_string(index + 1) + " 行目";
}

[[noreturn]] void failAt(const std::string& file, std::size_t index, const std::string& problem,
                         const std::string& line) {
    throw LeagueError(lineRef(file, index) + ": " + problem, line);
}

// A batting line's field 2 is an average: ".312" or "1.000".
bool isAverage(std::string_view field) {
    return field.starts_with(".") || field == "1.000";
}

// The first character (not byte) of a field.
std::string firstCharacter(const std::string& field) {
    if (field.empty())
        return field;
    auto lead = static_cast<unsigned char>(field[0]);
    std::size_t n = std::max<std::size_t>(1, utf8SequenceLength(lead));
    return field.substr(0, std::min(n, field.size()));
}

std::string abilityOf(const std::vector<std::string>& f, const std::string& file, std::size_t index,
                      const std::string& line) {
    try {
        return abilityText(f);
    } catch (const LeagueError& e) {
        failAt(file, index, e.what(), line);
    }
}

// One line of the statistics files with where it came from.
struct StatisticsLine {
    std::vector<std::string> fields;
    std::string text;
    const std::string* file;
    std::size_t index;
    bool keep = true;
};

// Team name -> 1 first team, 2 farm team, for every league entry.
class TeamRoles {
public:
    explicit TeamRoles(const std::vector<LeagueEntry>& entries) {
        for (const auto& e : entries) {
            roles_[foldCase(e.firstTeam)] = kFirstTeam;
            roles_[foldCase(e.farmTeam)] = kFarmTeam;
        }
    }
    // 1 first team, 2 farm team, 0 unknown (an empty name included).
    int of(std::string_view team) const {
        if (team.empty())
            return 0;
        auto it = roles_.find(foldCase(team));
        return it == roles_.end() ? 0 : it->second;
    }

private:
    std::unordered_map<std::string, int> roles_;
};

// The team and next slot a growth file's player lines go to; carried over
// from one growth file to the next.
struct RosterCursor {
    std::optional<std::string> team;
    int slot = 0;
    std::unordered_set<std::string> headersMet; // folded team names
};

class TermMerge {
public:
    TermMerge(const TermMergeInput& input, TermSources& sources, TermOutputSink& sink,
              TermProgress& progress)
        : in_(input), sources_(sources), sink_(sink), progress_(progress), roles_(input.entries),
          S_(input.newTerm), P_(input.newTerm - 1) {}

    TermOutputs run() {
        loadTeamFiles();
        enterNewPlayers();
        readGrowthFiles();
        processStatistics();
        buildTeamFiles();
        collectUnsignedPlayers();
        computeMarks();
        return std::move(out_);
    }

private:
    // The player's "投手" as readers take it: true when missing.
    bool isPitcher(std::string_view name) {
        IniSection* s = db_.find(name);
        return s ? s->boolean(kPitcher, true) : true;
    }

    // The first file a name is read from, for the messages about its player.
    static void noteOrigin(NameNote& note, const std::string& file) {
        if (!note.origin)
            note.origin = &file;
    }

    // ---- step 1: every player of the league's team files ---------------------------

    void loadTeamFiles() {
        std::optional<long long> newest; // highest "最終" of the team files
        for (std::size_t t = 0; t < in_.entries.size(); ++t) {
            progress_.appendDot();
            const std::string& path = in_.teamPaths[t];
            std::string text = sources_.teamFileText(t);
            IniStore team = IniStore::parse(text);
            if (isTeamFile(team))
                takePlayers(team, path, newest);
            else if (isDamagedTeamFile(team))
                throw LeagueError(damagedTeamFileMessage(path, team), in_.entries[t].firstTeam);
            else
                checkReplaceable(splitLines(text), path);
            progress_.advance();
        }
        checkTermAgainstLeague(newest);
    }

    // A term below the league's newest would rewind the league; the newest
    // term itself is added again only when asked for.
    void checkTermAgainstLeague(std::optional<long long> newest) const {
        if (!newest)
            return;
        if (S_ < *newest)
            throw LeagueError(termBelowNewestMessage(S_, *newest));
        if (S_ == *newest && !in_.again)
            throw LeagueError(sameTermMessage(S_));
    }

    void takePlayers(IniStore& team, const std::string& path, std::optional<long long>& newest) {
        for (std::size_t i = 0; i < team.sectionCount(); ++i) {
            IniSection& s = team.sectionAt(i);
            if (equalsIgnoreCase(s.name(), kTeamSection))
                continue;
            long long last = lastTermOf(s);
            if (!newest || last > *newest)
                newest = last;
            std::string name = s.name();
            NameNote* note = nullptr;
            if (db_.add(std::move(s), &note)) {
                note->inTeamFile = true;
                noteOrigin(*note, path);
            } else if (!note->shared) {
                note->shared = true;
                out_.sharedNames.push_back(std::move(name));
            }
        }
    }

    // A file without section "Team" is replaced by the new team file. That is
    // right for game text initialised by the data check for term P, but an
    // older-form file holding other terms would lose its history.
    void checkReplaceable(const std::vector<std::string>& lines, const std::string& path) const {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            auto old = oldFormLine(splitFields(lines[i]));
            if (old && old->term && *old->term != P_)
                failAt(path, i,
                       "旧形式のチームファイルに" + std::to_string(*old->term) +
                           "期のデータがあります。メイン画面で開いてチームファイルに変換してから"
                           "実行してください。",
                       lines[i]);
        }
    }

    // ---- step 2: newcomers of term P ---------------------------------------------

    void enterNewPlayers() {
        progress_.setStatus("選手一覧作成");
        for (const auto& file : in_.newPlayerFiles) {
            progress_.appendDot();
            std::vector<std::string> lines = sources_.listFileLines(file);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                std::vector<std::string> f = splitFields(lines[i]);
                if (!isGamePlayerLine(f))
                    continue;
                const NameNote* known = db_.lookUp(f[1]).note;
                if (known && known->inTeamFile)
                    continue;
                enterNewPlayer(f, file, i, lines[i]);
            }
            progress_.advance();
        }
    }

    void enterNewPlayer(const std::vector<std::string>& f, const std::string& file,
                        std::size_t index, const std::string& line) {
        bool pitcher = isGamePitcherCode(f[0]);
        std::string ability = abilityOf(f, file, index, line);
        WorkingStore::Held held = db_.ensureHeld(f[1]);
        IniSection& s = *held.section;
        s.setInteger(kFirstTerm, P_);
        s.setInteger(kLastTerm, P_);
        s.set(kToolKey, toolVariantText(in_.tool));
        s.set(kComment, "");
        s.setBoolean(kPitcher, pitcher);
        s.set(kCareer, "");
        s.set(termKey(P_, kAbility), ability);
        s.set(termKey(P_, kAptitude), aptitudeText(f, pitcher));
        s.set(termKey(P_, kStats), "");
        s.set(termKey(P_, kAffiliation), "");
        noteOrigin(*held.note, file);
    }

    // ---- step 3: rosters, abilities and aptitudes of term S -----------------------

    void readGrowthFiles() {
        progress_.setStatus("選手一覧確認終了");
        RosterCursor cursor;
        for (const auto& file : in_.growthFiles) {
            std::vector<std::string> lines = sources_.listFileLines(file);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                std::vector<std::string> f = splitFields(lines[i]);
                if (f.empty())
                    continue;
                if (int role = roles_.of(f[0]))
                    readTeamHeader(cursor, role, f[0], lines, i, file);
                else if (isGamePlayerLine(f))
                    readRosterPlayer(cursor, f, file, i, lines[i]);
            }
            progress_.advance();
        }
        for (const auto& e : in_.entries)
            for (const std::string* team : {&e.firstTeam, &e.farmTeam})
                if (!cursor.headersMet.contains(foldCase(*team)))
                    throw LeagueError("成長ファイルに「" + *team +
                                      "」のチーム名の行がありません。このままではチームの全選手が"
                                      "未契約選手になるため、中止しました。");
    }

    void readTeamHeader(RosterCursor& cursor, int role, const std::string& team,
                        const std::vector<std::string>& lines, std::size_t i,
                        const std::string& file) {
        if (i + 6 >= lines.size())
            failAt(file, i, "チーム名の行の3行後 (UNIFORM) と6行後 (監督) の行がありません。",
                   lines[i]);
        const std::string prefix = role == kFirstTeam ? "1軍" : "2軍";
        IniSection& s = db_.ensure(team);
        s.set(prefix + "チーム名", lines[i]);
        s.set(prefix + "UNIFORM", lines[i + 3]);
        s.set(prefix + "監督", lines[i + 6]);
        cursor.slot = role == kFirstTeam ? 0 : kFarmFirstSlot;
        cursor.team = team;
        cursor.headersMet.insert(foldCase(team));
    }

    void readRosterPlayer(RosterCursor& cursor, const std::vector<std::string>& f,
                          const std::string& file, std::size_t index, const std::string& line) {
        if (!cursor.team)
            failAt(file, index, "チーム名の行より前に選手の行があります。", line);
        db_.ensure(*cursor.team).set(std::to_string(cursor.slot++), f[0] + " " + f[1]);
        bool pitcher = isGamePitcherCode(f[0]);
        std::string ability = abilityOf(f, file, index, line);
        WorkingStore::Held held = db_.ensureHeld(f[1]);
        IniSection& s = *held.section;
        s.setInteger(kLastTerm, S_);
        s.set(termKey(S_, kAbility), ability);
        s.set(termKey(S_, kAptitude), aptitudeText(f, pitcher));
        s.set(termKey(P_, kStats), "");
        s.set(termKey(S_, kStats), "");
        s.set(termKey(P_, kAffiliation), *cursor.team);
        s.set(termKey(S_, kAffiliation), "");
        // A player known from no file would otherwise count as a pitcher.
        if (!s.has(kPitcher))
            s.setBoolean(kPitcher, pitcher);
        noteOrigin(*held.note, file);
    }

    // ---- step 4: first-team statistics of term P ------------------------------------

    void processStatistics() {
        progress_.setStatus("成績処理中");
        std::vector<StatisticsLine> lines = readStatisticsLines();
        for (auto it = lines.rbegin(); it != lines.rend(); ++it)
            storeStatistics(*it);
        std::unordered_set<std::string> names;
        for (const auto& line : lines)
            if (line.keep && names.insert(foldCase(line.fields[0])).second)
                statisticsText_.push_back(line.text);
        sink_.write({in_.statisticsPath, joinCrlf(statisticsText_)});
        progress_.setStatus("成績処理終了");
    }

    // All lines of the statistics files without the headings, normalised.
    std::vector<StatisticsLine> readStatisticsLines() {
        std::vector<StatisticsLine> out;
        for (const auto& file : in_.statisticsFiles) {
            std::vector<std::string> lines = sources_.listFileLines(file);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                std::vector<std::string> f = splitFields(lines[i]);
                if (f.empty())
                    failAt(file, i, "成績ファイルに空の行があります。", lines[i]);
                if (equalsIgnoreCase(f[0], "打率") || equalsIgnoreCase(f[0], "防御"))
                    continue;
                normalise(f);
                checkMagnitudes(f, file, i, lines[i]);
                std::string text = joinFields(f);
                out.push_back({std::move(f), std::move(text), &file, i});
            }
            progress_.advance();
        }
        return out;
    }

    // Counts and rates beyond anything the game writes come from a damaged
    // file: refused here, with their place, before they reach the career
    // totals or the statistics marks.
    static void checkMagnitudes(const std::vector<std::string>& f, const std::string& file,
                                std::size_t index, const std::string& line) {
        if (f.size() != kBatterStatisticsFields && f.size() != kPitcherStatisticsFields)
            return;
        for (std::size_t k = 2; k < f.size(); ++k) {
            std::optional<long long> v = parseInteger(f[k]);
            if (!v)
                v = parseWithoutPoints(f[k]);
            if (v && (*v > kNumberLimit || *v < -kNumberLimit))
                failAt(file, index,
                       std::to_string(k + 1) + " 番目の項目 " + f[k] +
                           " はゲームの成績としては大きすぎます。",
                       line);
        }
    }

    // Pitching lines get the 18-field layout: outs cut to one character, or a
    // "0" put in where a pitcher's line lacks them.
    void normalise(std::vector<std::string>& f) {
        if (f.size() == kPitcherStatisticsFields)
            f[kOutsField] = firstCharacter(f[kOutsField]);
        else if (f.size() == kBatterStatisticsFields && isPitcher(f[0]) && !isAverage(f[2]))
            f.insert(f.begin() + kOutsField, "0");
    }

    // Runs from the last line to the first, so a player's first line stays stored.
    void storeStatistics(StatisticsLine& line) {
        const std::string& name = line.fields[0];
        IniSection* player = db_.find(name);
        std::string team = player ? player->value(termKey(P_, kAffiliation)) : std::string();
        switch (roles_.of(team)) {
        case kFirstTeam: {
            bool pitcher = player->boolean(kPitcher, true);
            bool battingLine = line.fields.size() == kBatterStatisticsFields ||
                               (line.fields.size() > 2 && isAverage(line.fields[2]));
            if (pitcher && battingLine) {
                line.keep = false; // a pitcher's batting line
                return;
            }
            checkCounts(line, pitcher);
            player->set(termKey(P_, kStats), line.text);
            return;
        }
        case kFarmTeam:
            line.keep = false;
            return;
        default:
            return; // team unknown: the line stays in the file, nothing is stored
        }
    }

    // The career totals will sum this line's counts; refuse it now, with its place.
    static void checkCounts(const StatisticsLine& line, bool pitcher) {
        try {
            careerTotals({line.text}, pitcher);
        } catch (const LeagueError& e) {
            failAt(*line.file, line.index, e.what(), line.text);
        }
    }

    // ---- step 5: the team files ---------------------------------------------------

    void buildTeamFiles() {
        for (std::size_t t = 0; t < in_.entries.size(); ++t) {
            const LeagueEntry& e = in_.entries[t];
            progress_.setStatus(e.firstTeam + "を処理中");
            IniSection header = teamHeader(e);
            progress_.setStatus(e.firstTeam + "終了、" + e.farmTeam + "を処理中");
            std::string text;
            appendSectionText(text, header);
            for (int slot = 0; slot < kSlotCount; ++slot) {
                NameNote note;
                std::unique_ptr<IniSection> player = takeSlotPlayer(header, slot, note);
                if (!player)
                    continue; // an empty slot or a player already placed
                computeTotals(*player, note);
                appendSectionText(text, *player);
            }
            sink_.write({in_.teamPaths[t], std::move(text)});
            db_.take(e.firstTeam);
            db_.take(e.farmTeam);
            progress_.advance();
        }
    }

    IniSection teamHeader(const LeagueEntry& e) {
        IniSection header{std::string(kTeamSection)};
        const IniSection* first = db_.find(e.firstTeam);
        const IniSection* farm = db_.find(e.farmTeam);
        auto valueOf = [](const IniSection* s, std::string_view key) {
            return s ? s->value(key) : std::string();
        };
        for (int k = 0; k < 3; ++k)
            header.append(kTeamHeaderKeys[k], valueOf(first, kTeamHeaderKeys[k]));
        for (int k = 3; k < 6; ++k)
            header.append(kTeamHeaderKeys[k], valueOf(farm, kTeamHeaderKeys[k]));
        header.append(kToolKey, toolVariantText(in_.tool));
        for (int slot = 0; slot < kSlotCount; ++slot)
            header.append(std::to_string(slot),
                          valueOf(slot < kFarmFirstSlot ? first : farm, std::to_string(slot)));
        return header;
    }

    std::unique_ptr<IniSection> takeSlotPlayer(const IniSection& header, int slot, NameNote& note) {
        std::vector<std::string> f = splitFields(header.value(std::to_string(slot)));
        if (f.size() < 2 || f[1].empty())
            return nullptr;
        return db_.take(f[1], &note);
    }

    static void computeTotals(IniSection& player, const NameNote& note) {
        try {
            recomputeCareerTotals(player);
        } catch (const LeagueError& e) {
            throw LeagueError(e.what(), note.origin ? *note.origin : std::string());
        }
    }

    // ---- step 6: players on no roster -------------------------------------------------

    void collectUnsignedPlayers() {
        if (std::optional<std::string> text = sources_.existingText(in_.unsignedPath)) {
            IniStore old = IniStore::parse(*text);
            for (std::size_t i = 0; i < old.sectionCount(); ++i)
                db_.add(std::move(old.sectionAt(i)));
        }
        // Each player leaves the working store once his text is written, and
        // the text goes to the file a piece at a time, so the store shrinks
        // while the file grows.
        sink_.writeInPieces(in_.unsignedPath, [&](const TermOutputSink::PieceWriter& put) {
            std::string text;
            db_.drain([&](const IniSection& s) {
                appendSectionText(text, s);
                ++out_.unsignedPlayers;
                if (text.size() >= kUnsignedPieceBytes) {
                    put(text);
                    text.clear();
                }
            });
            put(text);
        });
        progress_.advance();
    }

    // ---- step 7: statistics marks of term P ----------------------------------------------

    void computeMarks() {
        progress_.setStatus("Top10の成績確認");
        progress_.setStatus(statsMarksStatus(in_.statisticsPath));
        std::vector<std::string> section =
            statsMarksSection(statisticsText_, P_, in_.games, in_.statisticsPath);
        progress_.setStatus(std::string(kMarksDone));
        sink_.write({in_.top10Path, joinCrlf(section)});
        if (std::optional<std::string> old = sources_.existingBytes(in_.seisekiPath))
            sink_.write({in_.seisekiPath, prependSection(*old, section, in_.seisekiPath), true});
        progress_.advance();
    }

    const TermMergeInput& in_;
    TermSources& sources_;
    TermOutputSink& sink_;
    TermProgress& progress_;
    const TeamRoles roles_;
    const long long S_;
    const long long P_;

    WorkingStore db_;                         // every section with its name's note
    std::vector<std::string> statisticsText_; // the first-team statistics lines
    TermOutputs out_;
};

} // namespace

long long lastTermOf(const IniSection& player) {
    long long last = 0;
    player.visitLines([&](const IniLine& line) {
        if (line.raw || !equalsIgnoreCase(line.key, kLastTerm))
            return true;
        last = parseIntegerOr(line.value, 0);
        return false;
    });
    return last;
}

void TermOutputSink::writeInPieces(const std::string& path,
                                   const std::function<void(const PieceWriter&)>& produce) {
    std::string text;
    produce([&](std::string_view piece) { text += piece; });
    write({path, std::move(text)});
}

TermOutputs mergeTerm(const TermMergeInput& input, TermSources& sources, TermOutputSink& sink,
                      TermProgress& progress) {
    return TermMerge(input, sources, sink, progress).run();
}

TermOutputs mergeTerm(const TermMergeInput& input, TermSources& sources, TermProgress& progress) {
    struct Keep : TermOutputSink {
        std::vector<OutputFile> files;
        void write(OutputFile file) override { files.push_back(std::move(file)); }
    } keep;
    TermOutputs out = mergeTerm(input, sources, keep, progress);
    out.files = std::move(keep.files);
    return out;
}

std::size_t mergeProgressUnits(const TermMergeInput& input) {
    const std::size_t lists =
        input.newPlayerFiles.size() + input.growthFiles.size() + input.statisticsFiles.size();
    return 2 * input.entries.size() + lists + 2;
}

} // namespace tenvoll
