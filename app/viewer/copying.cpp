#include "app/viewer/copying.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "app/win32/clipboard.h"
#include "app/win32/clipboard_picture.h"
#include "app/win32/message_box.h"
#include "app/win32/offscreen_picture.h"
#include "app/win32/wait_cursor.h"
#include "data/fixed_texts.h"
#include "output/clipboard_texts.h"
#include "output/copied_table.h"

namespace tolvinark {

namespace {

// Up to this many records the list goes as HTML too: no spreadsheet pastes a larger HTML table
// well, and the text alone is half the memory.
constexpr std::uint32_t kMostRecordsWithHtml = 65536;

enum class CopyResult {
    Ready,  // the formats are made, not yet handed over
    Done,
    Unreadable,  // the file changed under the viewer; the file result says how
    NoMemory,
    Busy,
    Refused,  // the system took not every format
};

// The decimal separator of the user's settings; empty, and so a point, when none is given.
std::u16string userDecimalSeparator() {
    wchar_t separator[8] = {};
    const int length =
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, ARRAYSIZE(separator));
    if (length <= 1) return {};
    return std::u16string(separator, separator + length - 1);
}

// Counts the texts, makes their blocks and writes them: the plain text, and the HTML
// `withHtml`.
CopyResult prepareTexts(const TableSource& source, bool withHtml,
                        std::vector<ClipboardFormat>& formats, FileResult& read) {
    const std::u16string separator = userDecimalSeparator();
    CopySizes sizes;
    read = measureCopy(source, separator, withHtml, sizes);
    if (!read.ok()) return CopyResult::Unreadable;

    ClipboardFormat text{CF_UNICODETEXT, {}};
    ClipboardFormat html{RegisterClipboardFormatW(L"HTML Format"), {}};
    if (sizes.textUnits > std::numeric_limits<std::size_t>::max() / sizeof(char16_t) ||
        !text.allocate(sizes.textUnits * sizeof(char16_t))) {
        return CopyResult::NoMemory;
    }
    if (withHtml && (html.format == 0 || !html.allocate(sizes.htmlBytes))) {
        return CopyResult::NoMemory;
    }
    {
        const LockedBlock textMemory(text);
        const LockedBlock htmlMemory(html);
        if (!textMemory.as<char16_t>() || (withHtml && !htmlMemory.as<char>())) {
            return CopyResult::NoMemory;
        }
        read = writeCopy(source, separator, sizes, textMemory.as<char16_t>(),
                         withHtml ? htmlMemory.as<char>() : nullptr);
    }
    if (!read.ok()) return CopyResult::Unreadable;
    formats.push_back(std::move(text));
    if (withHtml) formats.push_back(std::move(html));
    return CopyResult::Ready;
}

CopyResult handOver(HWND owner, std::vector<ClipboardFormat>& formats) {
    switch (putOnClipboard(owner, formats)) {
        case ClipboardOutcome::Done: return CopyResult::Done;
        case ClipboardOutcome::Busy: return CopyResult::Busy;
        case ClipboardOutcome::Failed: break;
    }
    return CopyResult::Refused;
}

void tell(HWND owner, CopyResult result, const FileResult& read) {
    switch (result) {
        case CopyResult::Ready:
        case CopyResult::Done: return;
        case CopyResult::Unreadable:
            // The viewer's own words for a file that is gone or no longer holds its records.
            if (read.outcome == FileOutcome::FileMissing) {
                showMessage(owner, read.message, read.name);
            } else {
                showMessage(owner, texts::kMessageOpenFailed);
            }
            return;
        case CopyResult::Busy: showMessage(owner, texts::kMessageClipboardBusy); return;
        case CopyResult::NoMemory:
        case CopyResult::Refused: showMessage(owner, texts::kMessageCopyFailed); return;
    }
}

// Every record of the open file, read from it anew: the index lacks the climate fields.
CopyResult copyList(const MeasurementData& data, HWND owner, FileResult& read) {
    const WaitCursor wait;  // a million records take seconds
    const TableSource list = [&data](TableWriter& out) { return writeRecordList(data, out); };
    std::vector<ClipboardFormat> formats;
    const CopyResult prepared =
        prepareTexts(list, data.recordCount <= kMostRecordsWithHtml, formats, read);
    return prepared == CopyResult::Ready ? handOver(owner, formats) : prepared;
}

// Draws a button where it stands in `parent`'s client area: its sunken edge as the system draws
// it, then its client area painted by the button itself. The button paints into a picture of
// its own, from its own origin: Wine's controls clip away what is drawn through an offset origin.
void printButton(HDC dc, HWND parent, HWND button) {
    RECT outer{};
    GetWindowRect(button, &outer);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&outer), 2);
    DrawEdge(dc, &outer, EDGE_SUNKEN, BF_RECT);

    RECT client{};
    GetClientRect(button, &client);
    POINT origin{};
    MapWindowPoints(button, parent, &origin, 1);
    OffscreenPicture own;
    if (!own.make(dc, client.right, client.bottom)) return;
    const ScopedSelection selected(own.context(), own.bitmap());
    SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(own.context()),
                 PRF_CLIENT | PRF_ERASEBKGND);
    BitBlt(dc, origin.x, origin.y, client.right, client.bottom, own.context(), 0, 0, SRCCOPY);
}

// The detail window's client area as the screen shows it: its picture with the buttons over it.
bool detailPicture(const DetailWindow& detail, ClipboardFormat& picture) {
    if (!detail.picture.made()) return false;
    RECT client{};
    GetClientRect(detail.window, &client);
    OffscreenPicture shown;
    {
        const HDC screen = GetDC(detail.window);
        const bool made = shown.make(screen, client.right, client.bottom);
        ReleaseDC(detail.window, screen);
        if (!made) return false;
    }
    {
        const ScopedSelection target(shown.context(), shown.bitmap());
        const ScopedSelection source(detail.picture.context(), detail.picture.bitmap());
        BitBlt(shown.context(), 0, 0, client.right, client.bottom, detail.picture.context(), 0, 0,
               SRCCOPY);
        for (const HWND button : {detail.seriesToggleButton, detail.excelButton}) {
            if (button) printButton(shown.context(), detail.window, button);
        }
    }
    return makeClipboardPicture(shown.context(), shown.bitmap(), client.right, client.bottom,
                                picture);
}

// The record the detail window shows, its series beside it, and the window's picture.
CopyResult copyMeasurement(const ApplicationState& app) {
    const FileRecord& record = app.data.currentRecord;
    const TableSource measurement = [&record](TableWriter& out) {
        writeMeasurement(record, out);
        return FileResult{};
    };
    std::vector<ClipboardFormat> formats;
    FileResult read;
    const CopyResult prepared = prepareTexts(measurement, true, formats, read);
    if (prepared != CopyResult::Ready) return prepared;
    ClipboardFormat picture;
    if (!detailPicture(app.detail, picture)) return CopyResult::NoMemory;
    formats.push_back(std::move(picture));
    return handOver(app.detail.window, formats);
}

}  // namespace

LRESULT onCopyKey(ApplicationState& app, HWND window) {
    if (app.detail.window && window == app.detail.window) {
        tell(window, copyMeasurement(app), FileResult{});
        return 0;
    }
    const MeasurementData& data = app.data;
    if (!data.fileLoaded || !data.index || data.recordCount == 0) return 0;
    FileResult read;
    const CopyResult result = copyList(data, app.mainWindow, read);
    tell(app.mainWindow, result, read);
    return 0;
}

}  // namespace tolvinark
