// Speed of the core: building the record index at open, composing list rows, the export.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "data/file_record.h"
#include "data/measurement_file.h"
#include "data/record_index.h"
#include "data/record_texts.h"
#include "output/dif_export.h"
#include "tests/support/test_records.h"

namespace tolvinark {
namespace {

// A plausible record that differs from its neighbours in every field the texts read.
FileRecord benchRecord(std::uint32_t i) {
    test::TestRecord record;
    record.serial(1234567)
        .mode(static_cast<std::uint16_t>(i % 4))
        .date(static_cast<std::uint16_t>(2015 + i % 10), static_cast<std::uint16_t>(1 + i % 12),
              static_cast<std::uint16_t>(1 + i % 28))
        .time(static_cast<std::uint16_t>(i % 24), static_cast<std::uint16_t>(i % 60),
              static_cast<std::uint16_t>((i * 7) % 60))
        .duration(static_cast<std::uint16_t>(i % 32768))
        .climate(static_cast<std::uint16_t>(i % 40), static_cast<std::uint16_t>(i % 100),
                 static_cast<std::uint16_t>(740 + i % 30))
        .concentration(0.001f * static_cast<float>(i % 100000))
        .pointCount(128);
    for (std::size_t p = 0; p < kSeriesCapacity; ++p) {
        record.point(Series::Ci, p, static_cast<std::int16_t>(p * 97 + i));
        record.point(Series::Cd, p, static_cast<std::int16_t>(p * 13 + i));
    }
    return record;
}

// A measurement file of `count` records in the temporary directory, removed with the object.
class TempMeasurementFile {
  public:
    explicit TempMeasurementFile(std::uint32_t count) {
        path_ = std::filesystem::temp_directory_path() /
                ("tolvinark-core-bench-" + std::to_string(count) + ".dst");
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        for (std::uint32_t i = 0; i < count; ++i) {
            const FileRecord record = benchRecord(i);
            out.write(reinterpret_cast<const char*>(record.bytes.data()), kRecordSize);
        }
    }
    ~TempMeasurementFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    TempMeasurementFile(const TempMeasurementFile&) = delete;
    TempMeasurementFile& operator=(const TempMeasurementFile&) = delete;

    std::string name() const { return path_.string(); }

  private:
    std::filesystem::path path_;
};

void BM_IndexBuilding(benchmark::State& state) {
    const auto count = static_cast<std::uint32_t>(state.range(0));
    const TempMeasurementFile file(count);
    for (auto _ : state) {
        MeasurementData data;
        const FileResult result = openMeasurementFile(data, file.name());
        if (!result.ok() || data.recordCount != count) {
            state.SkipWithError("the file did not open with every record");
            break;
        }
        benchmark::DoNotOptimize(data.index.get());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * count);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * count * kRecordSize);
}
BENCHMARK(BM_IndexBuilding)->Arg(10000)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_ListRowComposition(benchmark::State& state) {
    std::vector<IndexEntry> entries;
    for (std::uint32_t i = 0; i < 4096; ++i) entries.push_back(makeIndexEntry(benchRecord(i)));
    std::size_t next = 0;
    for (auto _ : state) {
        const IndexEntry& entry = entries[next];
        next = (next + 1) % entries.size();
        ComposedText date = listDateText(entry);
        ComposedText time = listTimeText(entry);
        std::string_view mode = listModeName(entry.mode);
        ComposedText pair = concentrationPair(entry.concentration, entry.mode);
        benchmark::DoNotOptimize(date);
        benchmark::DoNotOptimize(time);
        benchmark::DoNotOptimize(mode);
        benchmark::DoNotOptimize(pair);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_ListRowComposition);

void BM_DifExport(benchmark::State& state) {
    const FileRecord record = benchRecord(2);  // mode 2, 128 points
    for (auto _ : state) {
        const std::uint16_t mode = recordMode(record);
        std::string content = difExportContent(record, Series::Ci, dateTimeHeader(record).view(),
                                               concentrationLine(record, mode).view());
        benchmark::DoNotOptimize(content.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 5755);
}
BENCHMARK(BM_DifExport);

}  // namespace
}  // namespace tolvinark

BENCHMARK_MAIN();
