#include "views/list_accessibility.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "tests/support/test_records.h"
#include "tests/views/accessibility_checks.h"

namespace tolvinark {
namespace {

using namespace accessible_state;

constexpr int kPaneHeight = 340;  // 24 whole rows
constexpr int kClientWidth = 507;
constexpr std::uint32_t kRow = kSelectable | kFocusable;
constexpr std::uint32_t kHighlightedRow = kRow | kSelected | kFocused;

ListContent contentOf(const std::vector<IndexEntry>& entries) {
    return {entries.data(), static_cast<std::uint32_t>(entries.size())};
}

// The list after an open, scrolled to `topRow`, the highlight on screen row `row` (or none).
ScrollState listAt(std::uint32_t count, std::int32_t topRow, std::optional<int> row) {
    ScrollState state;
    startList(state, count, kPaneHeight);
    state.topRow = topRow;
    if (row) state.hoverRowTop = kFirstRowTop + kRowPitch * *row;
    return state;
}

ClientRect rowBand(int row) {
    const int top = kFirstRowTop + kRowPitch * row;
    return {0, top, kClientWidth, top + kRowPitch};
}

TEST(ListAccessibility, ChildIdsAreRecordNumbersFromOne) {
    EXPECT_EQ(listChildCount(0), 0);
    EXPECT_EQ(listChildCount(61), 61);
    EXPECT_EQ(listChildCount(1000000), 1000000);
    EXPECT_EQ(listChildCount(4294967295u), 2147483647);  // ids are positive 32-bit numbers
    EXPECT_EQ(childOfRecord(0), 1);
    EXPECT_EQ(childOfRecord(999999), 1000000);

    const struct {
        std::int32_t child;
        std::uint32_t count;
        std::optional<std::uint32_t> record;
    } cases[] = {
        {1, 61, 0u},
        {61, 61, 60u},
        {62, 61, std::nullopt},
        {0, 61, std::nullopt},
        {-1, 61, std::nullopt},
        {1, 0, std::nullopt},
        {2147483647, 4294967295u, 2147483646u},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(recordOfChild(c.child, c.count), c.record) << c.child << " of " << c.count;
    }
}

TEST(ListAccessibility, ItemNameIsTheRowWithoutItsPadding) {
    const struct {
        std::uint16_t mode, year, month, day, hour, minute, second;
        float concentration;
        const char* name;
    } cases[] = {
        {0, 2019, 3, 18, 8, 16, 25, 0.0f,
         "18.03.2019 08:16:25, Экспрес - измерение 30, 0.000 ± 0.000 мг/м3"},
        {1, 2019, 3, 5, 9, 5, 0, 12.5f,
         "05.03.2019 09:05:00, Экспрес - измерение 120, 12.500 ± 2.500 мг/м3"},
        {2, 2020, 12, 31, 23, 59, 59, 0.123f,
         "31.12.2020 23:59:59, Измерение по времени, 0.123 ± 0.024 мг/м3"},
        {3, 2019, 1, 2, 3, 4, 5, 1.234f, "02.01.2019 03:04:05, Диапазон 2, 1.233 ± 0.308 мг/м3"},
        {7, 19, 3, 5, 0, 0, 0, 0.5f, "05.03. 19 00:00:00, ???, 0.500 ± 0.100 мг/м3"},
    };
    for (const auto& c : cases) {
        IndexEntry entry = test::entryAt(c.year, c.month, c.day, c.hour, c.minute, c.second);
        entry.mode = c.mode;
        entry.concentration = c.concentration;
        EXPECT_EQ(listItemName(entry), c.name);
    }
}

TEST(ListAccessibility, StatesAndPlacesFollowTheHighlightAndTheVisibleRows) {
    const auto entries = test::numberedEntries(100);
    const ScrollState scrolled = listAt(100, 30, 2);  // rows show records 30 to 53
    const struct {
        std::uint32_t record;
        std::uint32_t state;
        std::optional<ClientRect> place;
    } cases[] = {
        {32, kHighlightedRow, rowBand(2)},
        {30, kRow, rowBand(0)},
        {53, kRow, rowBand(23)},
        {54, kRow | kOffscreen, std::nullopt},
        {29, kRow | kOffscreen, std::nullopt},
        {0, kRow | kOffscreen, std::nullopt},
        {99, kRow | kOffscreen, std::nullopt},
    };
    for (const auto& c : cases) {
        const AccessibleElement item =
            listItem(scrolled, contentOf(entries), c.record, kClientWidth);
        EXPECT_EQ(item.role, AccessibleRole::ListItem);
        EXPECT_EQ(item.name, listItemName(entries[c.record])) << c.record;
        EXPECT_EQ(item.state, c.state) << c.record;
        EXPECT_EQ(item.place, c.place) << c.record;
    }
}

TEST(ListAccessibility, HighlightedChildIsTheFocusAndTheSelection) {
    const struct {
        ScrollState state;
        std::uint32_t count;
        std::optional<std::int32_t> child;
    } cases[] = {
        {listAt(100, 30, 2), 100, 33},
        {listAt(100, 0, 0), 100, 1},
        {listAt(100, 76, 23), 100, 100},
        {listAt(100, 0, std::nullopt), 100, std::nullopt},  // the start highlights no row
        {listAt(10, 0, 15), 10, std::nullopt},              // on a blank row
        {listAt(10, 0, -1), 10, std::nullopt},              // above the rows
        {listAt(0, 0, 0), 0, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(highlightedChild(c.state, c.count), c.child)
            << "top " << c.state.topRow << " highlight " << c.state.hoverRowTop;
    }
}

TEST(ListAccessibility, KeysAnnounceTheNewFocusAndAnyScroll) {
    const struct {
        const char* what;
        std::uint32_t count;
        ScrollState before;
        ListMove move;
        bool reordered;
        std::optional<std::int32_t> focus;
    } cases[] = {
        {"Down without a highlight", 100, listAt(100, 0, std::nullopt), ListMove::LineDown, false,
         1},
        {"Down within the rows", 100, listAt(100, 0, 4), ListMove::LineDown, false, 6},
        {"Down on the last row", 100, listAt(100, 0, 23), ListMove::LineDown, true, 25},
        {"Up on the top row", 100, listAt(100, 10, 0), ListMove::LineUp, true, 10},
        {"Up on the first record", 100, listAt(100, 0, 0), ListMove::LineUp, false, std::nullopt},
        {"Page Down", 100, listAt(100, 0, 3), ListMove::PageDown, true, 28},
        {"Page Down at the end", 100, listAt(100, 76, 3), ListMove::PageDown, false, std::nullopt},
        {"End", 100, listAt(100, 0, 0), ListMove::Bottom, true, 100},
        {"Home on the first record", 100, listAt(100, 0, 0), ListMove::Top, false, std::nullopt},
        {"Down on the last of five", 5, listAt(5, 0, 4), ListMove::LineDown, false, std::nullopt},
    };
    for (const auto& c : cases) {
        ScrollState after = c.before;
        moveHighlight(after, c.move, c.count);
        const ListAnnouncement announcement = announcementAfterKey(c.before, after, c.count);
        EXPECT_EQ(announcement.reordered, c.reordered) << c.what;
        EXPECT_EQ(announcement.focus, c.focus) << c.what;
    }
}

TEST(ListAccessibility, TheLastOfAMillionRecordsAnswersFromItsEntry) {
    const auto entries = test::numberedEntries(1000000);
    ScrollState state = listAt(1000000, 0, std::nullopt);
    moveHighlight(state, ListMove::Bottom, 1000000);
    const std::optional<std::int32_t> child = highlightedChild(state, 1000000);
    ASSERT_EQ(child, 1000000);
    const std::optional<std::uint32_t> record = recordOfChild(*child, 1000000);
    ASSERT_EQ(record, 999999u);
    const AccessibleElement item = listItem(state, contentOf(entries), *record, kClientWidth);
    EXPECT_EQ(item.name, listItemName(test::numberedEntry(999999)));
    EXPECT_EQ(item.state, kHighlightedRow);
    EXPECT_EQ(item.place, rowBand(23));
    EXPECT_EQ(listItem(state, contentOf(entries), 0, kClientWidth).state, kRow | kOffscreen);
}

}  // namespace
}  // namespace tolvinark
