// One redraw of a full list pane, and one build of a timed measurement's detail window, onto the
// recording canvas: what a scroll step, a key step, a mouse move or a record click costs the
// layout. And what a screen reader's question about one row of a long list costs.
#include <benchmark/benchmark.h>

#include <vector>

#include "data/file_record.h"
#include "data/record_index.h"
#include "tests/support/recording_canvas.h"
#include "tests/support/test_records.h"
#include "views/detail_window.h"
#include "views/list_accessibility.h"
#include "views/list_pane.h"

namespace tolvinark {
namespace {

FileRecord sampleTimedRecord() {
    test::TestRecord record = test::TestRecord().time(0, 0, 0).duration(3725).pointCount(128);
    for (std::size_t i = 0; i < kSeriesCapacity; ++i) {
        record.point(Series::Ci, i, static_cast<std::int16_t>(i * 37 % 900));
    }
    return record;
}

void BM_ListRedraw24Rows(benchmark::State& run) {
    const std::vector<IndexEntry> entries = test::numberedEntries(1000);
    const ListContent content{entries.data(), static_cast<std::uint32_t>(entries.size())};
    ScrollState state;
    startList(state, content.recordCount, 340);
    hoverAt(state, 100);
    RecordingCanvas canvas;
    std::int32_t top = 0;
    for (auto _ : run) {
        canvas.clearCalls();
        state.topRow = top;
        drawListRows(canvas, state, content);
        benchmark::DoNotOptimize(canvas.calls().data());
        top = top < state.scrollMaximum ? top + 1 : 0;
    }
    run.counters["rows"] = static_cast<double>(state.visibleRows);
}
BENCHMARK(BM_ListRedraw24Rows)->Unit(benchmark::kMicrosecond);

// One step of a held Down key through a 200,000-record file: the highlight moves, and at the
// bottom row the rows scroll a line; either way one redraw, as the scroll bar's line step.
void BM_ListKeyStepDown(benchmark::State& run) {
    const std::vector<IndexEntry> entries = test::numberedEntries(200000);
    const ListContent content{entries.data(), static_cast<std::uint32_t>(entries.size())};
    ScrollState state;
    startList(state, content.recordCount, 340);
    RecordingCanvas canvas;
    for (auto _ : run) {
        canvas.clearCalls();
        if (!moveHighlight(state, ListMove::LineDown, content.recordCount)) {
            moveHighlight(state, ListMove::Top, content.recordCount);
        }
        drawListRows(canvas, state, content);
        benchmark::DoNotOptimize(canvas.calls().data());
    }
    run.counters["rows"] = static_cast<double>(state.visibleRows);
}
BENCHMARK(BM_ListKeyStepDown)->Unit(benchmark::kMicrosecond);

void BM_DetailWindowWithFullGraph(benchmark::State& run) {
    const FileRecord record = sampleTimedRecord();
    RecordingCanvas canvas;
    for (auto _ : run) {
        canvas.clearCalls();
        drawDetailWindow(canvas, record, 2, Series::Ci, 568, 392);
        benchmark::DoNotOptimize(canvas.calls().data());
    }
}
BENCHMARK(BM_DetailWindowWithFullGraph)->Unit(benchmark::kMicrosecond);

// A screen reader asks for the list item of child id `run.range(0)` of a million records: the
// same cost for the first and the last, read from the index entry.
void BM_ListItemOfAMillion(benchmark::State& run) {
    static const std::vector<IndexEntry> entries = test::numberedEntries(1000000);
    const ListContent content{entries.data(), static_cast<std::uint32_t>(entries.size())};
    ScrollState state;
    startList(state, content.recordCount, 340);
    const auto childId = static_cast<std::int32_t>(run.range(0));
    for (auto _ : run) {
        const std::optional<std::uint32_t> record = recordOfChild(childId, content.recordCount);
        AccessibleElement item = listItem(state, content, *record, 507);
        benchmark::DoNotOptimize(item.name.data());
    }
}
BENCHMARK(BM_ListItemOfAMillion)->Arg(1)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tolvinark

BENCHMARK_MAIN();
