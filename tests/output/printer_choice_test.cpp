#include "output/printer_choice.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace tolvinark {
namespace {

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

using Choice = PrinterChoice<FakeContext>;

TEST(PrinterChoice, ProtocolAsksOnceAndReusesTheHeldPrinter) {
    std::vector<int> released;
    Choice choice;
    EXPECT_FALSE(choice.holdsContext());
    EXPECT_EQ(choice.protocolStep(), PrinterStep::AskForPrinter);
    choice.dialogAccepted({7, released});
    EXPECT_EQ(choice.protocolStep(), PrinterStep::UseHeldPrinter);
    EXPECT_EQ(choice.context(), 7);
    EXPECT_EQ(choice.protocolStep(), PrinterStep::UseHeldPrinter);  // a second right click
    EXPECT_TRUE(released.empty());
}

// A cancelled dialog and a new detail window both release the context, once.
TEST(PrinterChoice, ForgettingReleasesTheHeldContextOnce) {
    for (void (Choice::*forget)() : {&Choice::dialogCancelled, &Choice::detailWindowBuilt}) {
        std::vector<int> released;
        Choice choice;
        choice.dialogAccepted({7, released});
        (choice.*forget)();
        EXPECT_FALSE(choice.holdsContext());
        EXPECT_EQ(choice.protocolStep(), PrinterStep::AskForPrinter);
        (choice.*forget)();
        EXPECT_EQ(released, std::vector<int>{7});
    }
}

TEST(PrinterChoice, ANewDialogReplacesAndReleasesTheHeldContext) {
    std::vector<int> released;
    {
        Choice choice;
        choice.dialogAccepted({7, released});
        choice.dialogAccepted({9, released});
        EXPECT_EQ(choice.context(), 9);
        EXPECT_EQ(released, std::vector<int>{7});
    }
    EXPECT_EQ(released, (std::vector<int>{7, 9}));
}

// A record click that the printer's own message loop lets through must not delete the context
// under the document: it is forgotten at once, released when the document ends.
TEST(PrinterChoice, AContextForgottenDuringADocumentGoesWhenItEnds) {
    std::vector<int> released;
    Choice choice;
    choice.dialogAccepted({7, released});
    choice.documentStarted();
    choice.detailWindowBuilt();
    EXPECT_EQ(choice.protocolStep(), PrinterStep::AskForPrinter);
    EXPECT_EQ(choice.context(), 7);
    EXPECT_TRUE(released.empty());
    choice.documentEnded();
    EXPECT_EQ(released, std::vector<int>{7});

    // A document that nothing forgot keeps its printer for the next protocol.
    choice.dialogAccepted({8, released});
    choice.documentStarted();
    choice.documentEnded();
    EXPECT_EQ(choice.protocolStep(), PrinterStep::UseHeldPrinter);
}

TEST(PrinterChoice, ListAsksEveryTimeUnlessItHasNoPage) {
    EXPECT_EQ(listPrinterStep(0), PrinterStep::PrintNothing);
    EXPECT_EQ(listPrinterStep(1), PrinterStep::AskForPrinter);
    EXPECT_EQ(listPrinterStep(256), PrinterStep::AskForPrinter);
}

}  // namespace
}  // namespace tolvinark
