// Load and save of a big team file against the codec floor for the same
// bytes, on the benchmark league (BenchLeague.h).
#include "bench/BenchLeague.h"
#include "league/FileAccess.h"
#include "league/IniStore.h"
#include "league/TextCodec.h"
#include "tools/sample-league/SampleLeague.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace tenvoll;

namespace {

struct BigSample {
    fs::path folder;
    std::string largest; // the biggest team file
    std::string output;  // where the save benchmark writes
    std::size_t bytes = 0;

    BigSample() {
        folder = fs::temp_directory_path() / ("tenvoll-bench-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        auto summary = sample::writeSampleLeague(folder.string(), bench::benchLeagueOptions());
        for (const auto& path : summary.teamFiles) {
            std::size_t size = fs::file_size(path);
            if (size > bytes) {
                bytes = size;
                largest = path;
            }
        }
        output = (folder / "saved.txt").string();
    }
    ~BigSample() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

const BigSample& bigSample() {
    static BigSample sample;
    return sample;
}

// The floor: read the file, cp932 -> UTF-8 -> cp932 with the codec alone.
void CodecFloor(benchmark::State& state) {
    const BigSample& s = bigSample();
    for (auto _ : state) {
        std::string bytes = readFileBytes(s.largest);
        std::string text = decodeFileBytes(bytes, s.largest).text;
        benchmark::DoNotOptimize(encodeCp932(text, s.largest));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(s.bytes));
}

// Load, then save: serialise, encode and write atomically (temporary file,
// flush to disk, rename).
void LoadAndSave(benchmark::State& state) {
    const BigSample& s = bigSample();
    for (auto _ : state) {
        IniStore team = IniStore::load(s.largest);
        team.save(s.output);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(s.bytes));
}

// The parts, to see where the time goes.
void Load(benchmark::State& state) {
    const BigSample& s = bigSample();
    for (auto _ : state)
        benchmark::DoNotOptimize(IniStore::load(s.largest));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(s.bytes));
}

void Save(benchmark::State& state) {
    const BigSample& s = bigSample();
    IniStore team = IniStore::load(s.largest);
    for (auto _ : state)
        team.save(s.output);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(s.bytes));
}

void SerializeAndEncode(benchmark::State& state) {
    const BigSample& s = bigSample();
    IniStore team = IniStore::load(s.largest);
    for (auto _ : state)
        benchmark::DoNotOptimize(encodeCp932(team.serialize(), s.output));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(s.bytes));
}

} // namespace

BENCHMARK(CodecFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadAndSave)->Unit(benchmark::kMillisecond);
BENCHMARK(Load)->Unit(benchmark::kMillisecond);
BENCHMARK(Save)->Unit(benchmark::kMillisecond);
BENCHMARK(SerializeAndEncode)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
