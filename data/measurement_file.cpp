#include "data/measurement_file.h"

#include <cstddef>
#include <cstring>
#include <limits>
#include <new>
#include <utility>
#include <vector>

#include "data/file_access.h"
#include "data/file_names.h"
#include "data/fixed_texts.h"

namespace tolvinark {
namespace {

// The open reads about 1 MB of whole records per call instead of one record at a time.
constexpr std::uint32_t kBlockRecords = (1u << 20) / kRecordSize;

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A name ends at its first zero, as it does in the file-name buffer and for the system.
std::string_view upToTerminator(std::string_view name) {
    return name.substr(0, name.find('\0'));
}

FileResult outcome(FileOutcome kind, std::string_view message = {}) {
    return FileResult{kind, std::string(message), {}};
}

FileResult fileMissing(std::string_view name) {
    return FileResult{FileOutcome::FileMissing, std::string(texts::kMessageNoFile.view()),
                      std::string(name)};
}

// A name too long for the name buffer is refused whole: cutting it could name another file.
ReadOnlyFile openByName(const std::string& name) {
    if (fileNameUnits(name) > kMaxFileNameLength) return ReadOnlyFile();
    return ReadOnlyFile(name);
}

// The loaded file counts as empty: no index, no records.
void dropIndex(MeasurementData& data) {
    data.index.reset();
    data.recordCount = 0;
    data.serialNumber = 0;
}

// Reads up to `count` records into the index in blocks of whole records; gives back how many
// whole records arrived. The current record ends holding the last of them.
std::uint32_t readIntoIndex(ReadOnlyFile& file, MeasurementData& data, std::uint32_t count) {
    const std::uint32_t blockRecords = count < kBlockRecords ? count : kBlockRecords;
    // Raw bytes, left uninitialised: only bytes that a read delivered are looked at.
    std::unique_ptr<unsigned char[]> block(
        new (std::nothrow) unsigned char[std::size_t{blockRecords} * kRecordSize]);
    // Without memory for a block the file is still read, one record at a time.
    FileRecord single;
    unsigned char* const buffer = block ? block.get() : single.bytes.data();
    const std::uint32_t perRead = block ? blockRecords : 1;

    std::uint32_t done = 0;
    while (done < count) {
        const std::uint32_t wanted = count - done < perRead ? count - done : perRead;
        const std::size_t arrived = file.read(buffer, std::size_t{wanted} * kRecordSize);
        const auto whole = static_cast<std::uint32_t>(arrived / kRecordSize);
        if (whole > 0) {
            makeIndexEntries(buffer, whole, &data.index[done]);
            if (done == 0) data.serialNumber = data.index[0].serialNumber;
            done += whole;
            std::memcpy(data.currentRecord.bytes.data(),
                        buffer + std::size_t{whole - 1} * kRecordSize, kRecordSize);
        }
        if (whole < wanted) break;  // the file ended sooner than its size said
    }
    return done;
}

}  // namespace

bool hasDstExtension(std::string_view name) {
    if (name.size() < 4) return false;
    const std::string_view tail = name.substr(name.size() - 4);
    return tail[0] == '.' && lowerAscii(tail[1]) == 'd' && lowerAscii(tail[2]) == 's' &&
           lowerAscii(tail[3]) == 't';
}

FileResult openMeasurementFile(MeasurementData& data, std::string_view givenName) {
    const std::string_view name = upToTerminator(givenName);
    if (!hasDstExtension(name)) return outcome(FileOutcome::WrongType, texts::kMessageWrongType);

    data.loadedFileName.assign(name);
    dropIndex(data);

    ReadOnlyFile file = openByName(data.loadedFileName);
    if (!file.isOpen()) return fileMissing(data.loadedFileName);
    data.fileLoaded = true;

    const std::uint64_t wholeRecords = file.size() / kRecordSize;
    // No whole record, or more entries than an array can hold: a larger array new throws
    // instead of giving back no memory (in a 32-bit program from 45 GB of file on).
    if (wholeRecords == 0 || wholeRecords > std::numeric_limits<std::uint32_t>::max() ||
        wholeRecords > static_cast<std::uint64_t>(std::numeric_limits<std::ptrdiff_t>::max()) /
                           sizeof(IndexEntry))
        return outcome(FileOutcome::NoIndexMemory, texts::kMessageOpenFailed);
    const auto count = static_cast<std::uint32_t>(wholeRecords);

    data.index.reset(new (std::nothrow) IndexEntry[count]());
    if (!data.index) return outcome(FileOutcome::NoIndexMemory, texts::kMessageOpenFailed);

    data.recordCount = readIntoIndex(file, data, count);
    if (data.recordCount == 0) {
        dropIndex(data);
        return outcome(FileOutcome::NoIndexMemory, texts::kMessageOpenFailed);
    }
    return outcome(FileOutcome::Ok);
}

FileResult readRecord(MeasurementData& data, std::uint32_t recordNumber) {
    if (!data.index || recordNumber >= data.recordCount) return outcome(FileOutcome::NoSuchRecord);

    ReadOnlyFile file = openByName(data.loadedFileName);
    if (!file.isOpen()) return fileMissing(data.loadedFileName);

    // Read aside first, so a file that no longer holds the whole record changes nothing.
    FileRecord record;
    if (!file.seek(std::uint64_t{recordNumber} * kRecordSize) ||
        file.read(record.bytes.data(), kRecordSize) != kRecordSize)
        return outcome(FileOutcome::NoSuchRecord);
    data.currentRecord = record;
    return outcome(FileOutcome::Ok);
}

FileResult forEachRecord(const MeasurementData& data,
                         const std::function<void(std::uint32_t, const FileRecord&)>& visit) {
    if (!data.index || data.recordCount == 0) return outcome(FileOutcome::Ok);
    ReadOnlyFile file = openByName(data.loadedFileName);
    if (!file.isOpen()) return fileMissing(data.loadedFileName);

    const std::uint32_t blockRecords =
        data.recordCount < kBlockRecords ? data.recordCount : kBlockRecords;
    std::vector<unsigned char> block(std::size_t{blockRecords} * kRecordSize);
    FileRecord record;
    std::uint32_t done = 0;
    while (done < data.recordCount) {
        const std::uint32_t left = data.recordCount - done;
        const std::uint32_t wanted = left < blockRecords ? left : blockRecords;
        const auto whole = static_cast<std::uint32_t>(
            file.read(block.data(), std::size_t{wanted} * kRecordSize) / kRecordSize);
        for (std::uint32_t i = 0; i < whole; ++i) {
            std::memcpy(record.bytes.data(), &block[std::size_t{i} * kRecordSize], kRecordSize);
            visit(done + i, record);
        }
        done += whole;
        if (whole < wanted) return outcome(FileOutcome::NoSuchRecord);
    }
    return outcome(FileOutcome::Ok);
}

}  // namespace tolvinark
