// Ranking search over the benchmark league (BenchLeague.h: its team files
// and one unsigned-players file per term) beside its floor: reading and
// decoding the same files once. Build with -DTENVOLL_BENCH=ON; run
// build/bench/ranking_bench (add --benchmark_repetitions=5 on a busy machine).
#include "bench/BenchLeague.h"
#include "league/FileAccess.h"
#include "league/Settings.h"
#include "mainwindow/LeagueSearch.h"
#include "mainwindow/NameSearch.h"
#include "mainwindow/Ranking.h"
#include "tools/sample-league/SampleLeague.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

using namespace tenvoll;

class BigSample {
public:
    BigSample() {
        folder_ = (std::filesystem::temp_directory_path() /
                   ("tenvoll-ranking-bench-" + std::to_string(::getpid())))
                      .string();
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        sample::writeSampleLeague(folder_, bench::benchLeagueOptions());
        Settings settings(folder_);
        settings.load();
        league_ = searchLeague(settings, settings.leagueName());
        UnsignedFiles unsignedFiles(league_.folder);
        for (long long term : unsignedFiles.searchTerms())
            files_.push_back(unsignedFiles.path(term));
        for (const std::string& path : league_.teamFiles)
            files_.push_back(path);
    }
    ~BigSample() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    const SearchLeague& league() const { return league_; }
    const std::vector<std::string>& files() const { return files_; }

private:
    std::string folder_;
    SearchLeague league_;
    std::vector<std::string> files_;
};

BigSample& sample() {
    static BigSample s;
    return s;
}

void ReadAndDecodeFloor(benchmark::State& state) {
    sample(); // written once, outside the timing
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const std::string& path : sample().files())
            bytes += readTextFile(path).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["files"] = static_cast<double>(sample().files().size());
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

// Arguments: item, career (0/1). Restricted, descending, all players.
void Ranking(benchmark::State& state) {
    RankingOptions options;
    options.item = static_cast<int>(state.range(0));
    options.career = state.range(1) != 0;
    sample();
    SearchReporter quiet;
    std::size_t rows = 0;
    for (auto _ : state) {
        RankingResult r = runRanking(sample().league(), options, quiet);
        rows = r.rows.size();
        benchmark::DoNotOptimize(r);
    }
    state.SetLabel(std::string(rankingItems()[options.item]) + (options.career ? " 通算" : ""));
    state.counters["rows"] = static_cast<double>(rows);
}

void NameSearch(benchmark::State& state) {
    sample();
    SearchReporter quiet;
    for (auto _ : state) {
        NameSearchResult r = searchPlayerName(sample().league(), "存在しない選手", quiet);
        benchmark::DoNotOptimize(r);
    }
}

BENCHMARK(ReadAndDecodeFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(Ranking)
    ->Args({0, 0})  // 野手_打率
    ->Args({6, 0})  // 野手_本塁打
    ->Args({22, 0}) // 投手_投球回数
    ->Args({15, 0}) // 投手_防御率
    ->Args({6, 1})  // 野手_本塁打, careers
    ->Unit(benchmark::kMillisecond);
BENCHMARK(NameSearch)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
