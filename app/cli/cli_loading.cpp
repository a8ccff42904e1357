#include "app/cli/cli_loading.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "app/cli/cli_output.h"
#include "app/cli/cli_texts.h"
#include "data/fixed_texts.h"

namespace tolvinark::cli {
namespace {

// Digits only; numbers past the 32-bit range are kept as "too large" rather than wrapped.
std::optional<std::uint64_t> parseRecordNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        if (value <= UINT32_MAX) value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

void reportNoSuchRecord(const std::string& recordNumberText, std::uint32_t recordCount) {
    TextOutput(stderr)
        .text(messages::kRecordNumberOutOfRange)
        .bytes(recordNumberText)
        .text(messages::kRecordCountPrefix)
        .bytes(std::to_string(recordCount))
        .endLine()
        .finish();
}

}  // namespace

void reportFileFailure(const FileResult& result, const std::string& file) {
    TextOutput err(stderr);
    switch (result.outcome) {
        case FileOutcome::WrongType: err.text(texts::kMessageWrongType); break;
        case FileOutcome::FileMissing: err.text(texts::kMessageNoFile).bytes(file); break;
        // A file that shrank while it was read through is no longer the file that was opened.
        case FileOutcome::NoIndexMemory:
        case FileOutcome::NoSuchRecord: err.text(texts::kMessageOpenFailed); break;
        default: err.text(result.message); break;
    }
    err.endLine().finish();
}

bool openOrReport(MeasurementData& data, const std::string& file) {
    const FileResult result = openMeasurementFile(data, file);
    if (result.ok()) return true;
    reportFileFailure(result, file);
    return false;
}

bool readOrReport(MeasurementData& data, const std::string& recordNumberText) {
    const std::optional<std::uint64_t> number = parseRecordNumber(recordNumberText);
    if (!number) {
        TextOutput(stderr)
            .text(messages::kRecordNumberInvalid)
            .bytes(recordNumberText)
            .endLine()
            .finish();
        return false;
    }
    if (*number >= data.recordCount) {
        reportNoSuchRecord(recordNumberText, data.recordCount);
        return false;
    }
    const FileResult result = readRecord(data, static_cast<std::uint32_t>(*number));
    if (result.ok()) return true;
    if (result.outcome == FileOutcome::NoSuchRecord) {
        reportNoSuchRecord(recordNumberText, data.recordCount);
    } else {
        reportFileFailure(result, data.loadedFileName);
    }
    return false;
}

}  // namespace tolvinark::cli
