// The open dialog's road under Wine, with a stand-in for the dialog: a name of any length the
// file system allows arrives whole and meets the same check as from the command line. Wine's own
// dialog passes on no name of 260 units or more.

#include "app/viewer/file_opening.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "app/viewer/command_line.h"
#include "data/file_names.h"

namespace tolvinark {
namespace {

// Picks `picked` as the system's dialog would: into the caller's buffer when it fits with its
// terminating zero, else the dialog fails (FNERR_BUFFERTOOSMALL). An empty name is a cancel.
struct DialogStandIn {
    static inline std::wstring picked;
    static BOOL WINAPI pick(LPOPENFILENAMEW dialog) {
        if (picked.empty() || picked.size() >= dialog->nMaxFile) return FALSE;
        std::copy(picked.begin(), picked.end(), dialog->lpstrFile);
        dialog->lpstrFile[picked.size()] = L'\0';
        return TRUE;
    }
};

// A name of exactly `units` UTF-16 units: a character beyond the basic plane counts two.
std::wstring nameOfUnits(std::size_t units) {
    const std::wstring prefix = L"D:\\\xD83D\xDE00 Замеры\\";
    const std::wstring suffix = L".dst";
    return prefix + std::wstring(units - prefix.size() - suffix.size(), L'ц') + suffix;
}

TEST(OpenDialog, AnyNameArrivesWholeAndMeetsTheCommandLinesCheck) {
    // Large: it holds the dialog's name buffer.
    const auto app = std::make_unique<ApplicationState>();
    prepareOpenDialog(*app);
    for (const std::size_t units : {259u, 260u, 300u, 32767u}) {
        SCOPED_TRACE(units);
        DialogStandIn::picked = nameOfUnits(units);
        const std::optional<std::string> name = askForFileName(*app, DialogStandIn::pick);
        ASSERT_TRUE(name);
        EXPECT_EQ(fileNameUnits(*name), units);
        EXPECT_EQ(fileNameToWide(*name), DialogStandIn::picked);

        // No such file either way; past 259 units refused whole, with the same message.
        MeasurementData byDialog;
        MeasurementData byCommandLine;
        const FileResult dialogResult = openMeasurementFile(byDialog, *name);
        const FileResult commandLineResult = openCommandLineFile(byCommandLine, *name);
        EXPECT_EQ(dialogResult.outcome, FileOutcome::FileMissing);
        EXPECT_EQ(dialogResult.outcome, commandLineResult.outcome);
        EXPECT_EQ(dialogResult.message, commandLineResult.message);
        EXPECT_EQ(dialogResult.name, *name);
        EXPECT_EQ(commandLineResult.name, *name);
    }
    DialogStandIn::picked.clear();
    EXPECT_EQ(askForFileName(*app, DialogStandIn::pick), std::nullopt);
}

}  // namespace
}  // namespace tolvinark
