// tenvoll-batch pane-csv and history: a team file opened as a roster pane opens
// it, its roster CSV, and the detail window's history of one of its players
// (CSV, the two clipboard texts and the career chart), on the engines the
// windows use.
#include "app/batch/BatchCommand.h"
#include "app/batch/ChartDrawing.h"

#include "charts/SvgRender.h"
#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/LeagueError.h"
#include "league/TeamFile.h"
#include "mainwindow/PaneCsv.h"
#include "mainwindow/PaneLoader.h"
#include "player/CareerChartData.h"
#include "player/PlayerHistory.h"

#include <ostream>

namespace tenvoll::batch {

namespace {

// Opens FILE as a pane does, under the shared lock; the pane's messages go to
// stderr. False when the file could not be opened.
bool openPane(BatchContext& c, const std::string& file, bool statisticsCheck, PaneLoad& load) {
    {
        FolderLock lock = FolderLock::acquire(c.programFolder, FolderLock::Mode::Shared);
        load = loadPane(file, statisticsCheck);
    }
    for (const UserMessage& m : load.messages)
        c.err << m.text << (m.detail.empty() ? "" : "\n" + m.detail) << "\n";
    return load.loaded;
}

// Writes the lines as the windows' CSV command does; false (with the window's
// message) when the file could not be written.
bool writeCsv(BatchContext& c, const std::string& path, const std::vector<std::string>& lines) {
    try {
        writeCsvLines(c.programFolder, path, lines);
    } catch (const LeagueError& e) {
        c.err << kCsvNotSavedMessage << "\n" << e.fullText() << "\n";
        return false;
    }
    c.err << kCsvSavedMessage << " " << path << "\n";
    return true;
}

int paneCsv(BatchContext& c, const std::vector<std::string>& args) {
    ArgumentList a(args, {}, {"--no-stats-check"});
    a.expectPositionals(2);
    const std::string file = c.argumentPath(a.positional(0, "FILE"));
    const std::string out = c.argumentPath(a.positional(1, "OUT"));
    PaneLoad load;
    if (!openPane(c, file, !a.has("--no-stats-check"), load))
        return kFailure;
    return writeCsv(c, out, rosterCsvLines(load.teamName, load.content)) ? kSuccess : kFailure;
}

bool isSvgName(const std::string& path) {
    return path.ends_with(".svg") || path.ends_with(".SVG");
}

// The career chart of the detail window as a picture: SVG for a name ending in
// ".svg", PNG otherwise (drawn by the drawing helper).
bool writeCareerChart(BatchContext& c, const IniSection& player, const std::string& name,
                      const std::vector<std::string>& itemTexts, const std::string& path) {
    const bool pitcher = PlayerRecord(player).isPitcher();
    std::vector<std::size_t> items;
    for (const std::string& text : itemTexts) {
        auto item = careerItemIndex(pitcher, text);
        if (!item) {
            std::string known;
            for (const CareerItem& i : careerItems(pitcher))
                known += " " + i.label;
            throw UsageError{"unknown --item for this player: " + text + " (items:" + known + ")"};
        }
        items.push_back(*item);
    }
    if (items.empty())
        items.push_back(defaultCareerItem(pitcher));
    if (items.size() > 2)
        throw UsageError{"--item can be given at most twice"};
    const charts::CareerChartData data = careerChartData(player, name, items);
    if (isSvgName(path)) {
        charts::TXYGraphCore graph;
        charts::setUpCareerGraph(graph, data);
        try {
            writeBytesAtomic(path, charts::renderGraphToSvg(graph, charts::kCareerChartWidth,
                                                            charts::kCareerChartHeight));
        } catch (const LeagueError& e) {
            c.err << e.fullText() << "\n";
            return false;
        }
    } else {
        const ChartDrawing* drawing = chartDrawing();
        if (!drawing) {
            c.err << "このビルドにはPNGの描画がありません (.svg を指定してください)\n";
            return false;
        }
        std::string error;
        if (!drawing->careerPng(data, path, error)) {
            c.err << error << "\n";
            return false;
        }
    }
    c.err << "グラフ保存終了！ " << path << "\n";
    return true;
}

ArgumentList historyArguments(const std::vector<std::string>& args) {
    return ArgumentList(args,
                        {"--team", "--csv", "--copy-data", "--copy-stats", "--chart", "--item"},
                        {"--no-stats-check"});
}

// A PNG chart is drawn by the drawing helper; an SVG one here.
bool historyDraws(const std::vector<std::string>& args) {
    try {
        const ArgumentList a = historyArguments(args);
        return a.has("--chart") && !isSvgName(a.value("--chart"));
    } catch (const UsageError&) {
        return false; // the command itself reports it
    }
}

int history(BatchContext& c, const std::vector<std::string>& args) {
    ArgumentList a = historyArguments(args);
    a.expectPositionals(1);
    const std::string& name = a.positional(0, "NAME");
    if (!a.has("--team"))
        throw UsageError{"--team FILE is required"};
    if (name.empty() || name == "*")
        throw UsageError{"NAME must be a player's name"};
    const bool statisticsCheck = !a.has("--no-stats-check");
    const std::string file = c.argumentPath(a.value("--team"));
    PaneLoad load;
    if (!openPane(c, file, statisticsCheck, load))
        return kFailure;

    // Chosen in the Top pane: the Top selection is the shown player.
    StoreSide side = StoreSide::Top;
    const IniStore noStore;
    const IniSection* player = shownPlayerSection(name, name, load.store, {}, noStore, side);
    if (!player) {
        c.err << name << " はこのチームの選手ではありません。\n";
        return kFailure;
    }
    const std::optional<StatsMarksFile> marks =
        historyMarks(paneLeagueFolder(file), statisticsCheck);
    const PlayerHistory history = buildPlayerHistory(*player, name, marks ? &*marks : nullptr);

    auto rowOf = [&](std::string_view option) -> std::optional<std::size_t> {
        const std::string term = a.value(option);
        auto row = historyRowOfTerm(history.rows, term);
        if (!row)
            c.err << name << " には " << term << " 期の行がありません。\n";
        return row;
    };
    std::optional<std::size_t> dataRow, statsRow;
    if (a.has("--copy-data") && !(dataRow = rowOf("--copy-data")))
        return kFailure;
    if (a.has("--copy-stats") && !(statsRow = rowOf("--copy-stats")))
        return kFailure;

    const std::vector<std::string> csv = playerHistoryCsv(history, name);
    if (a.has("--csv") && !writeCsv(c, c.argumentPath(a.value("--csv")), csv))
        return kFailure;
    if (dataRow)
        c.out << copiedRowPlayerData(history, *dataRow, player, side) << "\n";
    if (statsRow)
        c.out << copiedRowStatistics(history, *statsRow, player, side) << "\n";
    if (a.has("--chart") &&
        !writeCareerChart(c, *player, name, a.values("--item"), c.argumentPath(a.value("--chart"))))
        return kFailure;
    if (a.has("--item") && !a.has("--chart"))
        throw UsageError{"--item needs --chart OUT"};
    if (!a.has("--csv") && !dataRow && !statsRow && !a.has("--chart"))
        for (const std::string& line : csv)
            c.out << line << "\n";
    return kSuccess;
}

} // namespace

void addPaneCommands(std::vector<BatchCommand>& table) {
    table.push_back({"pane-csv", "FILE OUT [--no-stats-check]",
                     "チームファイルを画面の表示どおりに開き、ロスターのCSVファイルを作成",
                     paneCsv});
    table.push_back(
        {"history",
         "NAME --team FILE [--csv OUT] [--no-stats-check] [--copy-data TERM] "
         "[--copy-stats TERM] [--chart OUT.png|OUT.svg [--item ITEM]...]",
         "選手の個人データ (CSV、指定した期のクリップボード用テキスト、推移のグラフ) を出力",
         history, historyDraws});
}

} // namespace tenvoll::batch
