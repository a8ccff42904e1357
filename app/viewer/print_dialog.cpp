#include "app/viewer/print_dialog.h"

#include <cstddef>
#include <utility>

#include "app/win32/message_box.h"
#include "data/fixed_texts.h"

namespace tolvinark {

namespace {

#if !defined(_WIN64)
static_assert(sizeof(PRINTDLGW) == 66, "the 32-bit print dialog record");
#endif

// Global memory the dialog handed back, locked for as long as this lives.
template <typename T>
class LockedGlobal {
  public:
    explicit LockedGlobal(HGLOBAL memory)
        : memory_(memory), data_(memory ? static_cast<T*>(GlobalLock(memory)) : nullptr) {}
    ~LockedGlobal() {
        if (data_) GlobalUnlock(memory_);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;

    T* get() const { return data_; }

  private:
    HGLOBAL memory_;
    T* data_;
};

// The copies asked for and what the chosen printer's driver makes, from the dialog's answer,
// its device mode and names, and the driver.
PrinterChosen chosenPrinter(const PRINTDLGW& dialog, Printout printout) {
    PrinterChosen chosen;
    chosen.askedBy = printout;
    const LockedGlobal<DEVMODEW> mode(dialog.hDevMode);
    const LockedGlobal<DEVNAMES> names(dialog.hDevNames);
    std::optional<std::uint32_t> modeCopies;
    std::optional<bool> modeCollate;
    if (const DEVMODEW* m = mode.get()) {
        const auto* bytes = reinterpret_cast<const std::byte*>(m);
        chosen.deviceMode.assign(bytes, bytes + m->dmSize + m->dmDriverExtra);
        if (m->dmFields & DM_COPIES) modeCopies = static_cast<std::uint32_t>(m->dmCopies);
        if (m->dmFields & DM_COLLATE) modeCollate = m->dmCollate == DMCOLLATE_TRUE;
        if (const DEVNAMES* n = names.get()) {
            const auto* base = reinterpret_cast<const wchar_t*>(n);
            const wchar_t* device = base + n->wDeviceOffset;
            const wchar_t* port = base + n->wOutputOffset;
            chosen.driver = driverCopies(DeviceCapabilitiesW(device, port, DC_COPIES, nullptr, m),
                                         DeviceCapabilitiesW(device, port, DC_COLLATE, nullptr, m),
                                         modeCopies.has_value(), modeCollate.has_value());
        }
    }
    chosen.copies =
        copiesAnswered(dialog.nCopies, (dialog.Flags & PD_COLLATE) != 0, modeCopies, modeCollate);
    return chosen;
}

PrintDialogAnswer pagesAnswered(const PRINTDLGW& dialog, const CopiesAsked& copies) {
    PrintDialogAnswer answer;
    answer.pageRangeChosen = (dialog.Flags & PD_PAGENUMS) != 0;
    answer.fromPage = dialog.nFromPage;
    answer.toPage = dialog.nToPage;
    answer.copies = copies;
    return answer;
}

// Only the size, owner, module, flags and pages are written; the rest is what the last dialog
// gave back, so it opens on the printer chosen last.
void prepareDialog(PRINTDLGW& dialog, HINSTANCE module, HWND owner, std::uint32_t rangePages) {
    dialog.lStructSize = sizeof(PRINTDLGW);
    dialog.hwndOwner = owner;
    dialog.hInstance = module;
    // The dialog answers the copies in nCopies and PD_COLLATE, its Copies box open whatever the
    // driver makes; the program then asks the driver for them, or prints them itself.
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION;
    if (rangePages == 0) dialog.Flags |= PD_NOPAGENUMS;
    const auto lastPage = static_cast<WORD>(offeredLastPage(rangePages));
    dialog.nMinPage = 1;
    dialog.nMaxPage = lastPage;
    dialog.nFromPage = 1;
    dialog.nToPage = lastPage;
    if (dialog.nCopies == 0) dialog.nCopies = 1;
}

}  // namespace

std::optional<PrintDialogAnswer> askForPrinter(PrintingState& printing, HINSTANCE module,
                                               HWND owner, Printout printout,
                                               std::uint32_t rangePages) {
    PRINTDLGW& dialog = printing.dialog;
    for (bool retried = false;; retried = true) {
        prepareDialog(dialog, module, owner, rangePages);
        const bool accepted = PrintDlgW(&dialog) != 0;
        // The held printer owns the context from here; the record keeps no copy of it.
        ScopedPrinterDc fresh(std::exchange(dialog.hDC, nullptr));
        DialogEnd end = DialogEnd::Accepted;
        if (!accepted) {
            end = CommDlgExtendedError() == 0 ? DialogEnd::Cancelled : DialogEnd::Failed;
        } else if (!fresh.get()) {
            end = DialogEnd::Failed;
        }
        switch (afterPrintDialog(end, retried)) {
            case AfterDialog::Print: {
                PrinterChosen chosen = chosenPrinter(dialog, printout);
                const PrintDialogAnswer answer = pagesAnswered(dialog, chosen.copies);
                printing.printer.dialogAccepted(std::move(fresh), std::move(chosen));
                return answer;
            }
            case AfterDialog::AskOnDefaultPrinter: printing.forgetChosenPrinter(); continue;
            case AfterDialog::ReportFailure:
                printing.printer.dialogCancelled();
                showMessage(owner, texts::kMessagePrintFailed);
                return std::nullopt;
            case AfterDialog::Stop: printing.printer.dialogCancelled(); return std::nullopt;
        }
    }
}

}  // namespace tolvinark
