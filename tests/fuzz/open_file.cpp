// Fuzz target: the open operation on a measurement file of arbitrary bytes, then reads of the
// first, the last and one past the last record, and the list texts of every index entry.

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>

#include "data/fixed_texts.h"
#include "data/measurement_file.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/list_row_checks.h"

namespace tolvinark::fuzz {
namespace {

// One directory per process, in memory where the system has /dev/shm; removed at exit.
class ScratchFile {
  public:
    ScratchFile() {
        const char* const bases[] = {"/dev/shm", std::getenv("TMPDIR"), "/tmp"};
        for (const char* base : bases) {
            if (base == nullptr) continue;
            std::string pattern = std::string(base) + "/tolvinark-fuzz-XXXXXX";
            if (mkdtemp(pattern.data()) != nullptr) {
                dir_ = pattern;
                break;
            }
        }
        FUZZ_CHECK(!dir_.empty());
        name_ = dir_ + "/input.dst";
    }
    ~ScratchFile() {
        unlink(name_.c_str());
        rmdir(dir_.c_str());
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& name() const { return name_; }

    void write(const std::uint8_t* bytes, std::size_t size) const {
        const int fd = open(name_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        FUZZ_CHECK(fd >= 0);
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::write(fd, bytes + done, size - done);
            if (n < 0 && errno == EINTR) continue;
            FUZZ_CHECK(n > 0);
            done += static_cast<std::size_t>(n);
        }
        FUZZ_CHECK(close(fd) == 0);
    }

  private:
    std::string dir_;
    std::string name_;
};

std::uint32_t le16(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0] | p[1] << 8);
}

std::uint32_t le32(const std::uint8_t* p) {
    return le16(p) | le16(p + 2) << 16;
}

bool holdsRecord(const FileRecord& record, const std::uint8_t* bytes, std::uint32_t n) {
    return std::memcmp(record.bytes.data(), bytes + std::size_t{n} * kRecordSize, kRecordSize) == 0;
}

// The entry of record n, checked field by field against the file's bytes.
void checkEntry(const IndexEntry& entry, const std::uint8_t* bytes, std::uint32_t n) {
    const std::uint8_t* record = bytes + std::size_t{n} * kRecordSize;
    FUZZ_CHECK(entry.serialNumber == le32(record + 4));
    FUZZ_CHECK(entry.mode == le16(record + 16));
    FUZZ_CHECK(entry.year == le16(record + 18));
    FUZZ_CHECK(entry.month == le16(record + 20));
    FUZZ_CHECK(entry.day == le16(record + 22));
    FUZZ_CHECK(entry.hour == le16(record + 24));
    FUZZ_CHECK(entry.minute == le16(record + 26));
    FUZZ_CHECK(entry.second == le16(record + 28));
    FUZZ_CHECK(entry.mark == 0 && entry.spare == 0 && entry.spare2 == 0);
    std::uint32_t concentrationBits;
    std::memcpy(&concentrationBits, &entry.concentration, sizeof concentrationBits);
    FUZZ_CHECK(concentrationBits == le32(record + 64));
}

}  // namespace
}  // namespace tolvinark::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace tolvinark;
    using namespace tolvinark::fuzz;
    static const ScratchFile file;
    file.write(bytes, size);

    MeasurementData data;
    const FileResult opened = openMeasurementFile(data, file.name());
    FUZZ_CHECK(data.fileLoaded && data.loadedFileName == file.name());
    const std::size_t count = size / kRecordSize;
    if (count == 0) {
        FUZZ_CHECK(opened.outcome == FileOutcome::NoIndexMemory);
        FUZZ_CHECK(opened.message == texts::kMessageOpenFailed.view());
        FUZZ_CHECK(!data.index && data.recordCount == 0);
        FUZZ_CHECK(readRecord(data, 0).outcome == FileOutcome::NoSuchRecord);
        return 0;
    }
    FUZZ_CHECK(opened.ok() && opened.message.empty());
    FUZZ_CHECK(data.index && data.recordCount == count);
    FUZZ_CHECK(data.serialNumber == le32(bytes + 4));
    FUZZ_CHECK(holdsRecord(data.currentRecord, bytes, data.recordCount - 1));
    for (std::uint32_t n = 0; n < data.recordCount; ++n) {
        checkEntry(data.index[n], bytes, n);
        checkListRow(data.index[n]);
    }

    const std::uint32_t last = data.recordCount - 1;
    FUZZ_CHECK(readRecord(data, 0).ok() && holdsRecord(data.currentRecord, bytes, 0));
    FUZZ_CHECK(readRecord(data, last).ok() && holdsRecord(data.currentRecord, bytes, last));
    // Past the last record nothing is read and the current record stays as it was.
    const FileResult past = readRecord(data, data.recordCount);
    FUZZ_CHECK(past.outcome == FileOutcome::NoSuchRecord && past.message.empty());
    FUZZ_CHECK(holdsRecord(data.currentRecord, bytes, last));

    // A name of another type changes nothing.
    FUZZ_CHECK(openMeasurementFile(data, file.name() + "x").outcome == FileOutcome::WrongType);
    FUZZ_CHECK(data.index && data.recordCount == count && data.loadedFileName == file.name());
    return 0;
}
