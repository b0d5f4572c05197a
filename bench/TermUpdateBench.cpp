// The term update on the big sample league (12 teams, 40 terms, 300 players per
// team file) beside its floor: reading the files the run reads and writing, in
// one transaction with the same flushes, the bytes the run writes (backups
// included). Each iteration starts from a fresh copy of the league, made
// outside the timing. Run: build/bench/termupdate_bench
#include "league/FileAccess.h"
#include "termupdate/TermUpdate.h"
#include "termupdate/TermUpdateSetup.h"
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
            fs::temp_directory_path() / ("tenvoll-termupdate-bench-" + std::to_string(::getpid()));
        fs::remove_all(base);
        pristine_ = (base / "pristine").string();
        work_ = (base / "work").string();
        summary_ = sample::writeSampleLeague(pristine_, {12, 40, 300, 1});
        base_ = base.string();
        measureOneRun();
    }
    ~BigSample() {
        std::error_code ec;
        fs::remove_all(base_, ec);
    }

    // A fresh copy of the league in the work folder.
    void reset() const {
        fs::remove_all(work_);
        fs::copy(pristine_, work_, fs::copy_options::recursive);
    }

    TermUpdateInput input() const {
        TermUpdateReporter quiet;
        TermUpdateSetup setup = openTermUpdate(work_, quiet);
        auto files = [&](WorkingList list) {
            return workingFilePaths(work_, list, setup.fileNames[static_cast<std::size_t>(list)]);
        };
        return {work_,
                setup.leagueName,
                summary_.latestTerm + 1,
                setup.tool.empty() ? std::string("標準") : setup.tool,
                150,
                files(WorkingList::Growth),
                files(WorkingList::Statistics),
                files(WorkingList::NewPlayers)};
    }

    const std::vector<std::string>& readFiles() const { return readFiles_; }
    const std::vector<std::pair<std::string, std::string>>& written() const { return written_; }
    std::size_t bytesRead() const { return bytesRead_; }
    std::size_t bytesWritten() const { return bytesWritten_; }

private:
    // One run tells which files are read and what is written where.
    void measureOneRun() {
        reset();
        TermUpdateInput in = input();
        for (const auto& path : summary_.teamFiles)
            readFiles_.push_back((fs::path(work_) / fs::relative(path, pristine_)).string());
        for (auto* list : {&in.growthFiles, &in.statisticsFiles, &in.newPlayerFiles})
            readFiles_.insert(readFiles_.end(), list->begin(), list->end());
        std::string leagueFolder =
            (fs::path(work_) / fs::relative(summary_.leagueFolder, pristine_)).string();
        for (const auto& path : {unsignedPlayersPath(leagueFolder, in.newTerm - 1),
                                 (fs::path(leagueFolder) / "seiseki.ini").string()})
            if (fs::exists(path))
                readFiles_.push_back(path);
        TermUpdateReporter quiet;
        TermUpdateResult result = runTermUpdate(in, quiet);
        std::vector<std::string> paths = result.writtenFiles;
        for (const auto& e : fs::recursive_directory_iterator(result.backupFolder))
            if (e.is_regular_file())
                paths.push_back(e.path().string());
        for (const auto& p : paths) {
            written_.emplace_back(p, readFileBytes(p));
            bytesWritten_ += written_.back().second.size();
        }
        reset();
        for (const auto& p : readFiles_)
            bytesRead_ += fs::file_size(p);
    }

    std::string base_, pristine_, work_;
    sample::SampleSummary summary_;
    std::vector<std::string> readFiles_;
    std::vector<std::pair<std::string, std::string>> written_;
    std::size_t bytesRead_ = 0;
    std::size_t bytesWritten_ = 0;
};

BigSample& sampleLeague() {
    static BigSample s;
    return s;
}

void counters(benchmark::State& state) {
    state.counters["MB_read"] = static_cast<double>(sampleLeague().bytesRead()) / 1e6;
    state.counters["MB_written"] = static_cast<double>(sampleLeague().bytesWritten()) / 1e6;
}

void TermUpdateRun(benchmark::State& state) {
    const BigSample& league = sampleLeague();
    TermUpdateReporter quiet;
    for (auto _ : state) {
        state.PauseTiming();
        league.reset();
        TermUpdateInput in = league.input();
        state.ResumeTiming();
        TermUpdateResult result = runTermUpdate(in, quiet);
        benchmark::DoNotOptimize(result.unsignedPlayers);
    }
    counters(state);
}

void ReadWriteFloor(benchmark::State& state) {
    const BigSample& league = sampleLeague();
    for (auto _ : state) {
        state.PauseTiming();
        league.reset();
        state.ResumeTiming();
        std::size_t read = 0;
        for (const auto& path : league.readFiles())
            read += readFileBytes(path).size();
        benchmark::DoNotOptimize(read);
        for (const auto& [path, bytes] : league.written())
            createFolders(fs::path(path).parent_path().string());
        FileTransaction transaction;
        for (const auto& [path, bytes] : league.written())
            transaction.stageBytes(path, bytes);
        transaction.commit();
    }
    counters(state);
}

} // namespace

BENCHMARK(TermUpdateRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(ReadWriteFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

BENCHMARK_MAIN();
