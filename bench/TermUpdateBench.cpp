// The term update and the data check on the benchmark league (BenchLeague.h)
// beside their floors. The term update's floor reads and decodes the files the
// run reads, encodes the texts it writes and writes them, in one transaction
// with the same flushes, with the backup copies as they are. The data check's
// floor reads and decodes the growth files and reads the first line of every
// registered team file. Each term-update iteration starts from a fresh copy of
// the league, made outside the timing. Run: build/bench/termupdate_bench
#include "bench/BenchLeague.h"
#include "league/FileAccess.h"
#include "league/TextCodec.h"
#include "termupdate/Dcheck.h"
#include "termupdate/TermUpdate.h"
#include "termupdate/TermUpdateSetup.h"
#include "tools/sample-league/SampleLeague.h"

#include <benchmark/benchmark.h>

#include <cstdio>
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
        summary_ = sample::writeSampleLeague(pristine_, bench::benchLeagueOptions());
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
                setup.tool.value_or(ToolVariant::Standard),
                kDefaultGames,
                files(WorkingList::Growth),
                files(WorkingList::Statistics),
                files(WorkingList::NewPlayers)};
    }

    const std::vector<std::string>& teamFiles() const { return teamFiles_; }
    const std::vector<std::string>& readFiles() const { return readFiles_; }
    // Written files: path, and the UTF-8 text (empty for backup copies).
    const std::vector<std::pair<std::string, std::string>>& written() const { return written_; }
    const std::vector<std::pair<std::string, std::string>>& copied() const { return copied_; }
    std::size_t bytesRead() const { return bytesRead_; }
    std::size_t bytesWritten() const { return bytesWritten_; }

private:
    // One run tells which files are read and what is written where.
    void measureOneRun() {
        reset();
        TermUpdateInput in = input();
        for (const auto& path : summary_.teamFiles)
            teamFiles_.push_back((fs::path(work_) / fs::relative(path, pristine_)).string());
        readFiles_ = teamFiles_;
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
        for (const auto& p : result.writtenFiles) {
            std::string bytes = readFileBytes(p);
            bytesWritten_ += bytes.size();
            written_.emplace_back(p, decodeFileBytes(bytes, p).text);
        }
        for (const auto& e : fs::recursive_directory_iterator(result.backupFolder))
            if (e.is_regular_file()) {
                copied_.emplace_back(e.path().string(), readFileBytes(e.path().string()));
                bytesWritten_ += copied_.back().second.size();
            }
        reset();
        for (const auto& p : readFiles_)
            bytesRead_ += fs::file_size(p);
    }

    std::string base_, pristine_, work_;
    sample::SampleSummary summary_;
    std::vector<std::string> teamFiles_, readFiles_;
    std::vector<std::pair<std::string, std::string>> written_, copied_;
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
            read += readTextFile(path).size();
        benchmark::DoNotOptimize(read);
        for (const auto& [path, bytes] : league.copied())
            createFolders(fs::path(path).parent_path().string());
        FileTransaction transaction;
        for (const auto& [path, text] : league.written())
            transaction.stageBytes(path, encodeCp932(text, path));
        for (const auto& [path, bytes] : league.copied())
            transaction.stageBytes(path, bytes);
        transaction.commit();
    }
    counters(state);
}

DataCheckInput dataCheckInput() {
    const BigSample& league = sampleLeague();
    league.reset();
    TermUpdateInput in = league.input();
    TermUpdateReporter quiet;
    TermUpdateSetup setup = openTermUpdate(in.programFolder, quiet);
    return {in.programFolder, in.leagueName, in.newTerm, setup.teamNames, in.growthFiles};
}

void DataCheckRun(benchmark::State& state) {
    DataCheckInput in = dataCheckInput();
    TermUpdateReporter quiet;
    for (auto _ : state) {
        DataCheckResult result = runDataCheck(in, quiet);
        benchmark::DoNotOptimize(result.passed);
    }
}

// The bytes that decide: every growth file in full, the first line of each team file.
void DataCheckFloor(benchmark::State& state) {
    DataCheckInput in = dataCheckInput();
    const std::vector<std::string>& teamFiles = sampleLeague().teamFiles();
    for (auto _ : state) {
        std::size_t read = 0;
        for (const auto& path : in.growthFiles)
            read += readTextFile(path).size();
        for (const auto& path : teamFiles) {
            std::FILE* f = std::fopen(path.c_str(), "rb");
            char line[256];
            read += std::fgets(line, sizeof line, f) != nullptr;
            std::fclose(f);
        }
        benchmark::DoNotOptimize(read);
    }
}

} // namespace

BENCHMARK(DataCheckRun)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DataCheckFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(TermUpdateRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(ReadWriteFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

BENCHMARK_MAIN();
