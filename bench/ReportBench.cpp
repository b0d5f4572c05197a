// The web-page report of the benchmark league (BenchLeague.h) beside its floor:
// reading and decoding every file the report reads (team files and
// unsigned-players files, once each) and writing the same bytes into as many
// files the way the report writes them (a temporary file renamed over the
// page). Build with -DTENVOLL_BENCH=ON; run build/bench/report_bench.
#include "bench/BenchLeague.h"
#include "league/FileAccess.h"
#include "league/Settings.h"
#include "mainwindow/LeagueSearch.h"
#include "report/LeagueReport.h"
#include "tools/sample-league/SampleLeague.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using namespace tenvoll;
namespace fs = std::filesystem;

class BigSample {
public:
    BigSample() {
        folder_ =
            (fs::temp_directory_path() / ("tenvoll-report-bench-" + std::to_string(::getpid())))
                .string();
        fs::remove_all(folder_);
        fs::create_directories(folder_ + "/program");
        sample::writeSampleLeague(folder_ + "/program", bench::benchLeagueOptions());
        Settings settings(folder_ + "/program");
        settings.load();
        league_ = report::reportLeague(settings, settings.leagueName());
        UnsignedFiles unsignedFiles(league_.search.folder);
        for (long long term : unsignedFiles.searchTerms())
            inputs_.push_back(unsignedFiles.path(term));
        for (const std::string& path : league_.search.teamFiles)
            inputs_.push_back(path);
        // One run, outside the timing, tells the floor which files to write.
        report::ReportProgress quiet;
        report::writeLeagueReport(league_, site(), quiet);
        for (const auto& e : fs::recursive_directory_iterator(site()))
            if (e.is_regular_file())
                outputs_.emplace_back(fs::relative(e.path(), site()).string(), e.file_size());
    }
    ~BigSample() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    const report::ReportLeague& league() const { return league_; }
    const std::vector<std::string>& inputs() const { return inputs_; }
    const std::vector<std::pair<std::string, std::size_t>>& outputs() const { return outputs_; }
    std::string site() const { return folder_ + "/site"; }
    std::string floorFolder() const { return folder_ + "/floor"; }

private:
    std::string folder_;
    report::ReportLeague league_;
    std::vector<std::string> inputs_;
    std::vector<std::pair<std::string, std::size_t>> outputs_;
};

BigSample& sample() {
    static BigSample s;
    return s;
}

void ReadAndWriteFloor(benchmark::State& state) {
    sample();
    std::size_t read = 0, written = 0;
    for (auto _ : state) {
        read = 0;
        written = 0;
        for (const std::string& path : sample().inputs())
            read += readTextFile(path).size();
        for (const auto& [relative, size] : sample().outputs()) {
            const fs::path target = fs::path(sample().floorFolder()) / relative;
            fs::create_directories(target.parent_path());
            const std::string bytes(size, 'x');
            fs::path temporary = target;
            temporary += ".part";
            std::ofstream(temporary, std::ios::binary)
                .write(bytes.data(), static_cast<std::streamsize>(size));
            fs::rename(temporary, target);
            written += size;
        }
        benchmark::DoNotOptimize(read);
    }
    state.counters["read_MB"] = static_cast<double>(read) / 1e6;
    state.counters["written_MB"] = static_cast<double>(written) / 1e6;
    state.counters["files"] = static_cast<double>(sample().outputs().size());
}

void Report(benchmark::State& state) {
    sample();
    report::ReportProgress quiet;
    for (auto _ : state) {
        report::ReportOutcome outcome =
            report::writeLeagueReport(sample().league(), sample().site(), quiet);
        benchmark::DoNotOptimize(outcome);
    }
}

BENCHMARK(ReadAndWriteFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(Report)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
