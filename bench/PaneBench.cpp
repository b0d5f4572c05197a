// Opening the biggest team of the benchmark league (BenchLeague.h) in a
// pane: the engine alone (read, decode, parse, fill the four
// grids, statistics marks, summary) and the whole main-window path with its
// models, under the offscreen platform. Also the ranking started from the
// main window's search panel beside the same ranking run by the engine alone.
// Run: build/bench/pane_bench
#include "bench/BenchLeague.h"
#include "league/FileAccess.h"
#include "league/Settings.h"
#include "mainwindow/PaneLoader.h"
#include "mainwindow/Ranking.h"
#include "mainwindow/SearchMode.h"
#include "mainwindow/SearchPanel.h"
#include "mainwindow/Unit1.h"
#include "tools/sample-league/SampleLeague.h"
#include "windowkit/UserDialogs.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

using namespace tenvoll;
namespace fs = std::filesystem;

struct BigSample {
    BigSample() {
        base = (fs::temp_directory_path() / ("tenvoll-pane-bench-" + std::to_string(::getpid())))
                   .string();
        fs::remove_all(base);
        summary = sample::writeSampleLeague(base, bench::benchLeagueOptions());
        for (const auto& f : summary.teamFiles)
            if (largest.empty() || fs::file_size(f) > fs::file_size(largest))
                largest = f;
    }
    ~BigSample() {
        std::error_code ec;
        fs::remove_all(base, ec);
    }
    std::string base;
    std::string largest;
    sample::SampleSummary summary;
};

const BigSample& big() {
    static BigSample sample;
    return sample;
}

void LoadPane(benchmark::State& state) {
    const std::string path = big().largest;
    for (auto _ : state) {
        PaneLoad load = loadPane(path, true);
        benchmark::DoNotOptimize(load.content);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(fs::file_size(path)));
}
BENCHMARK(LoadPane)->Unit(benchmark::kMillisecond);

void OpenTeamInMainWindow(benchmark::State& state) {
    TForm1 window(big().base);
    const std::string path = big().largest;
    for (auto _ : state)
        window.openTeam(PaneSide::Top, path);
}
BENCHMARK(OpenTeamInMainWindow)->Unit(benchmark::kMillisecond);

// The main window in search mode, its ranking started by "検索開始" with the
// panel's first settings.
void RankingInMainWindow(benchmark::State& state) {
    TForm1 window(big().base);
    window.show();
    window.findChild<QAction*>(QStringLiteral("SearchAction"))->trigger();
    for (auto _ : state)
        window.search().panel()->startButton()->click();
}
BENCHMARK(RankingInMainWindow)->Unit(benchmark::kMillisecond);

void RankingEngineAlone(benchmark::State& state) {
    TForm1 window(big().base);
    const RankingOptions options = window.search().panel()->options();
    Settings settings = Settings::loadFrom(big().base);
    const SearchLeague league = searchLeague(settings, settings.leagueName());
    SearchReporter quiet;
    for (auto _ : state)
        benchmark::DoNotOptimize(runRanking(league, options, quiet));
}
BENCHMARK(RankingEngineAlone)->Unit(benchmark::kMillisecond);

void ReadAndDecodeFloor(benchmark::State& state) {
    const std::string path = big().largest;
    for (auto _ : state)
        benchmark::DoNotOptimize(readTextFile(path));
}
BENCHMARK(ReadAndDecodeFloor)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
