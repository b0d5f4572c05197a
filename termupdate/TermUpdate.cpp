// The term update: reading the league and the game's files, the steps that
// build the new term in memory, and writing everything in one transaction.
#include "termupdate/TermUpdate.h"

#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/GameText.h"
#include "league/Kyoutuu.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/Paths.h"
#include "league/Platform.h"
#include "league/Settings.h"
#include "league/TeamFile.h"
#include "league/TextCodec.h"
#include "league/TextCompare.h"
#include "termupdate/Dcheck.h"
#include "termupdate/StatsMarks.h"
#include "termupdate/TermInputs.h"
#include "termupdate/WorkingStore.h"

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace tenvoll {

namespace {

constexpr int kFirstTeam = 1;
constexpr int kFarmTeam = 2;
constexpr int kFarmFirstSlot = 28;
constexpr std::size_t kPitchingFields = 18;
constexpr std::size_t kBattingFields = 17;
constexpr std::size_t kOutsField = 10;

constexpr std::string_view kScratchFiles[] = {"\\temp\\新人.txt", "\\temp\\成長.txt",
                                              "\\temp\\未契約選手.txt"};

std::string lineRef(const std::string& file, std::size_t index) {
    return file + " の " + std::to_string(index + 1) + " 行目";
}

[[noreturn]] void failAt(const std::string& file, std::size_t index, const std::string& problem,
                         const std::string& line) {
    throw LeagueError(lineRef(file, index) + ": " + problem, line);
}

// A player's "最終" read without building the section's key index: the
// working store holds every player of the league at once, and an index for
// each would take more memory than their lines.
long long lastTermOf(const IniSection& player) {
    for (const IniLine& line : player.lines())
        if (!line.raw && equalsIgnoreCase(line.key, kLastTerm))
            return parseIntegerOr(line.value, 0);
    return 0;
}

bool isPitcherCode(std::string_view code) {
    return code == "P" || code == "p";
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

// One line of the statistics files with where it came from.
struct StatisticsLine {
    std::vector<std::string> fields;
    std::string text;
    const std::string* file;
    std::size_t index;
    bool keep = true;
};

// Folders created by a run, removed again (when empty) unless the run succeeds.
class CreatedFolders {
public:
    ~CreatedFolders() {
        if (kept_)
            return;
        for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
            std::error_code ec;
            std::filesystem::remove(platform::fsPath(resolvePath(*it)), ec);
        }
    }
    void ensure(const std::string& path) {
        if (path.empty() || folderExists(path))
            return;
        std::string parent = folderOf(path);
        if (!parent.empty() && parent != path)
            ensure(parent);
        createFolders(path);
        created_.push_back(path);
    }
    void keep() { kept_ = true; }
    const std::vector<std::string>& created() const { return created_; }

private:
    std::vector<std::string> created_;
    bool kept_ = false;
};

class TermUpdateRun {
public:
    TermUpdateRun(const TermUpdateInput& input, TermUpdateReporter& reporter)
        : in_(input), reporter_(reporter), S_(input.newTerm), P_(input.newTerm - 1) {}

    TermUpdateResult run() {
        setStatus("準備中");
        checkInputs();
        readRegistry();
        loadTeamFiles();
        enterNewPlayers();
        readGrowthFiles();
        processStatistics();
        buildTeamFiles();
        collectUnsignedPlayers();
        computeMarks();
        writeAll();
        deleteScratchFiles();
        setStatus(std::string(kStatusDone));
        return std::move(result_);
    }

private:
    struct Output {
        std::string path;
        std::string content;
        bool encoded = false; // content is the file's bytes, not UTF-8 text
    };

    // ---- reporting -----------------------------------------------------------

    void setStatus(std::string text) {
        status_ = std::move(text);
        reporter_.status(status_);
    }
    void appendDot() { setStatus(status_ + "."); }
    void advance() { reporter_.progress(++done_, total_); }

    // ---- inputs ----------------------------------------------------------------

    void checkInputs() {
        checkNewTerm(S_);
        checkGames(in_.games);
        if (in_.tool != "標準" && in_.tool != "Mirel")
            throw LeagueError("利用ツールを選択してください。", "ツール: " + in_.tool);
    }

    void readRegistry() {
        Settings settings(in_.programFolder);
        settings.load();
        entries_ = settings.entries(in_.leagueName);
        if (entries_.empty())
            throw LeagueError("機構「" + in_.leagueName + "」にチームが登録されていません。");
        leagueFolder_ = settings.leagueFolder(in_.leagueName);
        if (leagueFolder_.empty())
            throw LeagueError("機構「" + in_.leagueName +
                              "」の1番目のチーム (チーム名0) が登録されていないため、"
                              "リーグのフォルダが分かりません。");
        std::unordered_map<std::string, std::string> seen;
        for (const auto& e : entries_) {
            std::string path = joinProgramFolder(in_.programFolder, e.path);
            // Two teams writing one file would lose the first team's players;
            // "..", links and other spellings of one file count as that file.
            auto [it, fresh] = seen.try_emplace(fileIdentity(path), e.firstTeam);
            if (!fresh)
                throw LeagueError("同じチームファイルが二つのチームに登録されています: " + path,
                                  it->second + "、" + e.firstTeam);
            teamPaths_.push_back(path);
            roles_[foldCase(e.firstTeam)] = kFirstTeam;
            roles_[foldCase(e.farmTeam)] = kFarmTeam;
        }
        // Reading and building each team, each list file, the unsigned players and
        // the marks; then (an estimate, set exactly before writing) each team file
        // with its backup, four more files and the commit.
        const std::size_t teams = entries_.size();
        const std::size_t lists =
            in_.newPlayerFiles.size() + in_.growthFiles.size() + in_.statisticsFiles.size();
        total_ = 2 * teams + lists + 2 + (2 * teams + 5);
    }

    // 1 first team, 2 farm team, 0 unknown (an empty name included).
    int roleOf(std::string_view team) const {
        if (team.empty())
            return 0;
        auto it = roles_.find(foldCase(team));
        return it == roles_.end() ? 0 : it->second;
    }

    // The player's "投手" as readers take it: true when missing.
    bool isPitcher(std::string_view name) {
        IniSection* s = db_.find(name);
        return s ? s->boolean(kPitcher, true) : true;
    }

    std::string readText(const std::string& path) {
        std::string bytes = readFileBytes(path);
        std::string text = decodeFileBytes(bytes, path).text;
        originals_[path] = std::move(bytes);
        return text;
    }

    // ---- step 1: every player of the league's team files ---------------------------

    void loadTeamFiles() {
        for (std::size_t t = 0; t < entries_.size(); ++t) {
            appendDot();
            const std::string& path = teamPaths_[t];
            if (!folderExists(folderOf(path)))
                throw LeagueError("チームファイルのフォルダがありません: " + folderOf(path),
                                  entries_[t].firstTeam);
            if (!fileExists(path))
                throw LeagueError("チームファイルがありません: " + path, entries_[t].firstTeam);
            std::string text = readText(path);
            IniStore team = IniStore::parse(text);
            if (isTeamFile(team))
                takePlayers(team, path);
            else if (isDamagedTeamFile(team))
                throw LeagueError(damagedTeamFileMessage(path), entries_[t].firstTeam);
            else
                checkReplaceable(splitLines(text), path);
            advance();
        }
        checkTermAgainstLeague();
    }

    // A term below the league's newest would rewind the league; the newest
    // term itself is added again only when asked for.
    void checkTermAgainstLeague() {
        if (!newestTerm_)
            return;
        if (S_ < *newestTerm_)
            throw LeagueError(termBelowNewestMessage(S_, *newestTerm_));
        if (S_ == *newestTerm_ && !in_.again)
            throw LeagueError(sameTermMessage(S_));
    }

    void takePlayers(IniStore& team, const std::string& path) {
        for (std::size_t i = 0; i < team.sectionCount(); ++i) {
            IniSection& s = team.sectionAt(i);
            if (equalsIgnoreCase(s.name(), kTeamSection))
                continue;
            std::string folded = foldCase(s.name());
            if (!knownPlayers_.insert(folded).second && sharedSeen_.insert(folded).second)
                result_.sharedNames.push_back(s.name());
            origin_.try_emplace(folded, path);
            long long last = lastTermOf(s);
            if (!newestTerm_ || last > *newestTerm_)
                newestTerm_ = last;
            db_.add(std::move(s));
        }
    }

    // A file without section "Team" is replaced by the new team file. That is
    // right for game text initialised by the data check for term P, but an
    // older-form file holding other terms would lose its history.
    void checkReplaceable(const std::vector<std::string>& lines, const std::string& path) {
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
        setStatus("選手一覧作成");
        for (const auto& file : in_.newPlayerFiles) {
            appendDot();
            std::vector<std::string> lines = readTextLines(file);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                std::vector<std::string> f = splitFields(lines[i]);
                if (!isGamePlayerLine(f) || knownPlayers_.contains(foldCase(f[1])))
                    continue;
                enterNewPlayer(f, file, i, lines[i]);
            }
            advance();
        }
    }

    void enterNewPlayer(const std::vector<std::string>& f, const std::string& file,
                        std::size_t index, const std::string& line) {
        bool pitcher = isPitcherCode(f[0]);
        std::string ability = abilityOf(f, file, index, line);
        IniSection& s = db_.ensure(f[1]);
        s.setInteger(kFirstTerm, P_);
        s.setInteger(kLastTerm, P_);
        s.set(kToolKey, in_.tool);
        s.set(kComment, "");
        s.setBoolean(kPitcher, pitcher);
        s.set(kCareer, "");
        s.set(termKey(P_, kAbility), ability);
        s.set(termKey(P_, kAptitude), aptitudeText(f, pitcher));
        s.set(termKey(P_, kStats), "");
        s.set(termKey(P_, kAffiliation), "");
        origin_.try_emplace(foldCase(f[1]), file);
    }

    std::string abilityOf(const std::vector<std::string>& f, const std::string& file,
                          std::size_t index, const std::string& line) {
        try {
            return abilityText(f);
        } catch (const LeagueError& e) {
            failAt(file, index, e.what(), line);
        }
    }

    // ---- step 3: rosters, abilities and aptitudes of term S -----------------------

    void readGrowthFiles() {
        setStatus("選手一覧確認終了");
        for (const auto& file : in_.growthFiles) {
            std::vector<std::string> lines = readTextLines(file);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                std::vector<std::string> f = splitFields(lines[i]);
                if (f.empty())
                    continue;
                if (int role = roleOf(f[0]))
                    readTeamHeader(role, f[0], lines, i, file);
                else if (isGamePlayerLine(f))
                    readRosterPlayer(f, file, i, lines[i]);
            }
            advance();
        }
        for (const auto& e : entries_)
            for (const std::string* team : {&e.firstTeam, &e.farmTeam})
                if (!headersMet_.contains(foldCase(*team)))
                    throw LeagueError("成長ファイルに「" + *team +
                                      "」のチーム名の行がありません。このままではチームの全選手が"
                                      "未契約選手になるため、中止しました。");
    }

    void readTeamHeader(int role, const std::string& team, const std::vector<std::string>& lines,
                        std::size_t i, const std::string& file) {
        if (i + 6 >= lines.size())
            failAt(file, i, "チーム名の行の3行後 (UNIFORM) と6行後 (監督) の行がありません。",
                   lines[i]);
        const std::string prefix = role == kFirstTeam ? "1軍" : "2軍";
        IniSection& s = db_.ensure(team);
        s.set(prefix + "チーム名", lines[i]);
        s.set(prefix + "UNIFORM", lines[i + 3]);
        s.set(prefix + "監督", lines[i + 6]);
        slot_ = role == kFirstTeam ? 0 : kFarmFirstSlot;
        currentTeam_ = team;
        headersMet_.insert(foldCase(team));
    }

    void readRosterPlayer(const std::vector<std::string>& f, const std::string& file,
                          std::size_t index, const std::string& line) {
        if (!currentTeam_)
            failAt(file, index, "チーム名の行より前に選手の行があります。", line);
        db_.ensure(*currentTeam_).set(std::to_string(slot_++), f[0] + " " + f[1]);
        bool pitcher = isPitcherCode(f[0]);
        std::string ability = abilityOf(f, file, index, line);
        IniSection& s = db_.ensure(f[1]);
        s.setInteger(kLastTerm, S_);
        s.set(termKey(S_, kAbility), ability);
        s.set(termKey(S_, kAptitude), aptitudeText(f, pitcher));
        s.set(termKey(P_, kStats), "");
        s.set(termKey(S_, kStats), "");
        s.set(termKey(P_, kAffiliation), *currentTeam_);
        s.set(termKey(S_, kAffiliation), "");
        // A player known from no file would otherwise count as a pitcher.
        if (!s.has(kPitcher))
            s.setBoolean(kPitcher, pitcher);
        origin_.try_emplace(foldCase(f[1]), file);
    }

    // ---- step 4: first-team statistics of term P ------------------------------------

    void processStatistics() {
        setStatus("成績処理中");
        std::vector<StatisticsLine> lines = readStatisticsLines();
        for (auto it = lines.rbegin(); it != lines.rend(); ++it)
            storeStatistics(*it);
        std::unordered_set<std::string> names;
        for (const auto& line : lines)
            if (line.keep && names.insert(foldCase(line.fields[0])).second)
                statisticsText_.push_back(line.text);
        result_.statisticsFile = firstTeamStatisticsPath(in_.programFolder, P_);
        outputs_.push_back({result_.statisticsFile, joinCrlf(statisticsText_)});
        setStatus("成績処理終了");
    }

    // All lines of the statistics files without the headings, normalised.
    std::vector<StatisticsLine> readStatisticsLines() {
        std::vector<StatisticsLine> out;
        for (const auto& file : in_.statisticsFiles) {
            std::vector<std::string> lines = readTextLines(file);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                std::vector<std::string> f = splitFields(lines[i]);
                if (f.empty())
                    failAt(file, i, "成績ファイルに空の行があります。", lines[i]);
                if (equalsIgnoreCase(f[0], "打率") || equalsIgnoreCase(f[0], "防御"))
                    continue;
                normalise(f);
                std::string text = joinFields(f);
                out.push_back({std::move(f), std::move(text), &file, i});
            }
            advance();
        }
        return out;
    }

    // Pitching lines get the 18-field layout: outs cut to one character, or a
    // "0" put in where a pitcher's line lacks them.
    void normalise(std::vector<std::string>& f) {
        if (f.size() == kPitchingFields)
            f[kOutsField] = firstCharacter(f[kOutsField]);
        else if (f.size() == kBattingFields && isPitcher(f[0]) && !isAverage(f[2]))
            f.insert(f.begin() + kOutsField, "0");
    }

    // Runs from the last line to the first, so a player's first line stays stored.
    void storeStatistics(StatisticsLine& line) {
        const std::string& name = line.fields[0];
        IniSection* player = db_.find(name);
        std::string team = player ? player->value(termKey(P_, kAffiliation)) : std::string();
        switch (roleOf(team)) {
        case kFirstTeam: {
            bool pitcher = player->boolean(kPitcher, true);
            bool battingLine = line.fields.size() == kBattingFields ||
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
    void checkCounts(const StatisticsLine& line, bool pitcher) {
        try {
            careerTotals({line.text}, pitcher);
        } catch (const LeagueError& e) {
            failAt(*line.file, line.index, e.what(), line.text);
        }
    }

    // ---- step 5: the team files ---------------------------------------------------

    void buildTeamFiles() {
        for (std::size_t t = 0; t < entries_.size(); ++t) {
            const LeagueEntry& e = entries_[t];
            setStatus(e.firstTeam + "を処理中");
            IniSection header = teamHeader(e);
            setStatus(e.firstTeam + "終了、" + e.farmTeam + "を処理中");
            std::string text;
            appendSectionText(text, header);
            for (int slot = 0; slot < kSlotCount; ++slot) {
                std::unique_ptr<IniSection> player = takeSlotPlayer(header, slot);
                if (!player)
                    continue; // an empty slot or a player already placed
                computeTotals(*player);
                appendSectionText(text, *player);
            }
            outputs_.push_back({teamPaths_[t], std::move(text)});
            db_.take(e.firstTeam);
            db_.take(e.farmTeam);
            advance();
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
        header.append(kToolKey, in_.tool);
        for (int slot = 0; slot < kSlotCount; ++slot)
            header.append(std::to_string(slot),
                          valueOf(slot < kFarmFirstSlot ? first : farm, std::to_string(slot)));
        return header;
    }

    std::unique_ptr<IniSection> takeSlotPlayer(const IniSection& header, int slot) {
        std::vector<std::string> f = splitFields(header.value(std::to_string(slot)));
        if (f.size() < 2 || f[1].empty())
            return nullptr;
        return db_.take(f[1]);
    }

    void computeTotals(IniSection& player) {
        try {
            recomputeCareerTotals(player);
        } catch (const LeagueError& e) {
            auto it = origin_.find(foldCase(player.name()));
            throw LeagueError(e.what(), it == origin_.end() ? std::string() : it->second);
        }
    }

    // ---- step 6: players on no roster -------------------------------------------------

    void collectUnsignedPlayers() {
        result_.unsignedFile = unsignedPlayersPath(leagueFolder_, P_);
        if (fileExists(result_.unsignedFile)) {
            IniStore old = IniStore::parse(readText(result_.unsignedFile));
            for (std::size_t i = 0; i < old.sectionCount(); ++i)
                db_.add(std::move(old.sectionAt(i)));
        }
        std::size_t size = 0;
        for (const IniSection* s : db_.remaining())
            size += sectionTextSize(*s);
        std::string text;
        text.reserve(size);
        // Each player leaves the working store once his text is written, so
        // the store shrinks while the text grows and is gone before the writing.
        db_.drain([&](const IniSection& s) {
            appendSectionText(text, s);
            ++result_.unsignedPlayers;
        });
        outputs_.push_back({result_.unsignedFile, std::move(text)});
        advance();
    }

    // ---- step 7: statistics marks of term P ----------------------------------------------

    void computeMarks() {
        setStatus("Top10の成績確認");
        reporter_.status(statsMarksStatus(result_.statisticsFile));
        std::vector<std::string> section =
            statsMarksSection(statisticsText_, P_, in_.games, result_.statisticsFile);
        reporter_.status(std::string(kMarksDone));
        StatsMarksFiles marks = statsMarksFiles(section, in_.programFolder, leagueFolder_);
        outputs_.push_back({marks.top10Path, std::move(marks.top10Text)});
        if (marks.seisekiExists)
            outputs_.push_back({marks.seisekiPath, std::move(marks.seisekiBytes), true});
        advance();
    }

    // ---- writing ----------------------------------------------------------------------------

    void writeAll() {
        setStatus("ファイルを保存中");
        std::vector<std::pair<std::string, std::string>> backups = backupCopies();
        total_ = done_ + backups.size() + outputs_.size() + 1;
        checkDistinctOutputs(backups);
        CreatedFolders folders;
        for (const auto& out : outputs_)
            folders.ensure(folderOf(out.path));
        for (const auto& b : backups)
            folders.ensure(folderOf(b.first));
        {
            FileTransaction transaction;
            transaction.useJournal(leagueFolder_,
                                   "最新データの追加 (" + std::to_string(S_) + "期)");
            for (const auto& f : folders.created())
                transaction.noteCreatedFolder(f);
            for (const auto& b : backups) {
                transaction.stageBytes(b.first, b.second);
                advance();
            }
            for (const auto& out : outputs_) {
                if (out.encoded)
                    transaction.stageBytes(out.path, out.content);
                else
                    transaction.stageText(out.path, out.content);
                advance();
            }
            transaction.commit();
            advance();
        }
        folders.keep();
        for (const auto& out : outputs_)
            result_.writtenFiles.push_back(out.path);
    }

    // Every output and backup names a file of its own: one written twice would
    // keep only the later content.
    void checkDistinctOutputs(const std::vector<std::pair<std::string, std::string>>& backups) {
        std::unordered_map<std::string, std::string> seen;
        auto check = [&](const std::string& path) {
            auto [it, fresh] = seen.try_emplace(fileIdentity(path), path);
            if (!fresh)
                throw LeagueError("同じファイルに二つの内容を書き込むことになるため中止しました: " +
                                      path,
                                  it->second);
        };
        for (const auto& out : outputs_)
            check(out.path);
        for (const auto& b : backups)
            check(b.first);
    }

    // Copies of every existing file the run replaces, under the backup folder.
    std::vector<std::pair<std::string, std::string>> backupCopies() {
        std::vector<std::pair<std::string, std::string>> copies;
        for (const auto& out : outputs_) {
            if (!fileExists(out.path))
                continue;
            if (result_.backupFolder.empty())
                result_.backupFolder = backupFolderFor(leagueFolder_, S_);
            auto cached = originals_.find(out.path);
            std::string bytes =
                cached != originals_.end() ? std::move(cached->second) : readFileBytes(out.path);
            copies.emplace_back(joinPath(result_.backupFolder, backupName(out.path)),
                                std::move(bytes));
        }
        return copies;
    }

    // Where a file goes in the backup folder: its path below the league folder,
    // or below the program folder under "プログラムフォルダ", or under "その他"
    // by name. Paths are compared resolved, so ".." cannot lead outside the
    // backup folder, and every file gets a place of its own ("その他\2\name").
    std::string backupName(const std::string& path) {
        namespace fs = std::filesystem;
        auto canonical = [](const std::string& p) {
            std::error_code ec;
            fs::path c = fs::weakly_canonical(platform::fsPath(resolvePath(p)), ec);
            return ec ? platform::fsPath(toNativePath(p)).lexically_normal() : c;
        };
        const fs::path file = canonical(path);
        auto below = [&](const std::string& folder) -> std::optional<std::string> {
            fs::path rel = file.lexically_relative(canonical(folder));
            if (rel.empty() || rel.is_absolute() || *rel.begin() == ".." || *rel.begin() == ".")
                return std::nullopt;
            return platform::pathText(rel);
        };
        std::string name;
        if (auto rel = below(leagueFolder_))
            name = *rel;
        else if (auto rel = below(in_.programFolder))
            name = joinPath("プログラムフォルダ", *rel);
        else
            name = joinPath("その他", platform::pathText(file.filename()));
        for (int n = 2; !backupNames_.insert(foldCase(name)).second; ++n)
            name = joinPath(joinPath("その他", std::to_string(n)),
                            platform::pathText(file.filename()));
        return name;
    }

    void deleteScratchFiles() {
        for (std::string_view name : kScratchFiles) {
            std::string path = joinProgramFolder(in_.programFolder, name);
            if (fileExists(path) && removeFile(path)) {
                setStatus(path + "を削除しました。");
                result_.deletedFiles.push_back(path);
            }
        }
    }

    const TermUpdateInput& in_;
    TermUpdateReporter& reporter_;
    const long long S_;
    const long long P_;

    std::vector<LeagueEntry> entries_;
    std::vector<std::string> teamPaths_;
    std::string leagueFolder_;
    std::unordered_map<std::string, int> roles_; // folded team name -> 1 first team, 2 farm

    WorkingStore db_;
    std::unordered_set<std::string> knownPlayers_;           // folded names of the team files
    std::unordered_set<std::string> sharedSeen_;             // folded names met twice
    std::unordered_map<std::string, std::string> origin_;    // folded name -> file read from
    std::unordered_map<std::string, std::string> originals_; // path -> bytes as read
    std::unordered_set<std::string> headersMet_;             // folded team names
    std::optional<long long> newestTerm_;                    // highest "最終" of the team files
    std::optional<std::string> currentTeam_;
    int slot_ = 0;
    std::vector<std::string> statisticsText_;
    std::vector<Output> outputs_;
    std::unordered_set<std::string> backupNames_; // folded names used in the backup folder

    std::string status_;
    std::size_t done_ = 0;
    std::size_t total_ = 1;
    TermUpdateResult result_;
};

} // namespace

std::string firstTeamStatisticsPath(const std::string& programFolder, long long playedTerm) {
    return joinProgramFolder(programFolder, "\\temp\\" + termText(playedTerm) + "期一軍成績.txt");
}

std::string unsignedPlayersPath(const std::string& leagueFolder, long long playedTerm) {
    return joinPath(joinPath(leagueFolder, "データ"), termText(playedTerm) + "期未契約選手.txt");
}

std::string backupFolderFor(const std::string& leagueFolder, long long newTerm) {
    std::string base =
        joinPath(joinPath(leagueFolder, "バックアップ"), termText(newTerm) + "期更新前");
    std::string candidate = base;
    for (int n = 2; folderExists(candidate) || fileExists(candidate); ++n)
        candidate = base + "(" + std::to_string(n) + ")";
    return candidate;
}

TermUpdateResult runTermUpdate(const TermUpdateInput& input, TermUpdateReporter& reporter) {
    try {
        FolderLock lock = FolderLock::acquire(input.programFolder, FolderLock::Mode::Exclusive);
        return TermUpdateRun(input, reporter).run();
    } catch (const IncompleteRollbackError& e) {
        throw LeagueError(
            "最新データの追加を中止しましたが、一部のファイルを元に戻せませんでした。\n" +
                std::string(e.what()) +
                "\n実行前のファイルはリーグのフォルダの「バックアップ」にもあります。",
            e.detail());
    } catch (const LeagueError& e) {
        throw LeagueError("最新データの追加を中止しました。ファイルは変更されていません。\n" +
                              std::string(e.what()),
                          e.detail());
    }
}

std::string termBelowNewestMessage(long long newTerm, long long newest) {
    return std::to_string(newTerm) + "期はリーグの最新の期 (" + std::to_string(newest) +
           "期) より前です。期の数字を確かめてください。";
}

std::string sameTermMessage(long long newTerm) {
    return std::to_string(newTerm) +
           "期のデータはすでに追加されています。もう一度追加する場合は確認のうえ実行してください。";
}

std::optional<long long> newestLeagueTerm(const std::string& programFolder,
                                          const std::string& leagueName) {
    FolderLock lock = FolderLock::acquire(programFolder, FolderLock::Mode::Shared);
    Settings settings(programFolder);
    settings.load();
    std::optional<long long> newest;
    for (const auto& e : settings.entries(leagueName)) {
        std::string path = joinProgramFolder(programFolder, e.path);
        if (!fileExists(path))
            continue;
        IniStore team = IniStore::load(path);
        if (!isTeamFile(team))
            continue;
        for (std::size_t i = 0; i < team.sectionCount(); ++i) {
            const IniSection& s = team.sectionAt(i);
            if (equalsIgnoreCase(s.name(), kTeamSection))
                continue;
            long long last = lastTermOf(s);
            if (!newest || last > *newest)
                newest = last;
        }
    }
    return newest;
}

} // namespace tenvoll
