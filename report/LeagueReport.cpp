// The pages of the league report.
#include "report/LeagueReport.h"

#include "charts/CareerChart.h"
#include "charts/SvgRender.h"
#include "league/FileAccess.h"
#include "league/Kyoutuu.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/Paths.h"
#include "league/RankingItems.h"
#include "league/StatsMarksFile.h"
#include "league/TeamFile.h"
#include "league/TextCompare.h"
#include "mainwindow/PaneLoader.h"
#include "mainwindow/Ranking.h"
#include "mainwindow/RosterRows.h"
#include "player/CareerChartData.h"
#include "player/PlayerHistory.h"
#include "report/Html.h"
#include "report/SiteFolder.h"

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <set>

namespace tenvoll::report {

namespace {

struct Cancelled {};

// Passes the ranking's progress on as the first part of the whole run.
class RankingProgress : public SearchReporter {
public:
    RankingProgress(ReportProgress& outer, std::size_t pages) : outer_(outer), pages_(pages) {}
    void status(const std::string& text) override { outer_.status(text); }
    void progress(std::size_t done, std::size_t total) override {
        if (outer_.cancelRequested())
            throw Cancelled{};
        files_ = total;
        outer_.progress(done, total + pages_);
    }
    // The ranking's message boxes (a missing marks file) are told once, as warnings.
    void message(const std::string& text) override {
        if (!told_.contains(text)) {
            told_.insert({text, true});
            messages.push_back(text);
        }
    }
    std::size_t files() const { return files_; }
    std::vector<std::string> messages;

private:
    ReportProgress& outer_;
    std::size_t pages_;
    std::size_t files_ = 0;
    std::map<std::string, bool> told_;
};

std::string twoDigits(std::size_t n) {
    return n < 10 ? "0" + std::to_string(n) : std::to_string(n);
}

std::string fourDigits(std::size_t n) {
    std::string s = std::to_string(n);
    return std::string(s.size() < 4 ? 4 - s.size() : 0, '0') + s;
}

std::string link(std::string_view href, std::string_view text) {
    std::string out = "<a href=\"";
    appendEscaped(out, href);
    out += "\">";
    appendEscaped(out, text);
    out += "</a>";
    return out;
}

// The opening tag of a cell: its alignment and mark as classes.
void appendCellStart(std::string& out, CellAlign align, Mark mark) {
    const std::string_view a =
        align == CellAlign::Right ? "n" : (align == CellAlign::Center ? "c" : "");
    const std::string_view m = mark == Mark::Up       ? "up"
                               : mark == Mark::Down   ? "down"
                               : mark == Mark::Career ? "career"
                                                      : "";
    if (a.empty() && m.empty()) {
        out += "<td>";
        return;
    }
    out += "<td class=\"";
    out += a;
    if (!a.empty() && !m.empty())
        out += ' ';
    out += m;
    out += "\">";
}

// A cell with its text (a link when `href` is given) and ▲ / ▼ for its mark,
// so that the marks read without the colours too.
void appendCell(std::string& out, const Cell& cell, CellAlign align, std::string_view href = {}) {
    appendCellStart(out, align, cell.mark);
    if (!href.empty())
        out += link(href, cell.text);
    else
        appendEscaped(out, cell.text);
    if (cell.mark == Mark::Up)
        out += "<span class=\"m\">▲</span>";
    else if (cell.mark == Mark::Down)
        out += "<span class=\"m\">▼</span>";
    out += "</td>";
}

constexpr std::string_view kLegend =
    "<p class=\"legend\">▲ (赤): 前期より上がった能力、リーグ上位の成績。"
    "▼ (青): 下がった能力、リーグ下位の成績。見出しをクリックすると並べ替えられます。</p>\n";

// One team file as the report reads it.
struct TeamPages {
    ReportTeam entry;
    std::string displayName;
    IniStore store;
    bool loaded = false;
    std::string page; // "teams/01-name.html"
    // Player section → page without extension ("players/01/0001-name").
    std::map<const IniSection*, std::string> players;
    long long newestTerm = -1;
};

// The pages of one name: a name in several team files (a player who changed
// teams, or two players) links to the page of the one on a roster, if only one is.
struct PlayerLink {
    std::string page;
    int pages = 0;
    std::string rosterPage;
    int rosterPages = 0;
    std::string resolved() const {
        return pages == 1 ? page : (rosterPages == 1 ? rosterPage : std::string());
    }
};

class ReportRun {
public:
    ReportRun(const ReportLeague& league, ReportProgress& progress)
        : league_(league), progress_(progress) {}
    ReportOutcome run(const std::string& outDir);

private:
    void loadTeams();
    void findTerms();
    std::vector<RankingOptions> rankingOptions() const;
    void writePage(const std::string& path, const std::string& text);
    void step();
    void writePlayers(TeamPages& team);
    void writeTeam(const TeamPages& team);
    void writeLeaders(int item);
    void writeIndex();
    std::string leaderTable(const RankingResult& result, int item, std::size_t limit,
                            std::string_view root) const;
    std::string entryPage(const std::string& entryName) const;

