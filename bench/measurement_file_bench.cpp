// Opening a measurement file and reading single records, for files of 10,000 to 1,000,000
// records (588 MB). The open is timed against plain reads of the same file in blocks of the
// size the open reads, with the page cache warm: "open / plain read" is the open's cost over
// the bare reading of its bytes (target: at most 1.5). The files are written once into the
// temporary directory and removed at the end.

#include <fcntl.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "data/measurement_file.h"

namespace tolvinark {
namespace {

class SampleFiles {
  public:
    ~SampleFiles() {
        std::error_code ignored;
        for (const auto& [count, name] : names_) std::filesystem::remove(name, ignored);
    }

    // A file of `count` records, each with its own serial number and time.
    const std::string& of(std::uint32_t count) {
        auto found = names_.find(count);
        if (found != names_.end()) return found->second;
        const std::string name = (std::filesystem::temp_directory_path() /
                                  ("tolvinark-bench-" + std::to_string(count) + ".dst"))
                                     .string();
        std::ofstream out(name, std::ios::binary | std::ios::trunc);
        std::vector<FileRecord> block(4096);
        for (std::uint32_t n = 0; n < count;) {
            std::size_t inBlock = 0;
            for (; inBlock < block.size() && n < count; ++inBlock, ++n) {
                FileRecord& record = block[inBlock];
                storeU32(record, record_offset::kSerialNumber, 1703 + n);
                storeU16(record, record_offset::kMode, static_cast<std::uint16_t>(n % 4));
                storeU16(record, record_offset::kSecond, static_cast<std::uint16_t>(n % 60));
                storeFloat(record, record_offset::kConcentration, static_cast<float>(n) / 1000);
            }
            out.write(reinterpret_cast<const char*>(block.data()),
                      static_cast<std::streamsize>(inBlock * kRecordSize));
        }
        return names_.emplace(count, name).first->second;
    }

  private:
    std::map<std::uint32_t, std::string> names_;
};

SampleFiles& sampleFiles() {
    static SampleFiles files;
    return files;
}

// The open reads whole records, about 1 MB at a time.
constexpr std::size_t kOpenBlockBytes = (std::size_t{1} << 20) / kRecordSize * kRecordSize;

// Reads the whole file with plain reads of the open's block size into one block; gives back
// the number of bytes read.
std::size_t plainRead(const std::string& name, std::vector<char>& block) {
    const int file = ::open(name.c_str(), O_RDONLY);
    if (file < 0) return 0;
    std::size_t total = 0;
    for (;;) {
        const ssize_t arrived = ::read(file, block.data(), block.size());
        if (arrived <= 0) break;
        total += static_cast<std::size_t>(arrived);
    }
    ::close(file);
    return total;
}

double secondsBetween(std::chrono::steady_clock::time_point from,
                      std::chrono::steady_clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// Each iteration reads the file plainly, then opens it; the iteration's time is the open's.
void BM_OpenMeasurementFile(benchmark::State& state) {
    const auto count = static_cast<std::uint32_t>(state.range(0));
    const std::string& name = sampleFiles().of(count);
    std::vector<char> block(kOpenBlockBytes);
    if (plainRead(name, block) != std::size_t{count} * kRecordSize) {  // warms the page cache
        state.SkipWithError("cannot read the file");
        return;
    }
    MeasurementData data;
    double openSeconds = 0;
    double readSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(plainRead(name, block));
        const auto read = std::chrono::steady_clock::now();
        const FileResult result = openMeasurementFile(data, name);
        benchmark::DoNotOptimize(data.index.get());
        const auto opened = std::chrono::steady_clock::now();
        if (!result.ok() || data.recordCount != count) state.SkipWithError("open failed");
        readSeconds += secondsBetween(start, read);
        openSeconds += secondsBetween(read, opened);
        state.SetIterationTime(secondsBetween(read, opened));
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * count * kRecordSize);
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(count) * iterations, benchmark::Counter::kIsRate);
    state.counters["index MB"] = count * sizeof(IndexEntry) / 1e6;
    state.counters["plain read ms"] = readSeconds / iterations * 1e3;
    state.counters["open / plain read"] = readSeconds > 0 ? openSeconds / readSeconds : 0;
}
BENCHMARK(BM_OpenMeasurementFile)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_ReadRecord(benchmark::State& state) {
    const std::uint32_t count = 100000;
    MeasurementData data;
    if (!openMeasurementFile(data, sampleFiles().of(count)).ok()) state.SkipWithError("no file");
    std::uint32_t n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(readRecord(data, n).outcome);
        n = (n + 7919) % count;
    }
}
BENCHMARK(BM_ReadRecord)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tolvinark

BENCHMARK_MAIN();
