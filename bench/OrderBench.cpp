// Loading a team of the big sample league (12 teams, 40 terms, 300 players per
// team file) as the ordering team: the model alone (read the next-season copy,
// fill the 56 rows, the managers) and the opening-order window with its lists,
// under the offscreen platform. The first load creates the copy; the timed
// ones reuse it, as a user choosing a team again does. Run: build/bench/order_bench
#include "export/OpeningOrder.h"
#include "export/Unit6.h"
#include "league/FileAccess.h"
#include "league/Settings.h"
#include "tools/sample-league/SampleLeague.h"
#include "windowkit/ProgramState.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

using namespace tenvoll;
namespace fs = std::filesystem;

struct BigSample {
    BigSample() {
        base = (fs::temp_directory_path() / ("tenvoll-order-bench-" + std::to_string(::getpid())))
                   .string();
        fs::remove_all(base);
        summary = sample::writeSampleLeague(base, {12, 40, 300, 1});
        Settings settings(base);
        settings.load();
        teams = orderTeams(settings, summary.leagueName);
        // The next-season copy exists before any timing (the window would ask first).
        OpeningOrder(base).loadOrderingTeam(teams.front().entry);
    }
    ~BigSample() {
        std::error_code ec;
        fs::remove_all(base, ec);
    }
    std::string base;
    sample::SampleSummary summary;
    std::vector<OrderTeam> teams;
};

const BigSample& big() {
    static BigSample sample;
    return sample;
}

void LoadOrderingTeam(benchmark::State& state) {
    OpeningOrder order(big().base);
    for (auto _ : state)
        order.loadOrderingTeam(big().teams.front().entry);
}
BENCHMARK(LoadOrderingTeam)->Unit(benchmark::kMillisecond);

void LoadOtherTeam(benchmark::State& state) {
    OpeningOrder order(big().base);
    for (auto _ : state)
        order.loadOtherTeam(big().teams[1].entry);
}
BENCHMARK(LoadOtherTeam)->Unit(benchmark::kMillisecond);

void ChooseTeamInWindow(benchmark::State& state) {
    ProgramState programState(big().base);
    programState.setLeagueName(big().summary.leagueName);
    TForm6 window(programState);
    window.show();
    for (auto _ : state) {
        window.chooseOrderingTeam(0);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(ChooseTeamInWindow)->Unit(benchmark::kMillisecond);

void ReadAndDecodeFloor(benchmark::State& state) {
    const std::string path = big().summary.teamFiles.front();
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
