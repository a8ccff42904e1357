#include "data/scoped_handle.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace tolvinark {
namespace {

// Handles are numbers here; 0 is a handle like any other and -1 is none, as with file
// descriptors. Every handle given back is noted, in order.
std::vector<int> givenBack;

struct NoteRelease {
    void operator()(int handle) const { givenBack.push_back(handle); }
};
struct MinusOne {
    static constexpr int value() { return -1; }
};
using Owner = ScopedHandle<int, NoteRelease, MinusOne>;

struct Step {
    const char* what;
    void (*act)();
    std::vector<int> givenBack;
};

TEST(ScopedHandle, GivesEachHandleBackExactlyOnceAndNeverTheEmptyValue) {
    const Step steps[] = {
        {"the owner goes", [] { Owner owner(0); }, {0}},
        {"an empty owner goes", [] { Owner owner; }, {}},
        {"an owner of the empty value goes", [] { Owner owner(-1); }, {}},
        {"moved into a new owner",
         [] {
             Owner first(3);
             Owner second(std::move(first));
             EXPECT_FALSE(first.holds());
             EXPECT_EQ(second.get(), 3);
         },
         {3}},
        {"moved over a held handle",
         [] {
             Owner first(4);
             Owner second(5);
             second = std::move(first);
             EXPECT_EQ(givenBack, std::vector<int>{5});
         },
         {5, 4}},
        {"moved onto itself",
         [] {
             Owner owner(6);
             Owner& same = owner;
             owner = std::move(same);
             EXPECT_EQ(owner.get(), 6);
         },
         {6}},
        {"reset to another handle, then to none",
         [] {
             Owner owner(7);
             owner.reset(8);
             owner.reset();
             EXPECT_FALSE(owner.holds());
         },
         {7, 8}},
        {"released to the caller",
         [] {
             Owner owner(9);
             EXPECT_EQ(owner.release(), 9);
             EXPECT_EQ(owner.get(), -1);
         },
         {}},
    };
    for (const Step& step : steps) {
        givenBack.clear();
        step.act();
        EXPECT_EQ(givenBack, step.givenBack) << step.what;
    }
}

}  // namespace
}  // namespace tolvinark
