// The printer the viewer holds between printouts, under Wine, with memory contexts standing in
// for the print dialog's printer contexts: what it releases, when, and the font and pen it makes.

#include "app/viewer/print_state.h"

#include <gtest/gtest.h>

#include <string>

namespace tolvinark {
namespace {

HDC makeContext() {
    return CreateCompatibleDC(nullptr);
}

// GDI knows the handle still. Checked before anything new is made, so no freed handle value
// can have been given out again.
bool alive(HGDIOBJ object) {
    return GetObjectType(object) != 0;
}

TEST(HeldPrinter, MakesThePrinterFontForTheResolutionOfItsContext) {
    HeldPrinter printer;
    EXPECT_FALSE(printer.holdsContext());
    EXPECT_EQ(printer.font(), nullptr);

    const HDC context = makeContext();
    ASSERT_NE(context, nullptr);
    printer.dialogAccepted(ScopedPrinterDc(context));
    EXPECT_EQ(printer.context(), context);
    EXPECT_EQ(printer.protocolStep(), PrinterStep::UseHeldPrinter);

    PrinterCaps caps;
    caps.dotsPerInchX = GetDeviceCaps(context, LOGPIXELSX);
    caps.dotsPerInchY = GetDeviceCaps(context, LOGPIXELSY);
    caps.pageHeight = GetDeviceCaps(context, VERTRES);
    EXPECT_EQ(printer.caps().dotsPerInchX, caps.dotsPerInchX);
    EXPECT_EQ(printer.caps().dotsPerInchY, caps.dotsPerInchY);
    EXPECT_EQ(printer.caps().pageHeight, caps.pageHeight);

    LOGFONTW font{};
    ASSERT_EQ(GetObjectW(printer.font(), sizeof(font), &font), static_cast<int>(sizeof(font)));
    EXPECT_EQ(font.lfHeight, printerFont(caps).height);
    EXPECT_GT(font.lfHeight, 0);
    EXPECT_EQ(font.lfWidth, 0);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(font.lfEscapement, 0);
    EXPECT_EQ(font.lfItalic, 0);
    EXPECT_EQ(font.lfQuality, 0);
    EXPECT_EQ(font.lfPitchAndFamily, 0);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"Microsoft Sans Serif");

    LOGPEN pen{};
    ASSERT_EQ(GetObjectW(printer.thickPen(), sizeof(pen), &pen), static_cast<int>(sizeof(pen)));
    EXPECT_EQ(pen.lopnWidth.x, thickPenWidth(caps));
}

TEST(HeldPrinter, ANewDialogReleasesTheContextAndFontItReplaces) {
    HeldPrinter printer;
    const HDC first = makeContext();
    printer.dialogAccepted(ScopedPrinterDc(first));
    const HFONT firstFont = printer.font();
    const HPEN firstPen = printer.thickPen();
    const HDC second = makeContext();
    printer.dialogAccepted(ScopedPrinterDc(second));

    EXPECT_FALSE(alive(first));
    EXPECT_FALSE(alive(firstFont));
    EXPECT_FALSE(alive(firstPen));
    EXPECT_EQ(printer.context(), second);
    EXPECT_TRUE(alive(second));
    EXPECT_NE(printer.font(), firstFont);
    EXPECT_TRUE(alive(printer.font()));
}

// A cancelled dialog, a failed job and a new detail window all let go of the context; the font
// stays, as the printout's layout of that printer does.
TEST(HeldPrinter, ForgettingReleasesTheContextAndKeepsTheFont) {
    const struct {
        const char* what;
        void (HeldPrinter::*forget)();
    } cases[] = {
        {"dialog cancelled", &HeldPrinter::dialogCancelled},
        {"job failed", &HeldPrinter::jobFailed},
        {"detail window built", &HeldPrinter::detailWindowBuilt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HeldPrinter printer;
        const HDC context = makeContext();
        printer.dialogAccepted(ScopedPrinterDc(context));
        const HFONT font = printer.font();

        (printer.*c.forget)();
        EXPECT_FALSE(printer.holdsContext());
        EXPECT_EQ(printer.protocolStep(), PrinterStep::AskForPrinter);
        EXPECT_FALSE(alive(context));
        EXPECT_EQ(printer.font(), font);
        EXPECT_TRUE(alive(font));

        (printer.*c.forget)();  // nothing held: nothing more to release
        EXPECT_TRUE(alive(font));
    }
}

TEST(HeldPrinter, ReleasesWhatItHoldsWhenItGoes) {
    HDC context = nullptr;
    HFONT font = nullptr;
    HPEN pen = nullptr;
    {
        HeldPrinter printer;
        context = makeContext();
        printer.dialogAccepted(ScopedPrinterDc(context));
        font = printer.font();
        pen = printer.thickPen();
        ASSERT_TRUE(alive(context) && alive(font) && alive(pen));
    }
    EXPECT_FALSE(alive(context));
    EXPECT_FALSE(alive(font));
    EXPECT_FALSE(alive(pen));
}

}  // namespace
}  // namespace tolvinark
