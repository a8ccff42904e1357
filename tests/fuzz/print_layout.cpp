// Fuzz target: the list printout and the protocol printout, laid out in layout units and mapped
// onto a printer of arbitrary resolution and page height.
//
// Input: a measurement file. Its whole records make the record index (the first one is also the
// protocol's record); the bytes after the last whole record, where present, change the printer
// and the list (see Parameters), so a plain measurement file prints on a 600-dpi page of
// 6600 units.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <sanitizer/asan_interface.h>

#include "data/fixed_texts.h"
#include "data/record_index.h"
#include "data/record_texts.h"
#include "output/list_printout.h"
#include "output/print_geometry.h"
#include "output/protocol_printout.h"
#include "output/scaled_canvas.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/input_reader.h"
#include "tests/support/recording_canvas.h"

namespace tolvinark::fuzz {
namespace {

// Enough records for more than 65535 rows and more than 255 pages, few enough to stay quick.
constexpr std::uint32_t kMaxRecordCount = 70000;

// Each value read is XORed into a usual one, so missing bytes give the usual printout.
struct Parameters {
    PrinterCaps caps;
    std::uint32_t serialNumber = 0;
    std::uint16_t shownMode = 0;
    std::uint32_t recordCount = 0;  // the entries repeat when there are more than records
    bool indexHeld = true;
    std::uint32_t extraPage = 0;  // one more page to draw besides the first and the last
    std::string fileName;

    Parameters(InputReader& in, const FileRecord& first, std::uint32_t records) {
        caps.dotsPerInchX = static_cast<int>(600 ^ in.u32());
        caps.dotsPerInchY = static_cast<int>(600 ^ in.u32());
        caps.pageHeight = static_cast<int>(6600 ^ in.u32());
        serialNumber = recordSerialNumber(first) ^ in.u32();
        const std::uint32_t modeLow = in.u8();
        const std::uint32_t modeHigh = in.u8();
        shownMode = static_cast<std::uint16_t>(recordMode(first) ^ modeLow ^ modeHigh << 8);
        recordCount = (records ^ in.u32()) % (kMaxRecordCount + 1);
        indexHeld = records > 0 && (in.u8() & 1) == 0;
        extraPage = in.u32();
        const std::size_t nameLength = in.u8() ^ 23;
        fileName = std::string("C:\\meter\\2019\\march.dst") + in.text(nameLength);
        fileName.resize(nameLength);
    }
};

// Room for the largest record index, made once: a fresh block of that size for every run would
// cost more than the run. Entries past the count of a run are poisoned, so reading one is an
// error as it would be in a block of the count's size.
class IndexArea {
  public:
    IndexArea() : entries_(new IndexEntry[kMaxRecordCount]) {}

    // `count` entries: those of the records, repeated.
    const IndexEntry* fill(const std::vector<FileRecord>& records, std::uint32_t count) {
        IndexEntry* const entries = entries_.get();
        ASAN_UNPOISON_MEMORY_REGION(entries, kMaxRecordCount * sizeof(IndexEntry));
        for (std::size_t n = 0; n < records.size(); ++n) entries[n] = makeIndexEntry(records[n]);
        // Doubling copies: a loop over tens of thousands of entries would dominate the run.
        for (std::size_t done = records.size(); done < count; done *= 2) {
            const std::size_t copied = std::min<std::size_t>(done, count - done);
            std::memcpy(entries + done, entries, copied * sizeof(IndexEntry));
        }
        ASAN_POISON_MEMORY_REGION(entries + count, (kMaxRecordCount - count) * sizeof(IndexEntry));
        return entries;
    }

