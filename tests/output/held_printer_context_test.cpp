#include "output/held_printer_context.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/output/stand_in_printer.h"

namespace tolvinark {
namespace {

using Pages = std::vector<std::uint32_t>;

// Stands in for the owner of a printer context: notes each context it releases. 0 is none.
class FakeContext {
  public:
    FakeContext() = default;
    FakeContext(int id, std::vector<int>& released) : id_(id), released_(&released) {}
    FakeContext(FakeContext&& other) noexcept
        : id_(std::exchange(other.id_, 0)), released_(other.released_) {}
    FakeContext& operator=(FakeContext&& other) noexcept {
        if (this != &other) {
            release();
            id_ = std::exchange(other.id_, 0);
            released_ = other.released_;
        }
        return *this;
    }
    ~FakeContext() { release(); }
    int get() const { return id_; }

  private:
    void release() {
        if (id_ != 0) released_->push_back(id_);
        id_ = 0;
    }

    int id_ = 0;
    std::vector<int>* released_ = nullptr;
};

using Held = HeldPrinterContext<FakeContext>;

void accept(Held& held, FakeContext fresh, Printout askedBy = Printout::List,
            CopiesAsked copies = {}) {
    held.dialogAccepted(std::move(fresh), askedBy, copies);
}

TEST(HeldPrinterContext, ProtocolAsksOnceAndReusesTheHeldPrinter) {
    std::vector<int> released;
    Held choice;
    EXPECT_FALSE(choice.holdsContext());
    EXPECT_EQ(choice.protocolStep(), PrinterStep::AskForPrinter);
    accept(choice, {7, released});
    EXPECT_EQ(choice.protocolStep(), PrinterStep::UseHeldPrinter);
    EXPECT_EQ(choice.context(), 7);
    EXPECT_EQ(choice.protocolStep(), PrinterStep::UseHeldPrinter);  // a second right click
    EXPECT_TRUE(released.empty());
}

// A cancelled dialog, a failed job and a new detail window all release the context, once.
TEST(HeldPrinterContext, ForgettingReleasesTheHeldContextOnce) {
    for (void (Held::*forget)() :
         {&Held::dialogCancelled, &Held::jobFailed, &Held::detailWindowBuilt}) {
        std::vector<int> released;
        Held choice;
        accept(choice, {7, released});
        (choice.*forget)();
        EXPECT_FALSE(choice.holdsContext());
        EXPECT_EQ(choice.protocolStep(), PrinterStep::AskForPrinter);
        (choice.*forget)();
        EXPECT_EQ(released, std::vector<int>{7});
    }
}

TEST(HeldPrinterContext, ANewDialogReplacesAndReleasesTheHeldContext) {
    std::vector<int> released;
    {
        Held choice;
        accept(choice, {7, released});
        accept(choice, {9, released});
        EXPECT_EQ(choice.context(), 9);
        EXPECT_EQ(released, std::vector<int>{7});
    }
    EXPECT_EQ(released, (std::vector<int>{7, 9}));
}

// A record click that the printer's own message loop lets through must not delete the context
// under the document: it is forgotten at once, released when the document ends.
TEST(HeldPrinterContext, AContextForgottenDuringADocumentGoesWhenItEnds) {
    std::vector<int> released;
    Held choice;
    accept(choice, {7, released});
    choice.documentStarted();
    choice.detailWindowBuilt();
    EXPECT_EQ(choice.protocolStep(), PrinterStep::AskForPrinter);
    EXPECT_EQ(choice.context(), 7);
    EXPECT_TRUE(released.empty());
    choice.documentEnded();
    EXPECT_EQ(released, std::vector<int>{7});

    // A document that nothing forgot keeps its printer for the next protocol.
    accept(choice, {8, released});
    choice.documentStarted();
    choice.documentEnded();
    EXPECT_EQ(choice.protocolStep(), PrinterStep::UseHeldPrinter);
}

// A printout prints the copies its own dialog asked for; a protocol on a printer held from the
// list's dialog prints one.
TEST(HeldPrinterContext, APrintoutPrintsTheCopiesOfItsOwnDialog) {
    const struct {
        const char* what;
        Printout askedBy, printing;
        Pages drawn;
    } cases[] = {
        {"a protocol after the list's dialog", Printout::List, Printout::Protocol, {1}},
        {"a protocol after its own dialog", Printout::Protocol, Printout::Protocol, {1, 1, 1}},
        {"the list after its own dialog", Printout::List, Printout::List, {1, 1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<int> released;
        Held held;
        accept(held, {7, released}, c.askedBy, {3, true});
        StandInPrinter printer;
        // A printer without copies of its own: the program prints each copy.
        const PrintJobPlan plan = printJobPlan({1, 1}, held.copiesFor(c.printing), {});
        EXPECT_EQ(runPrintJob(printer, plan), JobOutcome::Printed);
        EXPECT_EQ(printer.drawn, c.drawn);
    }
}

TEST(HeldPrinterContext, ListAsksEveryTimeUnlessItHasNoPage) {
    EXPECT_EQ(listPrinterStep(0), PrinterStep::PrintNothing);
    EXPECT_EQ(listPrinterStep(1), PrinterStep::AskForPrinter);
    EXPECT_EQ(listPrinterStep(256), PrinterStep::AskForPrinter);
}

}  // namespace
}  // namespace tolvinark
