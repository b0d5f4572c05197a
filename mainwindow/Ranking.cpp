// The ranking run: file order, kind filter, candidate lines, restriction,
// cut-off, order, the 100 limit with ties, and the gathered player sections.
#include "mainwindow/Ranking.h"

#include "league/FileAccess.h"
#include "league/GameRules.h"
#include "league/IniText.h"
#include "league/Kyoutuu.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/StatsMarksFile.h"
#include "league/TeamFile.h"
#include "league/TextCodec.h"
#include "league/TextCompare.h"
#include "mainwindow/SectionScan.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>

namespace tenvoll {

namespace {

constexpr std::size_t kTermColumn = kRankingColumnCount - 1;
constexpr std::size_t kInningsColumn = 9; // a pitcher's whole innings and outs, merged
constexpr std::string_view kStatsSuffix = "成績";
constexpr std::string_view kCareerTermText = "通算";
// The list is sorted and cut back whenever this many entries have come in
// since the last cut, so that a huge file does not pile up entries (and a list
// held long by ties is not sorted again for every entry).
constexpr std::size_t kCompactAt = 2048;

long long floorDiv(long long a, long long b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

long long saturatingAdd(long long a, long long b) {
    long long r;
    if (__builtin_add_overflow(a, b, &r))
        return b > 0 ? std::numeric_limits<long long>::max()
                     : std::numeric_limits<long long>::min();
    return r;
}

long long wholeOrZero(std::string_view text) {
    return parseInteger(text).value_or(0);
}

using Fields = std::vector<std::string_view>;

std::string_view fieldAt(const Fields& f, std::size_t i) {
    return i < f.size() ? f[i] : std::string_view();
}

// Innings as the list shows them: whole innings plus outs div 3, then ".0",
// ".3" or ".7" for the outs left over.
std::string mergedInnings(std::string_view innings, std::string_view outs) {
    long long o = wholeOrZero(outs);
    long long whole = saturatingAdd(wholeOrZero(innings), floorDiv(o, 3));
    static constexpr std::string_view kThirds[] = {".0", ".3", ".7"};
    return std::to_string(whole) + std::string(kThirds[o - floorDiv(o, 3) * 3]);
}

// List column `column` of a statistics line split into fields (field 0 the
// name, 1 the short team name). A pitcher's outs column is merged into the
// innings, so his later fields move one column left.
std::string cellOf(const Fields& f, std::size_t column, bool pitcher) {
    if (!pitcher || column < kInningsColumn)
        return std::string(fieldAt(f, column));
    if (column == kInningsColumn)
        return mergedInnings(fieldAt(f, 9), fieldAt(f, 10));
    return std::string(fieldAt(f, column + 1));
}

// The whole innings of a line, outs included: the restriction's measure.
long long wholeInnings(const Fields& f) {
    return saturatingAdd(wholeOrZero(fieldAt(f, 9)), floorDiv(wholeOrZero(fieldAt(f, 10)), 3));
}

// The term of a line whose key starts at `line` with a digit or "-", when
// that key is "TTTT成績" of term t written exactly as termText writes t (at
// least four digits, zero-padded, an optional "-"), blanks or tabs before its
// "="; `value` is then the rest of the line after the "=". Such a line can
// hold no other key the ranking reads. The key is matched where it stands:
// digits and "成績" hold no "=", so the "=" after them is the line's first and
// the key is the same as the store's. The other lines of a term ("TTTT能力",
// "TTTT所属", ...) are thus passed over without looking for their "=". Checked
// byte by byte: this runs for every line of a term of every ranked section.
std::optional<long long> statsLineTerm(const char* line, std::size_t size,
                                       std::string_view& value) {
    constexpr std::size_t kMaxDigits = 18; // any more could overflow
    const bool negative = size > 0 && line[0] == '-';
    const std::size_t firstDigit = negative ? 1 : 0;
    std::size_t i = firstDigit;
    long long term = 0;
    for (; i < size && line[i] >= '0' && line[i] <= '9'; ++i)
        if (i - firstDigit < kMaxDigits)
            term = term * 10 + (line[i] - '0');
    const std::size_t digits = i - firstDigit;
    if (digits < 4 || digits > kMaxDigits || (digits > 4 && line[firstDigit] == '0'))
        return std::nullopt;
    if (negative && term == 0)
        return std::nullopt; // termText never writes "-0000"
    // memcmp of a constant length, unlike string_view's compare, is inlined.
    if (size - i < kStatsSuffix.size() ||
        std::memcmp(line + i, kStatsSuffix.data(), kStatsSuffix.size()) != 0)
        return std::nullopt;
    i += kStatsSuffix.size();
    while (i < size && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    if (i == size || line[i] != '=')
        return std::nullopt;
    value = std::string_view(line + i + 1, size - i - 1);
    return negative ? -term : term;
}

struct Candidate {
    long long term;
    std::string_view line;
};

bool byTerm(const Candidate& a, const Candidate& b) {
    return a.term < b.term;
}

// Whether a key's first byte can start one of the keys the ranking reads:
// "TTTT成績" (a digit or "-"), "投手", "新規", "最終" or "通算成績". Every
// other line is passed over without looking for its "=".
bool mayBeRankingKey(unsigned char c) {
    static const bool* table = [] {
        static bool t[256] = {};
        for (char d = '0'; d <= '9'; ++d)
            t[static_cast<unsigned char>(d)] = true;
        t[static_cast<unsigned char>('-')] = true;
        for (std::string_view key : {kPitcher, kFirstTerm, kLastTerm, kCareer})
            t[static_cast<unsigned char>(key.front())] = true;
        return t;
    }();
    return table[c];
}

// One player section as the ranking reads it: only the keys it needs, each the
// first of its name, with IniStore's line rules. Reading stops as soon as
// "投手" names the other kind.
struct RankedSection {
    bool ofKind = false;
    std::vector<Candidate> candidates; // the lines to rank, in term order
};

void readRankedSection(std::string_view text, bool pitcher, bool career, RankedSection& out) {
    out.ofKind = false;
    out.candidates.clear();
    std::string_view flag, first, last, careerLine;
    bool hasFlag = false, hasFirst = false, hasLast = false, hasCareer = false;
    const char* base = text.data();
    const std::size_t n = text.size();
    // The header line is skipped: the section's keys start on the next line.
    std::size_t pos = findLineEnd(text, 0);
    while (pos < n) {
        if (base[pos] == '\r' && pos + 1 < n && base[pos + 1] == '\n')
            pos += 2;
        else
            ++pos;
        if (pos >= n)
            break;
        std::size_t end = findLineEnd(text, pos);
        std::size_t b = pos;
        pos = end;
        while (b < end && (base[b] == ' ' || base[b] == '\t'))
            ++b;
        if (b == end || !mayBeRankingKey(static_cast<unsigned char>(base[b])))
            continue;
        if (base[b] == '-' || (base[b] >= '0' && base[b] <= '9')) {
            std::string_view value;
            if (auto term = career ? std::nullopt : statsLineTerm(base + b, end - b, value))
                out.candidates.push_back({*term, value});
            continue;
        }
        const void* eq = std::memchr(base + b, '=', end - b);
        if (!eq)
            continue;
        std::size_t e = std::size_t(static_cast<const char*>(eq) - base);
        std::string_view key = trimIniBlanks(std::string_view(base + b, e - b));
        std::string_view value(base + e + 1, end - e - 1);
        if (!hasFlag && key == kPitcher) {
            hasFlag = true;
            flag = value;
            auto v = parseInteger(flag);
            if (!v || (*v != 0) != pitcher)
                return; // the other kind, or none
            if (career && hasCareer)
                break;
        } else if (career) {
            if (!hasCareer && key == kCareer) {
                hasCareer = true;
                careerLine = value;
                if (hasFlag)
                    break;
            }
        } else if (!hasFirst && key == kFirstTerm) {
            hasFirst = true;
            first = value;
        } else if (!hasLast && key == kLastTerm) {
            hasLast = true;
            last = value;
        }
    }
    if (!hasFlag)
        return; // a section without "投手" is found by neither kind
    out.ofKind = true;
    if (career) {
        if (hasCareer && !careerLine.empty())
            out.candidates.push_back({0, careerLine});
        return;
    }
    long long from = hasFirst ? parseIntegerOr(first, 0) : 0;
    long long to = hasLast ? parseIntegerOr(last, 9999) : 9999;
    std::vector<Candidate>& c = out.candidates;
    if (to < from) {
        c.clear();
        return;
    }
    std::erase_if(c, [&](const Candidate& k) { return k.term < from || k.term > to; });
    // Term order; of two keys of one term the first counts, as in a look-up.
    // The game writes the terms in order: the sort (and its buffer) is rarely needed.
    if (!std::is_sorted(c.begin(), c.end(), byTerm))
        std::stable_sort(c.begin(), c.end(), byTerm);
    c.erase(std::unique(c.begin(), c.end(),
                        [](const Candidate& a, const Candidate& b) { return a.term == b.term; }),
            c.end());
    std::erase_if(c, [](const Candidate& k) { return k.line.empty(); });
}

// A listed entry. Its row is built when the file it came from has been read
// and the entry is still listed; until then it is a view of its line.
struct Entry {
    long long key;
    std::size_t source; // ordinal of the file it came from
    long long term;
    std::string_view line;
    // Behind a pointer, so that the list is sorted by moving small entries.
    struct Built {
        RankingRow row;
        std::string foldedName; // the player's name folded, without its term tag
    };
    std::unique_ptr<Built> built;
};

// A listed entry's section, kept as its text (copied out of its file) and
// parsed only when the run ends: most are pushed out by later files.
struct GatheredSection {
    std::size_t source;
    std::string foldedName; // without the term tag
    std::string name;       // with its term tag
    std::string text;
};

// What the restriction requires, read from the first section of "seiseki.ini".
struct Restriction {
    bool active = false;
    long long games = kDefaultGames;
    long long atBats = 0; // ceil(games × 3.1)
};

long long ceilTimes31Over10(long long g) {
    // Games beyond any season's length are clamped so that g × 31 cannot overflow.
    g = std::clamp(g, -1'000'000'000'000LL, 1'000'000'000'000LL);
    long long n = g * 31;
    return n / 10 + (n % 10 > 0 ? 1 : 0);
}

class RankingRun {
public:
    RankingRun(const SearchLeague& league, const RankingOptions& options, SearchReporter& reporter)
        : league_(league), options_(options), reporter_(reporter),
          pitcher_(isPitcherItem(options.item)), column_(rankingSortColumn(options.item)),
          neededFields_(
              std::max<std::size_t>(pitcher_ && column_ >= kInningsColumn ? column_ + 1 : column_,
                                    pitcher_ ? 10 : 4) +
              1) {}

    RankingResult run();

    // The steps of run(), for runRankings: before the first file, one
    // candidate line, the end of one file (its sections of the ranked kind),
    // after the last file.
    void begin();
    void consider(std::string_view line, long long term, std::size_t source);
    void endFile(const std::vector<ScannedHeader>& sections, const std::string& tag,
                 std::size_t source);
    RankingResult finish();
    bool pitcher() const { return pitcher_; }
    const RankingOptions& options() const { return options_; }
    void noteUnread(const std::string& path) { result_.unreadFiles.push_back(path); }
    bool marksMissing() const { return marksMissing_; }

private:
    struct FileToRank {
        std::string path;
        std::optional<long long> term; // the unsigned-players file's term, tagged
    };

    std::vector<FileToRank> filesToRank() const;
    void readRestriction();

public:
    // The files in search order, with the term of an unsigned-players file.
    std::vector<std::pair<std::string, std::optional<long long>>> filesToRankForAll() const {
        std::vector<std::pair<std::string, std::optional<long long>>> out;
        for (const FileToRank& f : filesToRank())
            out.emplace_back(f.path, f.term);
        return out;
    }

private:
    void rankFile(const FileToRank& file, std::size_t source);
    long long sortValue(const Fields& f) const;
    void buildRows(const std::string& tag, std::size_t source);
    bool better(long long a, long long b) const {
        return options_.order == RankingOrder::Ascending ? a < b : a > b;
    }
    void sortAndCut();
    void gather(const std::vector<ScannedHeader>& sections, const std::string& tag,
                std::size_t source);

    const SearchLeague& league_;
    const RankingOptions& options_;
    SearchReporter& reporter_;
    const bool pitcher_;
    const std::size_t column_;

    RankingResult result_;
    Restriction restriction_;
    bool marksMissing_ = false;
    std::vector<Entry> entries_;
    std::optional<long long> cutOff_; // the key of the last entry once the list is full
    std::size_t sizeAfterCut_ = 0;
    bool cutSinceGather_ = false; // entries left the list since the last gathering
    // The fields a candidate line is split up to: its name, the sort column
    // and the restriction's measure.
    const std::size_t neededFields_;
    Fields fields_; // reused for every candidate line
    std::vector<std::string> quoted_;
    RankedSection section_; // reused for every section
    std::vector<GatheredSection> gathered_;
};

std::vector<RankingRun::FileToRank> RankingRun::filesToRank() const {
    std::vector<FileToRank> files;
    if (options_.players != RankingPlayers::Active) {
        UnsignedFiles unsignedFiles(league_.folder);
        for (long long term : unsignedFiles.searchTerms())
            files.push_back({unsignedFiles.path(term), term});
    }
    if (options_.players != RankingPlayers::Retired)
        for (const std::string& path : league_.teamFiles)
            if (fileExists(path))
                files.push_back({path, std::nullopt});
    return files;
}

void RankingRun::readRestriction() {
    std::optional<StatsMarksFile> marks;
    try {
        marks = StatsMarksFile::loadFromFolder(league_.folder);
    } catch (const LeagueError&) {
        if (options_.restricted)
            throw; // the restriction cannot be told
        return;    // the file is there, only unreadable: nothing to say
    }
    marksMissing_ = !marks;
    if (!options_.restricted)
        return;
    const IniSection* newest = marks ? marks->firstSection() : nullptr;
    const std::string_view* record = newest ? newest->find(kBatterGamesKey) : nullptr;
    result_.defaultGames = !record;
    std::vector<std::string> f =
        record ? splitFields(*record) : splitFields(std::to_string(kDefaultGames));
    auto games = f.empty() ? std::nullopt : parseInteger(f[0]);
    if (!games) {
        result_.ruleNote = "規定: なし (seiseki.iniの試合数「" + (f.empty() ? "" : f[0]) +
                           "」が整数ではありません)";
        return;
    }
    restriction_ = {true, *games, ceilTimes31Over10(*games)};
    std::string g = std::to_string(*games);
    result_.ruleNote =
        pitcher_ ? "規定: " + g + "投球回以上"
                 : "規定: " + std::to_string(restriction_.atBats) + "打数以上 (" + g + "試合×3.1)";
    if (result_.defaultGames)
        result_.ruleNote += marks ? " ※seiseki.iniに試合数がないため150試合として計算"
                                  : " ※seiseki.iniが見つからないため150試合として計算";
}

// The value a line is ranked by: its sort column as the list shows it.
long long RankingRun::sortValue(const Fields& f) const {
    if (pitcher_ && column_ == kInningsColumn)
        return rankingValue(mergedInnings(fieldAt(f, 9), fieldAt(f, 10)));
    return rankingValue(fieldAt(f, pitcher_ && column_ > kInningsColumn ? column_ + 1 : column_));
}

void RankingRun::consider(std::string_view line, long long term, std::size_t source) {
    Fields& f = fields_;
    splitFieldViews(line, f, quoted_, neededFields_);
    if (f.empty())
        return;
    if (restriction_.active) {
        if (pitcher_ ? wholeInnings(f) < restriction_.games
                     : wholeOrZero(fieldAt(f, 4)) < restriction_.atBats)
            return;
    }
    long long key = sortValue(f);
    // Strictly worse than the last of a full list: it could never be listed.
    if (cutOff_ && better(*cutOff_, key))
        return;
    entries_.push_back(Entry{key, source, term, line, nullptr});
    if (entries_.size() >= sizeAfterCut_ + kCompactAt)
        sortAndCut();
}

// The rows of the entries of the file just read that are still listed, built
// while their lines are there.
void RankingRun::buildRows(const std::string& tag, std::size_t source) {
    for (Entry& e : entries_) {
        if (e.built || e.source != source)
            continue;
        Fields& f = fields_;
        splitFieldViews(e.line, f, quoted_);
        e.built = std::make_unique<Entry::Built>();
        RankingRow& row = e.built->row;
        row[0] = tag + std::string(f[0]);
        for (std::size_t c = 1; c < kTermColumn; ++c)
            row[c] = cellOf(f, c, pitcher_);
        row[kTermColumn] = options_.career ? std::string(kCareerTermText) : termText(e.term) + "期";
        e.built->foldedName = foldCase(f[0]);
        e.line = {};
    }
}

// Sorts the list and removes every entry after the 100th that does not tie
// with the 100th.
void RankingRun::sortAndCut() {
    if (entries_.size() == sizeAfterCut_ && sizeAfterCut_ != 0)
        return; // nothing came in since the last cut: still sorted and cut
    std::stable_sort(entries_.begin(), entries_.end(),
                     [&](const Entry& a, const Entry& b) { return better(a.key, b.key); });
    if (entries_.size() > kRankingLimit) {
        long long limitKey = entries_[kRankingLimit - 1].key;
        auto firstOut = std::find_if(entries_.begin() + kRankingLimit, entries_.end(),
                                     [&](const Entry& e) { return e.key != limitKey; });
        cutSinceGather_ = cutSinceGather_ || firstOut != entries_.end();
        entries_.erase(firstOut, entries_.end());
    }
    if (entries_.size() >= kRankingLimit)
        cutOff_ = entries_.back().key;
    sizeAfterCut_ = entries_.size();
}

void RankingRun::rankFile(const FileToRank& file, std::size_t source) {
    std::string text;
    try {
        text = readTextFile(file.path);
    } catch (const LeagueError& e) {
        reporter_.message(fileExists(file.path) ? e.fullText() : std::string(kFileGoneMessage));
        result_.unreadFiles.push_back(file.path);
        return;
    }
    // Sections of the ranked kind, for the gathering below.
    std::vector<ScannedHeader> sections;
    scanSectionHeaders(text, [&](const ScannedHeader& h) {
        if (equalsIgnoreCase(h.name, kTeamSection))
            return;
        readRankedSection(h.text, pitcher_, options_.career, section_);
        if (!section_.ofKind)
            return;
        sections.push_back(h);
        for (const Candidate& c : section_.candidates)
            if (options_.career || !options_.term || c.term == *options_.term)
                consider(c.line, c.term, source);
    });
    endFile(sections, file.term ? termTag(*file.term) : std::string(), source);
}

void RankingRun::endFile(const std::vector<ScannedHeader>& sections, const std::string& tag,
                         std::size_t source) {
    sortAndCut();
    buildRows(tag, source);
    if (options_.keepSections)
        gather(sections, tag, source);
}

// Keeps the sections of this file that listed entries are named by, and drops
// the sections of earlier files whose entries have left the list.
void RankingRun::gather(const std::vector<ScannedHeader>& sections, const std::string& tag,
                        std::size_t source) {
    // Most files add no entry to the list, and later ones rarely push one out:
    // then the sections kept stay as they are.
    const bool ofThisFile = std::any_of(entries_.begin(), entries_.end(),
                                        [&](const Entry& e) { return e.source == source; });
    if (!ofThisFile && !cutSinceGather_)
        return;
    // A sorted vector, not a set: built anew from about a hundred entries, it
    // costs one allocation instead of one a node.
    using Name = std::pair<std::size_t, std::string_view>;
    std::vector<Name> listed;
    listed.reserve(entries_.size());
    for (const Entry& e : entries_)
        listed.emplace_back(e.source, e.built->foldedName);
    std::sort(listed.begin(), listed.end());
    if (cutSinceGather_) {
        std::erase_if(gathered_, [&](const GatheredSection& g) {
            return !std::binary_search(listed.begin(), listed.end(), Name{g.source, g.foldedName});
        });
        cutSinceGather_ = false;
    }
    if (!ofThisFile)
        return;
    // This file's names, the last in the order (no file came after it), are
    // looked up among themselves alone. Folding keeps byte lengths, so a
    // section whose name has the length of none of them is passed over unfolded.
    std::vector<std::string_view> names;
    std::uint64_t lengths = 0; // bit n % 64 for a name of n bytes
    for (auto it = std::lower_bound(listed.begin(), listed.end(), Name{source, {}});
         it != listed.end(); ++it) {
        names.push_back(it->second);
        lengths |= std::uint64_t{1} << (it->second.size() % 64);
    }
    std::string folded;
    for (const ScannedHeader& h : sections) {
        std::string_view name = h.name;
        if ((lengths >> (name.size() % 64) & 1) == 0)
            continue;
        if (needsFolding(name)) {
            folded = foldCase(name);
            name = folded;
        }
        if (!std::binary_search(names.begin(), names.end(), name))
            continue;
        gathered_.push_back(
            {source, std::string(name), tag + std::string(h.name), std::string(h.text)});
    }
}

void RankingRun::begin() {
    if (league_.folder.empty())
        throw LeagueError(std::string(kNoLeagueFolderMessage));
    result_.captions = rankingCaptions(options_.item);
    result_.sortColumn = static_cast<int>(column_);
    readRestriction();
}

RankingResult RankingRun::finish() {
    result_.rows.reserve(entries_.size());
    for (Entry& e : entries_)
        result_.rows.push_back(std::move(e.built->row));
    for (const GatheredSection& g : gathered_)
        result_.players.appendSectionsFrom(renamedSection(g.text, g.name));
    return std::move(result_);
}

RankingResult RankingRun::run() {
    begin();
    std::vector<FileToRank> files = filesToRank();
    reporter_.progress(0, files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        reporter_.status(files[i].path + std::string(kSearchingSuffix));
        if (marksMissing_)
            reporter_.message(std::string(kNoStatsMarksMessage));
        rankFile(files[i], i);
        reporter_.progress(i + 1, files.size());
    }
    return finish();
}

} // namespace

std::vector<RankingResult> runRankings(const SearchLeague& league,
                                       const std::vector<RankingOptions>& options,
                                       SearchReporter& reporter,
                                       const std::map<std::string, std::string>* readTexts) {
    std::vector<RankingResult> results;
    if (options.empty())
        return results;
    std::vector<std::unique_ptr<RankingRun>> runs;
    for (const RankingOptions& o : options) {
        if (o.item < 0 || o.item >= kRankingItemCount)
            throw LeagueError("対象成績の番号が範囲外です: " + std::to_string(o.item));
        if (o.players != options.front().players)
            throw LeagueError("同時に順位付けする対象選手は同じでなければなりません");
        runs.push_back(std::make_unique<RankingRun>(league, o, reporter));
        runs.back()->begin();
    }
    // The file list does not depend on the item: every run reads the same files.
    RankingRun& first = *runs.front();
    const bool marksMissing =
        std::any_of(runs.begin(), runs.end(), [](const auto& r) { return r->marksMissing(); });
    // Which kinds (batters, pitchers) and ways (terms, careers) are ranked.
    bool wanted[2][2] = {};
    for (const RankingOptions& o : options)
        wanted[isPitcherItem(o.item) ? 1 : 0][o.career ? 1 : 0] = true;
    std::vector<ScannedHeader> sections[2]; // batters, pitchers
    RankedSection section;
    const auto files = first.filesToRankForAll();
    reporter.progress(0, files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        reporter.status(files[i].first + std::string(kSearchingSuffix));
        if (marksMissing)
            reporter.message(std::string(kNoStatsMarksMessage));
        std::string read;
        std::string_view text;
        const auto known =
            readTexts ? readTexts->find(files[i].first) : decltype(readTexts->end()){};
        try {
            if (readTexts && known != readTexts->end()) {
                text = known->second;
            } else {
                read = readTextFile(files[i].first);
                text = read;
            }
        } catch (const LeagueError& e) {
            reporter.message(fileExists(files[i].first) ? e.fullText()
                                                        : std::string(kFileGoneMessage));
            for (auto& run : runs)
                run->noteUnread(files[i].first);
            continue;
        }
        const std::string tag = files[i].second ? termTag(*files[i].second) : std::string();
        sections[0].clear();
        sections[1].clear();
        scanSectionHeaders(text, [&](const ScannedHeader& h) {
            if (equalsIgnoreCase(h.name, kTeamSection))
                return;
            for (int kind = 0; kind < 2; ++kind) {
                bool listed = false;
                for (int way = 0; way < 2; ++way) {
                    if (!wanted[kind][way])
                        continue;
                    readRankedSection(h.text, kind == 1, way == 1, section);
                    if (!section.ofKind)
                        break; // not of this kind, whichever way
                    listed = true;
                    for (auto& run : runs) {
                        const RankingOptions& o = run->options();
                        if (run->pitcher() != (kind == 1) || o.career != (way == 1))
                            continue;
                        for (const Candidate& c : section.candidates)
                            if (o.career || !o.term || c.term == *o.term)
                                run->consider(c.line, c.term, i);
                    }
                }
                if (listed)
                    sections[kind].push_back(h);
            }
        });
        for (auto& run : runs)
            run->endFile(sections[run->pitcher() ? 1 : 0], tag, i);
        reporter.progress(i + 1, files.size());
    }
    for (auto& run : runs)
        results.push_back(run->finish());
    return results;
}

std::string_view restrictionText(bool restricted) {
    return restricted ? "打席数、投球回数で制限" : "制限なし";
}

std::string_view orderText(RankingOrder order) {
    return order == RankingOrder::Ascending ? "昇順" : "降順";
}

std::string_view playersText(RankingPlayers players) {
    switch (players) {
    case RankingPlayers::Active:
        return "現役選手";
    case RankingPlayers::Retired:
        return "引退選手";
    default:
        return "全選手";
    }
}

RankingResult runRanking(const SearchLeague& league, const RankingOptions& options,
                         SearchReporter& reporter) {
    if (options.item < 0 || options.item >= kRankingItemCount)
        throw LeagueError("対象成績の番号が範囲外です: " + std::to_string(options.item));
    return RankingRun(league, options, reporter).run();
}

long long rankingValue(std::string_view cell) {
    return parseWithoutPoints(cell).value_or(0);
}

namespace {

bool isTextColumn(int column) {
    return column == 0 || column == 1 || column == kTermColumn;
}

// Sort key of a text cell: its folded Shift-JIS bytes, so that names order as
// the league's own files do (JIS order, not Unicode order).
std::string textKey(const std::string& cell) {
    std::string folded = foldCase(cell);
    try {
        return encodeCp932(folded, {});
    } catch (const LeagueError&) {
        return folded;
    }
}

} // namespace

void sortRankingRows(std::vector<RankingRow>& rows, int column, RankingOrder order) {
    if (column < 0 || column >= static_cast<int>(kRankingColumnCount))
        return;
    const auto c = static_cast<std::size_t>(column);
    const bool ascending = order == RankingOrder::Ascending;
    if (isTextColumn(column)) {
        std::vector<std::pair<std::string, RankingRow>> keyed;
        keyed.reserve(rows.size());
        for (auto& r : rows)
            keyed.emplace_back(textKey(r[c]), std::move(r));
        std::stable_sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
            return ascending ? a.first < b.first : b.first < a.first;
        });
        for (std::size_t i = 0; i < rows.size(); ++i)
            rows[i] = std::move(keyed[i].second);
        return;
    }
    std::stable_sort(rows.begin(), rows.end(), [&](const RankingRow& a, const RankingRow& b) {
        long long x = rankingValue(a[c]), y = rankingValue(b[c]);
        return ascending ? x < y : y < x;
    });
}

} // namespace tenvoll
