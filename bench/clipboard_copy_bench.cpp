// The viewer's copy of a whole list (Ctrl+C in the main window) against `tolvinark-cli list` on
// the same file, both in this one Windows process, best of several runs with the file in the
// page cache. The copy starts with the file open, as in the viewer; the list opens it, as the
// command does. Target: the copy at most 3x the list.
//
//   clipboard_copy_bench FILE [RUNS]
//
// The figures go to standard error: standard output is the list's, sent to NUL.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/cli/cli_arguments.h"
#include "app/cli/cli_commands.h"
#include "app/viewer/application_state.h"
#include "app/viewer/copying.h"
#include "data/measurement_file.h"

namespace {

using tolvinark::ApplicationState;

double seconds() {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Run>
double bestOf(int runs, Run run) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double start = seconds();
        if (!run()) return -1.0;
        best = std::min(best, seconds() - start);
    }
    return best;
}

bool listToNul(const std::string& file) {
    const char* const arguments[] = {"tolvinark-cli", "list", file.c_str(), nullptr};
    return tolvinark::cli::runCommand(tolvinark::cli::parseCommandLine(3, arguments)) == 0;
}

// The UTF-16 units the clipboard holds as text, its zero included; 0 when it holds none.
std::size_t clipboardTextUnits(HWND owner) {
    if (!OpenClipboard(owner)) return 0;
    const HANDLE text = GetClipboardData(CF_UNICODETEXT);
    const std::size_t units = text ? GlobalSize(text) / sizeof(wchar_t) : 0;
    CloseClipboard();
    return units;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: clipboard_copy_bench FILE [RUNS]\n");
        return 2;
    }
    const std::string file = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    if (!std::freopen("NUL", "wb", stdout)) return 1;

    ApplicationState app;
    app.module = GetModuleHandleW(nullptr);
    app.mainWindow = CreateWindowExW(0, L"STATIC", L"clipboard_copy_bench", WS_OVERLAPPED, 0, 0,
                                     100, 100, nullptr, nullptr, app.module, nullptr);
    if (!app.mainWindow) return 1;

    const double openSeconds =
        bestOf(1, [&] { return tolvinark::openMeasurementFile(app.data, file).ok(); });
    if (openSeconds < 0) {
        std::fprintf(stderr, "cannot open %s\n", file.c_str());
        return 1;
    }
    const double listSeconds = bestOf(runs, [&] { return listToNul(file); });
    const double copySeconds = bestOf(runs, [&] {
        tolvinark::onCopyKey(app, app.mainWindow);
        return clipboardTextUnits(app.mainWindow) > 0;
    });
    if (listSeconds < 0 || copySeconds < 0) {
        std::fprintf(stderr, "the %s failed\n", listSeconds < 0 ? "list" : "copy");
        return 1;
    }

    const double ratio = copySeconds / listSeconds;
    std::fprintf(stderr, "file:  %u records\n", app.data.recordCount);
    std::fprintf(stderr, "open:  %.0f ms (the viewer's, once)\n", openSeconds * 1000);
    std::fprintf(stderr, "list:  %.0f ms (best of %d, tolvinark-cli list to NUL)\n",
                 listSeconds * 1000, runs);
    std::fprintf(stderr, "copy:  %.0f ms (best of %d), %.1f MB of text, %.2fx list   target <= 3x: %s\n",
                 copySeconds * 1000, runs,
                 static_cast<double>(clipboardTextUnits(app.mainWindow)) * 2 / 1e6, ratio,
                 ratio <= 3 ? "met" : "MISSED");
    return 0;
}
