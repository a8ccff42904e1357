// Opening a measurement file and reading single records, for files of 1,000 to 1,000,000
// records (588 MB). The files are written once into the temporary directory and removed at
// the end.

#include <benchmark/benchmark.h>

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

void BM_OpenMeasurementFile(benchmark::State& state) {
    const auto count = static_cast<std::uint32_t>(state.range(0));
    const std::string& name = sampleFiles().of(count);
    MeasurementData data;
    for (auto _ : state) {
        const FileResult result = openMeasurementFile(data, name);
        if (!result.ok() || data.recordCount != count) state.SkipWithError("open failed");
        benchmark::DoNotOptimize(data.index.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * count * kRecordSize);
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(count) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    state.counters["index MB"] = count * sizeof(IndexEntry) / 1e6;
}
BENCHMARK(BM_OpenMeasurementFile)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
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