  private:
    std::unique_ptr<IndexEntry[]> entries_;
};

// The layout's coordinates on a printer: v x dpi / 600, halves rounded towards +infinity, dpi
// taken as 600 when not positive, clamped to the int range.
int deviceReference(int layout, int dotsPerInch) {
    const std::int64_t dpi = dotsPerInch > 0 ? dotsPerInch : 600;
    const std::int64_t numerator = std::int64_t{layout} * dpi + 300;
    std::int64_t quotient = numerator / 600;
    if (numerator % 600 != 0 && numerator < 0) --quotient;
    return static_cast<int>(std::clamp<std::int64_t>(quotient, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// The same drawing in layout units and through a ScaledCanvas: the same calls, every position
// mapped by the printer's resolution.
void checkScaled(const RecordingCanvas& layout, const RecordingCanvas& device,
                 const PrinterCaps& caps) {
    const auto x = [&caps](int v) { return deviceReference(v, caps.dotsPerInchX); };
    const auto y = [&caps](int v) { return deviceReference(v, caps.dotsPerInchY); };
    FUZZ_CHECK(layout.calls().size() == device.calls().size());
    for (std::size_t k = 0; k < layout.calls().size(); ++k) {
        const CanvasCall& a = layout.calls()[k];
        const CanvasCall& b = device.calls()[k];
        FUZZ_CHECK(a.index() == b.index());
        if (const auto* text = std::get_if<TextCall>(&a)) {
            const auto& mapped = std::get<TextCall>(b);
            FUZZ_CHECK(mapped.x == x(text->x) && mapped.y == y(text->y));
            FUZZ_CHECK(mapped.text == text->text && mapped.font == text->font);
        } else if (const auto* line = std::get_if<LineCall>(&a)) {
            const auto& mapped = std::get<LineCall>(b);
            FUZZ_CHECK(mapped.fromX == x(line->fromX) && mapped.fromY == y(line->fromY));
            FUZZ_CHECK(mapped.toX == x(line->toX) && mapped.toY == y(line->toY));
            FUZZ_CHECK(mapped.pen == line->pen);
        } else if (const auto* move = std::get_if<MoveCall>(&a)) {
            const auto& mapped = std::get<MoveCall>(b);
            FUZZ_CHECK(mapped.x == x(move->x) && mapped.y == y(move->y));
        }
    }
}

void checkGeometry(const PrinterCaps& caps, const PrintGeometry& geometry) {
    const std::int64_t dpi = caps.dotsPerInchY > 0 ? caps.dotsPerInchY : 600;
    const std::int64_t height = std::max(caps.pageHeight, 0) * std::int64_t{600} / dpi;
    FUZZ_CHECK(geometry.pageHeight == std::min<std::int64_t>(height, 100'000'000));
    FUZZ_CHECK(geometry.lineHeight == geometry.pageHeight / 64);
    const PrinterFontFields font = printerFont(caps);
    FUZZ_CHECK(font.height == deviceReference(geometry.lineHeight, caps.dotsPerInchY));
    FUZZ_CHECK(font.height >= 0);
}

bool isText(const TextCall& call, int x, int y, std::string_view text) {
    return call.x == x && call.y == y && call.text == text && call.font == Font::Printer;
}

bool hasText(const std::vector<TextCall>& texts, int x, int y, std::string_view text) {
    return std::any_of(texts.begin(), texts.end(),
                       [&](const TextCall& call) { return isText(call, x, y, text); });
}

bool isLine(const LineCall& line, int fromX, int fromY, int toX, int toY) {
    return line.fromX == fromX && line.fromY == fromY && line.toX == toX && line.toY == toY &&
           line.pen == Pen::Thick;
}

void checkListPage(const ListPrintContent& content, const PrintGeometry& geometry,
                   const PrinterCaps& caps, std::uint32_t page) {
    const std::uint32_t pages = listPageCount(content);
    RecordingCanvas canvas;
    drawListPage(canvas, content, geometry, page);
    if (page == 0 || page > pages) {
        FUZZ_CHECK(canvas.calls().empty());
        return;
    }
    RecordingCanvas device;
    ScaledCanvas scaled(device, caps);
    drawListPage(scaled, content, geometry, page);
    checkScaled(canvas, device, caps);

    const int h = geometry.lineHeight;
    const std::vector<TextCall> texts = canvas.texts();
    const std::size_t headingTexts = pages == 1 ? 4 : 5;
    FUZZ_CHECK(hasText(texts, 1640, 300, serialNumberLabel(content.serialNumber).view()));
    FUZZ_CHECK(hasText(texts, 940, 644 + h, texts::kPrintColumnHeader));
    FUZZ_CHECK(pages == 1 || hasText(texts, 3640, 300, pageLabel(page, pages).view()));
    FUZZ_CHECK(hasText(texts, 940, 500, texts::kFileLabel));
    FUZZ_CHECK(hasText(texts, 1280, 500, content.loadedFileName));

    // 52 rows a page, the last page the rest, in the order of the index.
    const std::uint32_t first = (page - 1) * kListRowsPerPage;
    const std::uint32_t rows = std::min(content.recordCount - first, kListRowsPerPage);
    FUZZ_CHECK(texts.size() == headingTexts + 4 * rows);
    // The rows follow the heading, each as date, time, mode and concentration.
    for (std::uint32_t i = 0; i < rows; ++i) {
        const IndexEntry& entry = content.entries[first + i];
        const int y = 652 + 3 * h + static_cast<int>(i) * h;
        const TextCall* row = &texts[headingTexts + 4 * i];
        FUZZ_CHECK(isText(row[0], 980, y, listDateText(entry).view()));
        FUZZ_CHECK(isText(row[1], 1540, y, listTimeText(entry).view()));
        FUZZ_CHECK(isText(row[2], 2020, y, listModeName(entry.mode)));
        FUZZ_CHECK(
            isText(row[3], 3340, y, concentrationPair(entry.concentration, entry.mode).view()));
    }

    // The rules above and below the column header; their right ends follow the page height.
    const std::vector<LineCall> lines = canvas.lines();
    FUZZ_CHECK(lines.size() == 2);
    FUZZ_CHECK(isLine(lines[0], 960, 600 + h, geometry.pageHeight - 120, 600 + h));
    FUZZ_CHECK(isLine(lines[1], 960, 600 + 3 * h, geometry.pageHeight + 780, 600 + 3 * h));
}

void checkList(const IndexEntry* entries, const Parameters& parameters,
               const PrintGeometry& geometry) {
    ListPrintContent content;
    content.entries = entries;
    content.recordCount = parameters.recordCount;
    content.serialNumber = parameters.serialNumber;
    content.loadedFileName = parameters.fileName;

    const std::uint32_t pages = listPageCount(content);
    const std::uint32_t count = content.recordCount;
    FUZZ_CHECK(pages == (content.entries == nullptr ? 0 : (count + 51) / 52));
    const std::uint32_t extra = parameters.extraPage % (pages + 2);
    for (const std::uint32_t page : {0u, 1u, extra, pages, pages + 1})
        checkListPage(content, geometry, parameters.caps, page);
}

void checkProtocol(const FileRecord& record, const Parameters& parameters) {
    const std::uint16_t mode = parameters.shownMode;
    RecordingCanvas canvas;
    drawProtocolPage(canvas, record, mode, parameters.serialNumber);
    RecordingCanvas device;
    ScaledCanvas scaled(device, parameters.caps);
    drawProtocolPage(scaled, record, mode, parameters.serialNumber);
    checkScaled(canvas, device, parameters.caps);

    const std::vector<TextCall> texts = canvas.texts();
    const bool timed = mode == 2;
    FUZZ_CHECK(texts.size() == (timed ? 7u : 6u));
    FUZZ_CHECK(hasText(texts, 1840, 1000, serialNumberLabel(parameters.serialNumber).view()));
    FUZZ_CHECK(hasText(texts, 1680, 1298, texts::kMeasurementLabel));
    FUZZ_CHECK(hasText(texts, 2400, 1300, dateTimeHeader(record).view()));
    FUZZ_CHECK(hasText(texts, 2080, 2000, concentrationLine(record, mode).view()));
    FUZZ_CHECK(hasText(texts, 1700, 2300, climateLine(record).view()));
    FUZZ_CHECK(!timed || hasText(texts, 2000, 1800, durationLine(record).view()));
    FUZZ_CHECK(hasText(texts, 2020, 1600, detailModeName(mode)));

    // Two rules inside a closed frame.
    const std::vector<LineCall> lines = canvas.lines();
    FUZZ_CHECK(lines.size() == 6);
    FUZZ_CHECK(isLine(lines[0], 1580, 1460, 3420, 1460));
    FUZZ_CHECK(isLine(lines[1], 1580, 2200, 3420, 2200));
    FUZZ_CHECK(isLine(lines[2], 1500, 1200, 1500, 2600));
    FUZZ_CHECK(isLine(lines[3], 1500, 2600, 3500, 2600));
    FUZZ_CHECK(isLine(lines[4], 3500, 2600, 3500, 1200));
    FUZZ_CHECK(isLine(lines[5], 3500, 1200, 1500, 1200));
}

}  // namespace
}  // namespace tolvinark::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace tolvinark;
    using namespace tolvinark::fuzz;
    const auto records =
        static_cast<std::uint32_t>(std::min<std::size_t>(size / kRecordSize, kMaxRecordCount));
    const std::size_t recordBytes = std::size_t{records} * kRecordSize;
    std::vector<FileRecord> file(records);
    for (std::uint32_t n = 0; n < records; ++n)
        std::memcpy(file[n].bytes.data(), bytes + std::size_t{n} * kRecordSize, kRecordSize);
    const FileRecord first = records > 0 ? file[0] : FileRecord{};

    InputReader tail(bytes + recordBytes, size - recordBytes);
    const Parameters parameters(tail, first, records);

    // The index of the file's records, repeated up to the record count; never empty, as a held
    // index is not.
    static IndexArea index;
    const std::uint32_t entryCount = std::max<std::uint32_t>(parameters.recordCount, 1);
    const IndexEntry* entries = parameters.indexHeld ? index.fill(file, entryCount) : nullptr;

    const PrintGeometry geometry = printGeometry(parameters.caps);
    checkGeometry(parameters.caps, geometry);
    checkList(entries, parameters, geometry);
    checkProtocol(first, parameters);
    return 0;
}
