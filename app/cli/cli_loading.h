#pragma once
// Opening the measurement file and reading one record the way the viewer does; failures are
// told on standard error in the viewer's own words.

#include <string>

#include "data/measurement_file.h"

namespace tolvinark::cli {

// Tells why `file` could not be opened or read through.
void reportFileFailure(const FileResult& result, const std::string& file);

// Opens `file` into `data` (record index, count, serial number).
bool openOrReport(MeasurementData& data, const std::string& file);

// Reads the record numbered `recordNumberText` (decimal, zero-based) into the current record.
bool readOrReport(MeasurementData& data, const std::string& recordNumberText);

}  // namespace tolvinark::cli
