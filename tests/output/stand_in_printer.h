#pragma once
// Stands in for the printer of a print job: notes the calls, refuses the one named, and has the
// user cancel before a given sheet or inside a given call.

#include <cstdint>
#include <string>
#include <vector>

#include "output/print_job.h"

namespace tolvinark {

class StandInPrinter final : public PrintJobDevice {
  public:
    // "copies", "doc", "page", "end" or "enddoc"; the page calls of sheet 2.
    std::string refuse;
    std::uint32_t startError = 0;  // the error code of a refused "doc"
    std::string cancelInside;      // a call inside which the user cancels, on sheet 2
    std::uint64_t cancelBeforeSheet = 0;

    std::vector<std::string> calls;
    std::vector<std::uint32_t> drawn;
    std::uint32_t driverCopies = 0;  // as last asked of the driver
    bool driverCollate = false;

    bool setDriverCopies(std::uint32_t copies, bool collate) override {
        driverCopies = copies;
        driverCollate = collate;
        return call("copies");
    }
    DocumentStart startDocument() override {
        if (call("doc")) return {true, 0};
        return {false, startError};
    }
    bool startPage() override { return call("page"); }
    bool endPage() override { return call("end"); }
    bool endDocument() override { return call("enddoc"); }
    void abortDocument() override { calls.push_back("abort"); }
    void drawPage(std::uint32_t pageNumber) override { drawn.push_back(pageNumber); }
    bool keepGoing(std::uint64_t sheet, std::uint64_t) override {
        sheet_ = sheet;
        if (sheet == cancelBeforeSheet) cancelled_ = true;
        return !cancelled_;
    }
    bool cancelled() const override { return cancelled_; }

  private:
    bool call(const std::string& name) {
        calls.push_back(name);
        const bool pageCall = name == "page" || name == "end";
        const bool here = !pageCall || sheet_ == 2;
        if (here && name == cancelInside) cancelled_ = true;
        return !(here && (name == refuse || name == cancelInside));
    }

    std::uint64_t sheet_ = 0;
    bool cancelled_ = false;
};

}  // namespace tolvinark
