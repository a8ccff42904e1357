#include "app/cli/cli_commands.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/cli_loading.h"
#include "app/cli/cli_output.h"
#include "app/cli/cli_tables.h"
#include "app/cli/cli_texts.h"
#include "data/file_access.h"
#include "data/file_record.h"
#include "data/fixed_texts.h"
#include "data/measurement_file.h"
#include "data/record_texts.h"
#include "output/dif_export.h"
#include "output/record_table.h"

namespace tolvinark::cli {
namespace {

int standardOutputFailed() {
    TextOutput(stderr)
        .text(messages::kWriteFailed)
        .text(messages::kStandardOutput)
        .endLine()
        .finish();
    return kExitFailure;
}

int finishOutput(TextOutput& out) {
    return out.finish() ? kExitSuccess : standardOutputFailed();
}

// The info pane: file name, record count, instrument.
int runInfo(const CommandLine& line) {
    MeasurementData data;
    if (!openOrReport(data, line.files.front())) return kExitFailure;
    TextOutput out(stdout);
    out.text(texts::kInfoFileLabel).tab().bytes(data.loadedFileName).endLine();
    out.text(texts::kInfoRecordsLabel)
        .tab()
        .text(recordCountText(data.recordCount).view())
        .endLine();
    out.text(texts::kInfoInstrumentLabel)
        .tab()
        .text(serialNumberText(data.serialNumber).view())
        .endLine();
    return finishOutput(out);
}

// The list pane's rows, every record in file order.
int runList(const CommandLine& line) {
    MeasurementData data;
    if (!openOrReport(data, line.files.front())) return kExitFailure;
    TextOutput out(stdout);
    for (std::uint32_t i = 0; i < data.recordCount; ++i) {
        const IndexEntry& entry = data.index[i];
        out.text(listDateText(entry).view()).tab();
        out.text(listTimeText(entry).view()).tab();
        out.text(listModeName(entry.mode)).tab();
        out.text(concentrationPair(entry.concentration, entry.mode).view()).endLine();
    }
    return finishOutput(out);
}

// The detail window's texts of one record, shown in its own mode.
int runShow(const CommandLine& line) {
    MeasurementData data;
    if (!openOrReport(data, line.files.front()) || !readOrReport(data, line.recordNumber))
        return kExitFailure;
    const FileRecord& record = data.currentRecord;
    const std::uint16_t mode = recordMode(record);
    TextOutput out(stdout);
    out.bytes("mode").tab().text(detailModeName(mode)).endLine();
    out.bytes("datetime").tab().text(dateTimeHeader(record).view()).endLine();
    out.bytes("concentration").tab().text(concentrationLine(record, mode).view()).endLine();
    out.bytes("climate").tab().text(climateLine(record).view()).endLine();
    if (mode == kTimedMode) out.bytes("duration").tab().text(durationLine(record).view()).endLine();
    return finishOutput(out);
}

// Only a timed measurement has series to export or tabulate.
bool timedOrReport(std::uint16_t mode) {
    if (mode == kTimedMode) return true;
    TextOutput(stderr)
        .text(messages::kNoSeriesPrefix)
        .bytes(std::to_string(mode))
        .text(messages::kNoSeriesSuffix)
        .endLine()
        .finish();
    return false;
}

// The Excel button of the detail window: the same bytes, to a file or to standard output.
int runExport(const CommandLine& line) {
    MeasurementData data;
    if (!openOrReport(data, line.files.front()) || !readOrReport(data, line.recordNumber))
        return kExitFailure;
    const FileRecord& record = data.currentRecord;
    const std::uint16_t mode = recordMode(record);
    if (!timedOrReport(mode)) return kExitFailure;
    const std::string content = difExportContent(record, line.series, dateTimeHeader(record).view(),
                                                 concentrationLine(record, mode).view());
    if (line.outputFile.empty()) {
        const bool written = writeAll(stdout, content) && std::fflush(stdout) == 0;
        return written ? kExitSuccess : standardOutputFailed();
    }
    if (replaceFileContents(line.outputFile, content)) return kExitSuccess;
    TextOutput(stderr).text(messages::kWriteFailed).bytes(line.outputFile).endLine().finish();
    return kExitFailure;
}

template <std::size_t N>
std::vector<std::string_view> columns(const std::array<std::string_view, N>& names) {
    return {names.begin(), names.end()};
}

// Every record of every file; a file that cannot be read is told and the others still go out.
int runCsv(const CommandLine& line) {
    TextOutput out(stdout);
    TableWriter table(out, columns(kRecordColumns), line.json);
    bool allRead = true;
    TableRow row;
    for (const std::string& file : line.files) {
        MeasurementData data;
        if (!openOrReport(data, file)) {
            allRead = false;
            continue;
        }
        const FileResult result =
            forEachRecord(data, [&](std::uint32_t number, const FileRecord& record) {
                recordRow(file, number, record, row);
                table.row(row);
            });
        if (!result.ok()) {
            reportFileFailure(result, file);
            allRead = false;
        }
    }
    table.finish();
    const int status = finishOutput(out);
    return allRead ? status : kExitFailure;
}

// The two series of one timed measurement.
int runSeriesTable(const CommandLine& line) {
    MeasurementData data;
    if (!openOrReport(data, line.files.front()) || !readOrReport(data, line.recordNumber) ||
        !timedOrReport(recordMode(data.currentRecord)))
        return kExitFailure;
    TextOutput out(stdout);
    TableWriter table(out, columns(kSeriesColumns), line.json);
    for (const TableRow& row : seriesRows(data.currentRecord)) table.row(row);
    table.finish();
    return finishOutput(out);
}

// Per file and mode, from the record index alone.
int runStatistics(const CommandLine& line) {
    TextOutput out(stdout);
    TableWriter table(out, columns(kStatisticsColumns), line.json);
    bool allRead = true;
    for (const std::string& file : line.files) {
        MeasurementData data;
        if (!openOrReport(data, file)) {
            allRead = false;
            continue;
        }
        ModeStatistics statistics;
        for (std::uint32_t i = 0; i < data.recordCount; ++i) statistics.add(data.index[i]);
        for (const TableRow& row : statistics.rows(file)) table.row(row);
    }
    table.finish();
    const int status = finishOutput(out);
    return allRead ? status : kExitFailure;
}

int showUsage(std::FILE* stream) {
    TextOutput out(stream);
    out.text(messages::kUsage);
    return out.finish() ? kExitSuccess : kExitFailure;
}

}  // namespace

int runCommand(const CommandLine& line) {
    switch (line.kind) {
        case CommandKind::Help: return showUsage(stdout);
        case CommandKind::Version: {
            TextOutput out(stdout);
            out.bytes(messages::kVersion).endLine();
            return finishOutput(out);
        }
        case CommandKind::UsageError:
            TextOutput(stderr).text(line.problem).bytes(line.problemArgument).endLine().finish();
            showUsage(stderr);
            return kExitUsage;
        case CommandKind::Info: return runInfo(line);
        case CommandKind::List: return runList(line);
        case CommandKind::Show: return runShow(line);
        case CommandKind::Export: return runExport(line);
        case CommandKind::Csv: return runCsv(line);
        case CommandKind::SeriesTable: return runSeriesTable(line);
        case CommandKind::Statistics: return runStatistics(line);
    }
    return kExitUsage;
}

}  // namespace tolvinark::cli