    const ReportLeague& league_;
    ReportProgress& progress_;
    ReportOutcome outcome_;
    std::unique_ptr<SiteFolder> site_;
    std::vector<TeamPages> teams_;
    std::optional<StatsMarksFile> marks_;
    long long newestTerm_ = -1;
    std::optional<long long> statsTerm_;
    std::vector<RankingResult> rankings_; // per item: the term, single terms, careers
    std::map<std::string, PlayerLink> byName_;
    std::map<std::string, std::string> texts_; // team files as read, by path
    std::size_t done_ = 0;
    std::size_t total_ = 0;
    std::size_t rankingFiles_ = 0;
    charts::TXYGraphCore chart_;
};

void ReportRun::loadTeams() {
    for (std::size_t i = 0; i < league_.teams.size(); ++i) {
        TeamPages t;
        t.entry = league_.teams[i];
        const std::string& path = t.entry.path;
        try {
            if (!fileExists(path)) {
                outcome_.warnings.push_back("ファイルが存在しません！ " + path);
            } else {
                // Read once: the ranking takes the same text.
                std::string text = readTextFile(path);
                t.store = IniStore::parse(text);
                texts_[path] = std::move(text);
                if (!isTeamFile(t.store)) {
                    // Converting it would write into the league folder: left to the panes.
                    outcome_.warnings.push_back(
                        "旧形式のファイルです。メイン画面で開いて変換してから出力してください。 " +
                        path);
                    t.store.clear();
                } else {
                    t.loaded = true;
                }
            }
        } catch (const LeagueError& e) {
            outcome_.warnings.push_back(e.fullText());
        }
        t.displayName = t.loaded ? teamDisplayName(t.store) : std::string();
        if (t.displayName.empty())
            t.displayName = t.entry.firstTeam;
        t.page = "teams/" + twoDigits(i + 1) + "-" + safeFileName(t.displayName) + ".html";
        if (t.loaded) {
            std::size_t k = 0;
            const std::string folder = "players/" + twoDigits(i + 1) + "/";
            std::set<const IniSection*> rostered;
            for (int slot = 0; slot < kSlotCount; ++slot)
                if (auto r = rosterSlot(t.store, slot))
                    rostered.insert(t.store.section(r->name));
            for (std::size_t s = 0; s < t.store.sectionCount(); ++s) {
                const IniSection& section = t.store.sectionAt(s);
                if (equalsIgnoreCase(section.name(), kTeamSection))
                    continue;
                const std::string page =
                    folder + fourDigits(++k) + "-" + safeFileName(section.name());
                t.players.emplace(&section, page);
                PlayerLink& l = byName_[foldCase(section.name())];
                l.page = page;
                ++l.pages;
                if (rostered.contains(&section)) {
                    l.rosterPage = page;
                    ++l.rosterPages;
                }
            }
        }
        teams_.push_back(std::move(t));
    }
}

// The newest term of the rosters, and the newest term whose statistics a
// roster player has (the term the panes show beside it).
void ReportRun::findTerms() {
    for (TeamPages& t : teams_) {
        if (!t.loaded)
            continue;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            auto s = rosterSlot(t.store, slot);
            const IniSection* section = s ? t.store.section(s->name) : nullptr;
            if (!section)
                continue;
            const PlayerRecord p(*section);
            t.newestTerm = std::max(t.newestTerm, p.lastTerm());
            for (long long term = p.lastTerm(); term >= p.firstTerm() && term >= p.lastTerm() - 1;
                 --term)
                if (!p.termValue(term, kStats).empty() && (!statsTerm_ || term > *statsTerm_))
                    statsTerm_ = term;
        }
        newestTerm_ = std::max(newestTerm_, t.newestTerm);
    }
}

// Items where the smaller number is the better one, as the statistics marks
// treat them: strikeouts and errors of batters; earned-run average, losses,
// hits, home runs, walks and earned runs of pitchers.
bool lowIsBetter(int item) {
    static constexpr std::array<int, 8> low = {10, 12, 15, 19, 23, 24, 25, 27};
    return std::find(low.begin(), low.end(), item) != low.end();
}

std::vector<RankingOptions> ReportRun::rankingOptions() const {
    std::vector<RankingOptions> all;
    for (int item = 0; item < kRankingItemCount; ++item) {
        RankingOptions o;
        o.item = item;
        o.restricted = true;
        o.order = lowIsBetter(item) ? RankingOrder::Ascending : RankingOrder::Descending;
        o.players = RankingPlayers::All;
        o.keepSections = false;
        RankingOptions term = o;
        term.term = statsTerm_.value_or(-1);
        RankingOptions career = o;
        career.career = true;
        all.push_back(term);
        all.push_back(o);
        all.push_back(career);
    }
    return all;
}

void ReportRun::step() {
    if (progress_.cancelRequested())
        throw Cancelled{};
    progress_.progress(rankingFiles_ + ++done_, rankingFiles_ + total_);
}

void ReportRun::writePage(const std::string& path, const std::string& text) {
    site_->write(path, text);
}

std::string crumbs(std::string_view root, std::string_view leagueName,
                   const std::vector<std::pair<std::string, std::string>>& more = {}) {
    std::string out = link(std::string(root) + "index.html", leagueName);
    for (const auto& [href, text] : more)
        out += " › " + link(href, text);
    return out;
}

void ReportRun::writePlayers(TeamPages& team) {
    const std::optional<StatsMarksFile>& marks = marks_;
    for (const auto& [section, page] : team.players) {
        const std::string& name = section->name();
        const PlayerHistory history = buildPlayerHistory(*section, name, marks ? &*marks : nullptr);
        const bool pitcher = history.pitcher;

        const std::size_t item = defaultCareerItem(pitcher);
        const charts::CareerChartData data = careerChartData(*section, name, {item});
        setUpCareerGraph(chart_, data);
        const std::string svgName = page.substr(page.rfind('/') + 1) + ".svg";
        writePage(page + ".svg", charts::renderGraphToSvg(chart_, charts::kCareerChartWidth,
                                                          charts::kCareerChartHeight));

        std::string out =
            pageStart(name, "../../",
                      crumbs("../../", league_.name, {{"../../" + team.page, team.displayName}}));
        out += "<p class=\"title\">";
        appendEscaped(out, history.title);
        if (!history.abilityLabel.empty()) {
            out += "<br>";
            appendEscaped(out, history.abilityLabel);
        }
        out += "</p>\n";
        if (history.aptitudeHeader != " ") {
            out += "<pre class=\"aptitudes\">";
            appendEscaped(out, history.aptitudeHeader + "\n" + history.aptitudeValues);
            out += "</pre>\n";
        }
        out += "<pre class=\"summary\">";
        std::string summary = history.summary;
        std::erase(summary, '\r');
        appendEscaped(out, summary);
        out += "</pre>\n<h2>推移</h2>\n<p><img class=\"chart\" src=\"";
        appendEscaped(out, svgName);
        out += "\" width=\"" + std::to_string(charts::kCareerChartWidth) + "\" height=\"" +
               std::to_string(charts::kCareerChartHeight) + "\" alt=\"";
        appendEscaped(out, name + "の" + careerItems(pitcher)[item].label + "の推移");
        out += "\"></p>\n<h2>成績・能力の一覧</h2>\n";
        out += kLegend;
        out += "<div class=\"wide\"><table class=\"sortable history\">\n<thead><tr>";
        const auto& columns = historyColumns(pitcher);
        for (const HistoryColumn& c : columns)
            if (!c.header.empty()) {
                out += "<th>";
                appendEscaped(out, c.header);
                out += "</th>";
            }
        out += "</tr></thead>\n<tbody>\n";
        for (const HistoryRow& row : history.rows) {
            out += "<tr>";
            for (std::size_t c = 0; c < row.size(); ++c)
                if (!columns[c].header.empty())
                    appendCell(out, row[c], historyCellAlign(static_cast<int>(c)));
            out += "</tr>\n";
        }
        out += "</tbody>\n</table></div>\n";
        out += pageEnd("../../");
        writePage(page + ".html", out);
        step();
    }
}

void ReportRun::writeTeam(const TeamPages& team) {
    std::string out = pageStart(team.displayName, "../", crumbs("../", league_.name));
    if (!team.loaded) {
        out += "<p>このチームのファイルを読み込めませんでした。</p>\n";
        out += pageEnd("../");
        writePage(team.page, out);
        step();
        return;
    }
    std::vector<UserMessage> messages;
    const PaneContent pane =
        filledPane(team.store, folderOf(resolvePath(team.entry.path)), true, messages);
    for (const UserMessage& m : messages)
        outcome_.warnings.push_back(m.text + " " + m.detail);
    out += "<p>一軍: ";
    appendEscaped(out, team.entry.firstTeam);
    out += " / 二軍: ";
    appendEscaped(out, team.entry.farmTeam);
    if (team.newestTerm >= 0)
        out += " ・ " + std::to_string(team.newestTerm) + "期の能力と前期の成績";
    out += "</p>\n";
    out += kLegend;
    for (GridKind kind : kGridKinds) {
        const bool farm = kind == GridKind::FarmBatters || kind == GridKind::FarmPitchers;
        out += "<h2";
        if (kind == GridKind::FarmBatters)
            out += " id=\"farm\"";
        out += ">";
        appendEscaped(out, gridCaption(kind));
        if (farm) {
            out += " (";
            appendEscaped(out, team.entry.farmTeam);
            out += ")";
        }
        out += "</h2>\n<div class=\"wide\"><table class=\"sortable roster\">\n<thead><tr>";
        const auto& columns = rosterColumns(kind);
        for (const ColumnSpec& c : columns)
            if (!c.header.empty()) {
                out += "<th>";
                appendEscaped(out, c.header);
                out += "</th>";
            }
        out += "</tr></thead>\n<tbody>\n";
        for (const RosterRow& row : pane.grid(kind).rows) {
            const std::string& name = row[roster_column::kName].text;
            if (name.empty())
                continue; // an empty slot
            const IniSection* section = team.store.section(name);
            auto page = section ? team.players.find(section) : team.players.end();
            out += "<tr>";
            for (std::size_t c = 0; c < row.size(); ++c) {
                if (columns[c].header.empty())
                    continue;
                const bool nameCell = static_cast<int>(c) == roster_column::kName;
                appendCell(out, row[c], rosterCellAlign(static_cast<int>(c)),
                           nameCell && page != team.players.end() ? "../" + page->second + ".html"
                                                                  : std::string());
            }
            out += "</tr>\n";
        }
        out += "</tbody>\n</table></div>\n";
    }
    out += "<h2>チーム</h2>\n<table class=\"summary\">\n<thead><tr><th>";
    appendEscaped(out, team.displayName);
    out += "</th><th>平均年齢</th><th>打点</th><th>自責点</th></tr></thead>\n<tbody>\n";
    for (const SummaryRow& r : teamSummary(pane)) {
        if (r.caption.empty())
            continue;
        out += "<tr><th>";
        appendEscaped(out, r.caption);
        for (const std::string* v : {&r.averageAge, &r.runsBattedIn, &r.earnedRuns}) {
            out += "</th><td class=\"n\">";
            appendEscaped(out, *v);
            out += "</td><th hidden>";
        }
        out.resize(out.size() - std::string_view("<th hidden>").size());
        out += "</tr>\n";
    }
    out += "</tbody>\n</table>\n";
    out += pageEnd("../");
    writePage(team.page, out);
    step();
}

// The page of a listed entry: the player of that name when exactly one team
// file has him (a retired player's entry carries the "(N)" term tag).
std::string ReportRun::entryPage(const std::string& entryName) const {
    std::string_view name = entryName;
    if (name.starts_with('(')) {
        const std::size_t close = name.find(')');
        if (close != std::string_view::npos)
            name.remove_prefix(close + 1);
    }
    auto it = byName_.find(foldCase(name));
    return it == byName_.end() ? std::string() : it->second.resolved();
}

std::string leaderPage(int item) {
    return "leaders/" + twoDigits(static_cast<std::size_t>(item) + 1) + "-" +
           safeFileName(rankingItems()[static_cast<std::size_t>(item)]) + ".html";
}

std::string ReportRun::leaderTable(const RankingResult& result, int item, std::size_t limit,
                                   std::string_view root) const {
    const auto column = static_cast<std::size_t>(rankingSortColumn(item));
    std::size_t count = std::min(limit, result.rows.size());
    // Ties with the last listed entry are listed too, as the ranking keeps them.
    while (count > 0 && count < result.rows.size() &&
           rankingValue(result.rows[count][column]) == rankingValue(result.rows[count - 1][column]))
        ++count;
    if (count == 0)
        return "<p>該当する成績はありません。</p>\n";
    std::string out = "<table class=\"sortable leaders\">\n<thead><tr><th>順位</th>";
    for (std::size_t c = 0; c < result.captions.size(); ++c) {
        out += c == column ? "<th class=\"key\">" : "<th>";
        appendEscaped(out, result.captions[c]);
        out += "</th>";
    }
    out += "</tr></thead>\n<tbody>\n";
    std::size_t rank = 0;
    for (std::size_t r = 0; r < count; ++r) {
        const RankingRow& row = result.rows[r];
        if (r == 0 || rankingValue(row[column]) != rankingValue(result.rows[r - 1][column]))
            rank = r + 1;
        out += "<tr><td class=\"n\">" + std::to_string(rank) + "</td>";
        for (std::size_t c = 0; c < row.size(); ++c) {
            const bool text = c == 0 || c == 1 || c + 1 == row.size();
            const std::string cls = std::string(text ? "" : "n") + (c == column ? " key" : "");
            out += cls.empty() ? "<td>" : "<td class=\"" + cls + "\">";
            const std::string page = c == 0 ? entryPage(row[c]) : std::string();
            if (!page.empty())
                out += link(std::string(root) + page + ".html", row[c]);
            else
                appendEscaped(out, row[c]);
            out += "</td>";
        }
        out += "</tr>\n";
    }
    out += "</tbody>\n</table>\n";
    return out;
}

std::string termHeading(std::optional<long long> term) {
    return term ? std::to_string(*term) + "期の上位" : std::string("最新期の上位");
}

void ReportRun::writeLeaders(int item) {
    const std::string title(rankingItems()[static_cast<std::size_t>(item)]);
    std::string out = pageStart(title, "../", crumbs("../", league_.name));
    const auto base = static_cast<std::size_t>(item) * 3;
    if (!rankings_[base + 1].ruleNote.empty()) {
        out += "<p>";
        appendEscaped(out, rankings_[base + 1].ruleNote);
        out += lowIsBetter(item) ? "。少ない順。" : "。多い順。";
        out += "</p>\n";
    }
    static constexpr std::string_view headings[] = {"", "歴代のシーズン記録", "通算記録"};
    for (std::size_t k = 0; k < 3; ++k) {
        out += "<h2>";
        appendEscaped(out, k == 0 ? termHeading(statsTerm_) : std::string(headings[k]));
        out += "</h2>\n";
        out += leaderTable(rankings_[base + k], item, kLeaderRows, "../");
    }
    out += pageEnd("../");
    writePage(leaderPage(item), out);
    step();
}

void ReportRun::writeIndex() {
    std::string out = pageStart(league_.name, "", "");
    out += "<p>";
    if (newestTerm_ >= 0)
        out += "最新期: " + std::to_string(newestTerm_) + "期";
    if (statsTerm_)
        out += " (成績は" + std::to_string(*statsTerm_) + "期まで)";
    out += "</p>\n<h2>チーム</h2>\n<table class=\"sortable teams\">\n<thead><tr><th>一軍</th>"
           "<th>二軍</th><th>選手数</th></tr></thead>\n<tbody>\n";
    for (const TeamPages& t : teams_) {
        out += "<tr><td>" + link(t.page, t.entry.firstTeam) + "</td><td>" +
               link(t.page + "#farm", t.entry.farmTeam) + "</td><td class=\"n\">" +
               std::to_string(t.players.size()) + "</td></tr>\n";
    }
    out += "</tbody>\n</table>\n<h2>";
    appendEscaped(out, statsTerm_ ? std::to_string(*statsTerm_) + "期の成績1位" : "成績1位");
    out += "</h2>\n<table class=\"headline\">\n<thead><tr><th>項目</th><th>選手</th><th>チーム</th>"
           "<th>記録</th></tr></thead>\n<tbody>\n";
    static constexpr std::array<int, 8> headline = {0, 6, 7, 11, 15, 18, 20, 26};
    for (int item : headline) {
        const RankingResult& r = rankings_[static_cast<std::size_t>(item) * 3];
        const auto column = static_cast<std::size_t>(rankingSortColumn(item));
        out += "<tr><th>" + link(leaderPage(item), rankingItems()[static_cast<std::size_t>(item)]) +
               "</th>";
        if (r.rows.empty()) {
            out += "<td colspan=\"3\">—</td></tr>\n";
            continue;
        }
        std::string names, shortNames;
        for (std::size_t i = 0; i < r.rows.size() &&
                                rankingValue(r.rows[i][column]) == rankingValue(r.rows[0][column]);
             ++i) {
            const std::string page = entryPage(r.rows[i][0]);
            names += (i ? "、" : "") +
                     (page.empty() ? escapeHtml(r.rows[i][0]) : link(page + ".html", r.rows[i][0]));
            shortNames += (i ? "、" : "") + escapeHtml(r.rows[i][1]);
        }
        out += "<td>" + names + "</td><td>" + shortNames + "</td><td class=\"n\">" +
               escapeHtml(r.rows[0][column]) + "</td></tr>\n";
    }
    out += "</tbody>\n</table>\n<h2>記録</h2>\n";
    for (int kind = 0; kind < 2; ++kind) {
        out += kind == 0 ? "<h3>野手</h3>\n<ul class=\"columns\">\n"
                         : "<h3>投手</h3>\n<ul class=\"columns\">\n";
        for (int item = kind * kFirstPitcherItem; item < (kind + 1) * kFirstPitcherItem; ++item)
            out += "<li>" + link(leaderPage(item), rankingItems()[static_cast<std::size_t>(item)]) +
                   "</li>\n";
        out += "</ul>\n";
    }
    out += pageEnd("");
    writePage("index.html", out);
    step();
}

ReportOutcome ReportRun::run(const std::string& outDir) {
    if (league_.search.folder.empty())
        throw LeagueError(std::string(kNoLeagueFolderMessage));
    std::vector<std::string> protectedFolders{league_.search.folder};
    for (const ReportTeam& t : league_.teams)
        protectedFolders.push_back(folderOf(resolvePath(t.path)));
    site_ = std::make_unique<SiteFolder>(outDir, protectedFolders);

    progress_.status("チームファイルを読み込み中");
    loadTeams();
    findTerms();
    try {
        marks_ = StatsMarksFile::loadFromFolder(league_.search.folder);
    } catch (const LeagueError& e) {
        outcome_.warnings.push_back("成績の基準ファイル (seiseki.ini) を読み込めませんでした。 " +
                                    e.fullText());
    }
    for (const TeamPages& t : teams_)
        total_ += t.players.size() + 1;
    total_ += kRankingItemCount + 1;

    try {
        RankingProgress rankingProgress(progress_, total_);
        rankings_ = runRankings(league_.search, rankingOptions(), rankingProgress, &texts_);
        texts_.clear();
        rankingFiles_ = rankingProgress.files();
        outcome_.notes = rankingProgress.messages;

        site_->write("style.css", styleSheet());
        site_->write("sort.js", sortScript());
        for (TeamPages& t : teams_) {
            progress_.status(t.displayName + " の選手のページを作成中");
            writePlayers(t);
            writeTeam(t);
        }
        progress_.status("記録のページを作成中");
        for (int item = 0; item < kRankingItemCount; ++item)
            writeLeaders(item);
        writeIndex();
        outcome_.complete = true;
    } catch (const Cancelled&) {
        outcome_.complete = false;
    }
    site_->finish(outcome_.complete);
    outcome_.files = site_->filesWritten();
    outcome_.bytes = site_->bytesWritten();
    outcome_.indexPath = site_->folder() + "/index.html";
    progress_.status({});
    return outcome_;
}

} // namespace

ReportLeague reportLeague(const Settings& settings, std::string_view leagueName) {
    ReportLeague league;
    league.name = std::string(leagueName);
    league.search = searchLeague(settings, leagueName);
    const std::vector<LeagueEntry> entries = settings.entries(leagueName);
    for (std::size_t i = 0; i < entries.size() && i < league.search.teamFiles.size(); ++i)
        league.teams.push_back(
            {entries[i].firstTeam, entries[i].farmTeam, league.search.teamFiles[i]});
    return league;
}

ReportOutcome writeLeagueReport(const ReportLeague& league, const std::string& outDir,
                                ReportProgress& progress) {
    return ReportRun(league, progress).run(outDir);
}

} // namespace tenvoll::report
