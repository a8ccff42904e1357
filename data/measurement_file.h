#pragma once
// The measurement file: the open operation that reads a .dst file into the record index, and
// the read of one record by its number into the current record.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "data/file_record.h"
#include "data/record_index.h"

namespace tolvinark {

// Longest file name the program takes, in UTF-16 units: the name buffer holds 260 with its zero.
inline constexpr std::size_t kMaxFileNameLength = 259;

struct MeasurementData {
    std::unique_ptr<IndexEntry[]> index;  // one entry per record; empty when none is held
    std::uint32_t recordCount = 0;
    std::uint32_t serialNumber = 0;
    std::string loadedFileName;  // as given, UTF-8 (data/file_names.h)
    bool fileLoaded = false;     // set by the first open that got as far as opening a file
    FileRecord currentRecord;    // the record read last
};

enum class FileOutcome {
    Ok,
    WrongType,    // "ошибка: тип файла не .dst"; nothing changed
    FileMissing,  // "Нет файла: " + name, the name kept apart as UTF-8
    NoIndexMemory,  // "ошибка при открытии файла"; the loaded file now counts as empty
    NoSuchRecord,  // record number at or past the record count, or the file no longer holds it;
                   // nothing read, nothing changed, no message
};

struct FileResult {
    FileOutcome outcome = FileOutcome::Ok;
    std::string message;  // code page 1251 text for the message box; empty when none is due
    std::string name;     // FileMissing: the UTF-8 file name that ends the message

    bool ok() const { return outcome == FileOutcome::Ok; }
};

// True when the last four characters are ".dst" in any letter case.
bool hasDstExtension(std::string_view name);

// Checks the name, releases the previous index, reads every whole record of the file once and
// builds the index; the serial number comes from the first record and the current record ends
// holding the last one.
FileResult openMeasurementFile(MeasurementData& data, std::string_view name);

// Reads record `recordNumber` of the loaded file into the current record.
FileResult readRecord(MeasurementData& data, std::uint32_t recordNumber);

// Reads the loaded file's records in file order, a block at a time, up to the record count, and
// hands each to `visit` with its record number. FileMissing when the file cannot be opened again,
// NoSuchRecord when it no longer holds every record (the ones before were visited).
FileResult forEachRecord(const MeasurementData& data,
                         const std::function<void(std::uint32_t, const FileRecord&)>& visit);

}  // namespace tolvinark
