#include "app/cli/cli_commands.h"

#include <cstdint>
#include <string>

#include "app/cli/cli_loading.h"
#include "app/cli/cli_output.h"
#include "app/cli/cli_texts.h"
#include "data/file_access.h"
#include "data/file_record.h"
#include "data/fixed_texts.h"
#include "data/measurement_file.h"
#include "data/record_texts.h"
#include "output/dif_export.h"

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
    if (!openOrReport(data, line.file)) return kExitFailure;
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
    if (!openOrReport(data, line.file)) return kExitFailure;
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
    if (!openOrReport(data, line.file) || !readOrReport(data, line.recordNumber))
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

// The Excel button of the detail window: the same bytes, to a file or to standard output.
int runExport(const CommandLine& line) {
    MeasurementData data;
    if (!openOrReport(data, line.file) || !readOrReport(data, line.recordNumber))
        return kExitFailure;
    const FileRecord& record = data.currentRecord;
    const std::uint16_t mode = recordMode(record);
    if (mode != kTimedMode) {
        TextOutput(stderr)
            .text(messages::kNoSeriesPrefix)
            .bytes(std::to_string(mode))
            .text(messages::kNoSeriesSuffix)
            .endLine()
            .finish();
        return kExitFailure;
    }
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

int showUsage(std::FILE* stream) {
    TextOutput out(stream);
    out.text(messages::kUsage);
    return out.finish() ? kExitSuccess : kExitFailure;
}

}  // namespace

int runCommand(const CommandLine& line) {
    switch (line.kind) {
        case CommandKind::Help: return showUsage(stdout);
        case CommandKind::UsageError:
            TextOutput(stderr).text(line.problem).bytes(line.problemArgument).endLine().finish();
            showUsage(stderr);
            return kExitUsage;
        case CommandKind::Info: return runInfo(line);
        case CommandKind::List: return runList(line);
        case CommandKind::Show: return runShow(line);
        case CommandKind::Export: return runExport(line);
    }
    return kExitUsage;
}

}  // namespace tolvinark::cli
