#include "output/printer_choice.h"

#include <gtest/gtest.h>

namespace tolvinark {
namespace {

using Choice = PrinterChoice<int>;  // 0 is the empty context

TEST(PrinterChoice, ProtocolAsksOnceAndReusesTheHeldPrinter) {
    Choice choice;
    EXPECT_FALSE(choice.holdsContext());
    EXPECT_EQ(choice.protocolStep(), PrinterStep::AskForPrinter);
    EXPECT_EQ(choice.dialogAccepted(7), 0);
    EXPECT_EQ(choice.protocolStep(), PrinterStep::UseHeldPrinter);
    EXPECT_EQ(choice.context(), 7);
    EXPECT_EQ(choice.protocolStep(), PrinterStep::UseHeldPrinter);  // a second right click
}

TEST(PrinterChoice, BuildingTheDetailWindowForgetsThePrinter) {
    Choice choice;
    (void)choice.dialogAccepted(7);
    EXPECT_EQ(choice.detailWindowBuilt(), 7);  // handed back for release
    EXPECT_FALSE(choice.holdsContext());
    EXPECT_EQ(choice.protocolStep(), PrinterStep::AskForPrinter);
    EXPECT_EQ(choice.detailWindowBuilt(), 0);
}

TEST(PrinterChoice, CancelledDialogEmptiesTheContext) {
    Choice choice;
    (void)choice.dialogAccepted(7);
    EXPECT_EQ(choice.dialogCancelled(), 7);
    EXPECT_EQ(choice.protocolStep(), PrinterStep::AskForPrinter);
    EXPECT_EQ(choice.dialogCancelled(), 0);
}

TEST(PrinterChoice, ANewDialogReplacesTheHeldContext) {
    Choice choice;
    (void)choice.dialogAccepted(7);
    EXPECT_EQ(choice.dialogAccepted(9), 7);
    EXPECT_EQ(choice.context(), 9);
}

TEST(PrinterChoice, ListAsksEveryTimeUnlessItHasNoPage) {
    EXPECT_EQ(listPrinterStep(0), PrinterStep::PrintNothing);
    EXPECT_EQ(listPrinterStep(1), PrinterStep::AskForPrinter);
    EXPECT_EQ(listPrinterStep(256), PrinterStep::AskForPrinter);
}

}  // namespace
}  // namespace tolvinark
