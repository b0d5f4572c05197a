// tenvoll-batch ranking and find: the league-wide ranking and the player name
// search of the current league of the program folder's "Tenvoll.ini".
#include "app/batch/BatchCommand.h"
#include "app/batch/ChartDrawing.h"

#include "charts/TermSpread.h"
#include "league/FolderLock.h"
#include "league/LeagueError.h"
#include "league/OutputTarget.h"
#include "league/Settings.h"
#include "mainwindow/NameSearch.h"
#include "mainwindow/Ranking.h"
#include "mainwindow/RankingCsv.h"

#include <ostream>
#include <set>

namespace tenvoll::batch {

namespace {

// Message-box texts go to stderr, each once; status texts are dropped except
// those that tell of a conversion, since that rewrites or writes a file.
class ConsoleReporter : public SearchReporter {
public:
    explicit ConsoleReporter(std::ostream& err) : err_(err) {}
    void status(const std::string& text) override {
        if (text.ends_with(kOldUnsignedSuffix) || text.ends_with(kOldTeamSuffix) ||
            text.ends_with(kConvertedSuffix) || text.ends_with(kConversionErrorSuffix))
            err_ << text << "\n";
    }
    void message(const std::string& text) override {
        if (shown_.insert(text).second)
            err_ << text << "\n";
    }

private:
    std::ostream& err_;
    std::set<std::string> shown_;
};

SearchLeague currentLeague(const BatchContext& c) {
    Settings settings(c.programFolder);
    settings.load();
    return searchLeague(settings, settings.leagueName());
}

template <typename T>
T choice(const ArgumentList& a, std::string_view option, std::string_view fallback,
         std::initializer_list<std::pair<std::string_view, T>> values) {
    std::string v = a.value(option, fallback);
    std::string allowed;
    for (const auto& [text, value] : values) {
        if (v == text)
            return value;
        allowed += (allowed.empty() ? "" : "|") + std::string(text);
    }
    throw UsageError{std::string(option) + " must be " + allowed};
}

RankingOptions rankingOptions(const ArgumentList& a) {
    if (!a.has("--stat"))
        throw UsageError{"--stat is required (an item text such as 野手_打率, or 0-29)"};
    auto item = rankingItemIndex(a.value("--stat"));
    if (!item)
        throw UsageError{"unknown --stat: " + a.value("--stat")};
    RankingOptions o;
    o.item = *item;
    o.restricted = choice<bool>(a, "--limit", "qualified", {{"none", false}, {"qualified", true}});
    o.order = choice<RankingOrder>(
        a, "--order", "desc",
        {{"asc", RankingOrder::Ascending}, {"desc", RankingOrder::Descending}});
    o.players = choice<RankingPlayers>(a, "--players", "all",
                                       {{"all", RankingPlayers::All},
                                        {"active", RankingPlayers::Active},
                                        {"retired", RankingPlayers::Retired}});
    o.career = a.has("--career");
    return o;
}

void printRow(std::ostream& out, const RankingRow& row) {
    for (std::size_t i = 0; i < row.size(); ++i)
        out << (i ? "\t" : "") << row[i];
    out << "\n";
}

// The chart of the list's spread over the terms, as the chart window draws it.
bool writeTermChart(BatchContext& c, const std::vector<RankingRow>& rows, const std::string& path) {
    std::vector<std::string> terms;
    for (const RankingRow& row : rows)
        terms.push_back(row.back()); // "期別"
    if (!charts::termSpreadAvailable(terms)) {
        c.err << "順位表が空なので、グラフは書き出しませんでした。\n";
        return false;
    }
    const ChartDrawing* drawing = chartDrawing();
    if (!drawing) {
        c.err << "このビルドにはグラフの描画がありません\n";
        return false;
    }
    checkOutputTarget(c.programFolder, path);
    std::string error;
    if (!drawing->termSpreadPng(terms, path, error)) {
        c.err << error << "\n";
        return false;
    }
    c.err << "グラフ保存終了！ " << path << "\n";
    return true;
}

ArgumentList rankingArguments(const std::vector<std::string>& args) {
    return ArgumentList(args, {"--stat", "--limit", "--order", "--players", "--csv", "--chart"},
                        {"--career"});
}

// The chart is drawn by the drawing helper.
bool rankingDraws(const std::vector<std::string>& args) {
    try {
        return rankingArguments(args).has("--chart");
    } catch (const UsageError&) {
        return false; // the command itself reports it
    }
}

int ranking(BatchContext& c, const std::vector<std::string>& args) {
    ArgumentList a = rankingArguments(args);
    a.expectPositionals(0);
    RankingOptions options = rankingOptions(a);
    // The chart counts single seasons per term; a career list has no terms.
    if (options.career && a.has("--chart"))
        throw UsageError{
            "--chart cannot be used with --career (通算成績は期別のグラフにできません)"};
    ConsoleReporter reporter(c.err);
    RankingResult result;
    {
        FolderLock lock = FolderLock::acquire(c.programFolder, FolderLock::Mode::Shared);
        result = runRanking(currentLeague(c), options, reporter);
    }
    if (!result.ruleNote.empty())
        c.err << result.ruleNote << "\n";
    for (const RankingRow& row : result.rows)
        printRow(c.out, row);
    if (a.has("--csv")) {
        std::string path = c.argumentPath(a.value("--csv"));
        writeRankingCsv(c.programFolder, path,
                        rankingCsvLines(rankingCsvHeading(options), result.captions, result.rows));
        c.err << "CSVデータ保存終了！ " << path << "\n";
    }
    if (a.has("--chart") && !writeTermChart(c, result.rows, c.argumentPath(a.value("--chart"))))
        return kFailure;
    return result.unreadFiles.empty() ? kSuccess : kFailure;
}

int find(BatchContext& c, const std::vector<std::string>& args) {
    ArgumentList a(args, {});
    a.expectPositionals(1);
    const std::string& name = a.positional(0, "NAME");
    if (name.empty())
        throw UsageError{std::string(kNoNameMessage)};
    FolderLock lock = FolderLock::acquire(c.programFolder, FolderLock::Mode::Shared);
    SearchLeague league = currentLeague(c);
    ConsoleReporter reporter(c.err);
    NameSearchResult result = searchPlayerName(league, name, reporter);
    lock.release();
    for (const std::string& found : result.names)
        c.out << found << "\n";
    if (result.names.empty()) {
        c.err << nameNotFoundMessage(league.name) << "\n";
        return kFailure;
    }
    return kSuccess;
}

} // namespace

void addRankingCommands(std::vector<BatchCommand>& table) {
    table.push_back({"ranking",
                     "--stat ITEM [--limit none|qualified] [--order asc|desc] "
                     "[--players all|active|retired] [--career] [--csv OUT] [--chart OUT.png]",
                     "現在の機構の全選手を成績で順位付け (上位100件、同順位を含む)", ranking,
                     rankingDraws});
    table.push_back({"find", "NAME", "現在の機構の全チームと未契約選手から選手名で検索", find});
}

} // namespace tenvoll::batch
