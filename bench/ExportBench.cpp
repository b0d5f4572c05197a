// The league export of six teams of the benchmark league (BenchLeague.h),
// previous-term data, into one file,
// beside its floor: reading the same six team files and writing the same
// output bytes atomically. Run: build/bench/export_bench
#include "bench/BenchLeague.h"
#include "export/ExportTeamList.h"
#include "export/LeagueExport.h"
#include "league/FileAccess.h"
#include "league/Settings.h"
#include "tools/sample-league/SampleLeague.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

using namespace tenvoll;
namespace fs = std::filesystem;

class BigSample {
public:
    BigSample() {
        fs::path base =
            fs::temp_directory_path() / ("tenvoll-export-bench-" + std::to_string(::getpid()));
        fs::remove_all(base);
        folder_ = base.string();
        summary_ = sample::writeSampleLeague(folder_, bench::benchLeagueOptions());
        Settings settings(folder_);
        settings.load();
        ExportTeamList list(folder_, exportRegistryRows(settings.ini()));
        const std::vector<LeagueEntry> entries = settings.entries(summary_.leagueName);
        for (int n = 1; n <= kExportSlotCount; ++n)
            list.assignPrevious(std::size_t(list.findPath(entries[std::size_t(n - 1)].path)), n);
        slots_ = list.exportSlots();
        output_ = (base / "export.txt").string();
        writeLeagueExport(output_, buildLeagueExport(folder_, slots_));
        outputBytes_ = readFileBytes(output_);
        for (int n = 0; n < kExportSlotCount; ++n) {
            readFiles_.push_back(summary_.teamFiles[std::size_t(n)]);
            bytesRead_ += fs::file_size(readFiles_.back());
        }
    }
    ~BigSample() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    std::string folder_, output_, outputBytes_;
    sample::SampleSummary summary_;
    ExportSlots slots_;
    std::vector<std::string> readFiles_;
    std::size_t bytesRead_ = 0;
};

BigSample& sampleLeague() {
    static BigSample s;
    return s;
}

void counters(benchmark::State& state) {
    state.counters["MB_read"] = static_cast<double>(sampleLeague().bytesRead_) / 1e6;
    state.counters["KB_written"] = static_cast<double>(sampleLeague().outputBytes_.size()) / 1e3;
}

void ExportSixTeams(benchmark::State& state) {
    const BigSample& league = sampleLeague();
    for (auto _ : state) {
        LeagueExportFile file = buildLeagueExport(league.folder_, league.slots_);
        writeLeagueExport(league.output_, file);
        benchmark::DoNotOptimize(file.lines.data());
    }
    counters(state);
}

void ReadWriteFloor(benchmark::State& state) {
    const BigSample& league = sampleLeague();
    for (auto _ : state) {
        std::size_t read = 0;
        for (const auto& path : league.readFiles_)
            read += readFileBytes(path).size();
        benchmark::DoNotOptimize(read);
        writeBytesAtomic(league.output_, league.outputBytes_);
    }
    counters(state);
}

} // namespace

BENCHMARK(ExportSixTeams)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadWriteFloor)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
