#pragma once
// Who makes the copies of a printout. A printer whose driver makes copies itself is asked for
// them through the printer context's device mode, and the program sends the document once;
// otherwise the program sends it that many times, in the order asked for. Either way each copy
// asked for comes out exactly once.

#include <cstdint>

namespace tolvinark {

// The copies the user asked for in the print dialog.
struct CopiesAsked {
    std::uint32_t copies = 1;  // 0 is taken as 1
    bool collate = false;      // each copy whole before the next
};

// The device mode's copies field holds 16 signed bits.
inline constexpr std::uint32_t kMaxDriverCopies = 32767;

// What the chosen printer's driver makes itself.
struct DriverCopies {
    std::uint32_t maxCopies = 1;  // 1: none but the one
    bool collates = false;
};

// The driver's copies from its answers: DeviceCapabilities DC_COPIES and DC_COLLATE (-1 when
// the call fails), and whether the device mode carries the copies and collate fields at all
// (DM_COPIES, DM_COLLATE in dmFields), the only road by which the program can ask for them.
DriverCopies driverCopies(int dcCopiesAnswer, int dcCollateAnswer, bool modeHasCopies,
                          bool modeHasCollate);

// The copies of one document: the driver's (the device mode's dmCopies and dmCollate) and the
// program's (how many times it sends the pages, and in what order).
struct CopiesRoad {
    std::uint32_t driverCopies = 1;
    bool driverCollate = false;
    std::uint32_t programCopies = 1;
    bool programCollate = false;
};

// The driver makes the copies when it can make that many, in the order asked for; otherwise the
// program does, and the driver makes one.
CopiesRoad copiesRoad(const CopiesAsked& asked, const DriverCopies& driver);

}  // namespace tolvinark
