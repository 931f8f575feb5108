#include "BrowserSelection.h"

#include <gtest/gtest.h>

#include <string>

using namespace vimbrel::browser;

using Items = std::vector<int>;

namespace {

// A list of n files in list (descending) order: position i is "f" and
// 99999 - i, so positions read like the indices they are.
std::u16string NameOf(int item) {
    std::u16string digits;
    for (int v = 99999 - item, k = 0; k < 5; ++k, v /= 10)
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + v % 10));
    return u"f" + digits + u".jpg";
}

std::vector<ThumbEntry> ListOf(int n) {
    std::vector<ThumbEntry> list;
    for (int i = 0; i < n; ++i) list.push_back(ThumbEntry::ForName(NameOf(i)));
    return list;
}

}  // namespace

TEST(BrowserSelection, StartsWithItemZeroAlone) {
    const auto five = ListOf(5), none = ListOf(0);
    BrowserSelection s;
    s.Reset(EntryNames(five));
    EXPECT_EQ(Items{0}, s.Items(EntryNames(five)));
    s.Reset(EntryNames(none));
    EXPECT_EQ(0u, s.Count());
    EXPECT_EQ(-1, s.Current(EntryNames(none)));
}

TEST(BrowserSelection, CtrlClickAddsAndRemoves) {
    const auto entries = ListOf(5), one = ListOf(1);
    const EntryNames list(entries);
    BrowserSelection s;
    s.Reset(list);
    EXPECT_TRUE(s.Toggle(3, list));
    EXPECT_TRUE(s.Toggle(1, list));
    EXPECT_EQ((Items{0, 3, 1}), s.Items(list));
    EXPECT_FALSE(s.Toggle(5, list));  // no such item
    EXPECT_TRUE(s.Toggle(0, list));   // the anchor goes, item 3 is current
    EXPECT_EQ((Items{3, 1}), s.Items(list));
    EXPECT_EQ(3, s.Current(list));
    EXPECT_TRUE(s.Toggle(3, list));
    // The last selected item stays: the selection is never emptied.
    EXPECT_FALSE(s.Toggle(1, list));
    EXPECT_EQ(Items{1}, s.Items(list));
    // The only item of a one-item folder stays selected.
    s.Reset(EntryNames(one));
    EXPECT_FALSE(s.Toggle(0, EntryNames(one)));
    EXPECT_EQ(Items{0}, s.Items(EntryNames(one)));
}

TEST(BrowserSelection, CtrlClickStopsAtAThousand) {
    const auto entries = ListOf(2000);
    const EntryNames list(entries);
    BrowserSelection s;
    s.Reset(list);
    for (int i = 1; i < 1000; ++i) ASSERT_TRUE(s.Toggle(i, list));
    EXPECT_EQ(1000u, s.Count());
    EXPECT_FALSE(s.Toggle(1500, list));
    EXPECT_FALSE(s.Contains(NameOf(1500)));
}

TEST(BrowserSelection, ShiftClickRangesFromTheAnchor) {
    const auto entries = ListOf(20);
    const EntryNames list(entries);
    BrowserSelection s;
    s.SelectOnly(NameOf(5));
    EXPECT_TRUE(s.SelectRange(2, list));
    EXPECT_EQ((Items{2, 3, 4, 5}), s.Items(list));
    // The lower end became the anchor: the next range runs from 2.
    EXPECT_TRUE(s.SelectRange(7, list));
    EXPECT_EQ((Items{2, 3, 4, 5, 6, 7}), s.Items(list));
    EXPECT_FALSE(s.SelectRange(25, list));
    EXPECT_EQ(6u, s.Count());
}

TEST(BrowserSelection, ShiftRangeIsCutAtAThousand) {
    const auto entries = ListOf(3000);
    const EntryNames list(entries);
    BrowserSelection s;
    s.Reset(list);
    EXPECT_TRUE(s.SelectRange(2500, list));
    ASSERT_EQ(1000u, s.Count());
    EXPECT_EQ(0, s.Items(list).front());
    EXPECT_EQ(999, s.Items(list).back());
}

// What the user chose stays chosen however the list moves under it: a file
// arriving before it shifts its place, not the choice; a chosen file that
// goes drops out; with none left, the file shown (when still listed) or
// the first item takes over.
TEST(BrowserSelection, FollowsTheChosenFilesByName) {
    auto entries = ListOf(6);
    BrowserSelection s;
    s.SelectOnly(NameOf(3));
    EXPECT_TRUE(s.Toggle(5, EntryNames(entries)));
    entries.insert(entries.begin(), ThumbEntry::ForName(u"g00001.jpg"));  // arrives first
    s.Follow(EntryNames(entries), u"");
    EXPECT_EQ(NameOf(3), s.CurrentName());
    EXPECT_EQ((Items{4, 6}), s.Items(EntryNames(entries)));

    entries.erase(entries.begin() + 4);  // the current file goes
    s.Follow(EntryNames(entries), u"");
    EXPECT_EQ((Items{5}), s.Items(EntryNames(entries)));
    entries.erase(entries.begin() + 5);
    s.Follow(EntryNames(entries), NameOf(1));
    EXPECT_EQ(NameOf(1), s.CurrentName());
    s.SelectOnly(NameOf(4));
    entries.erase(entries.begin() + 4);
    s.Follow(EntryNames(entries), u"gone.jpg");
    EXPECT_EQ((Items{0}), s.Items(EntryNames(entries)));
    entries.clear();
    s.Follow(EntryNames(entries), NameOf(1));
    EXPECT_EQ(0u, s.Count());
}

TEST(BrowserSelection, NavigationTargets) {
    EXPECT_EQ(0, NavigateTarget(0, 4, 10));
    EXPECT_EQ(3, NavigateTarget(1, 4, 10));
    EXPECT_EQ(0, NavigateTarget(1, 0, 10));
    EXPECT_EQ(5, NavigateTarget(2, 4, 10));
    EXPECT_EQ(9, NavigateTarget(2, 9, 10));
    EXPECT_EQ(9, NavigateTarget(3, 4, 10));
    EXPECT_EQ(-1, NavigateTarget(4, 4, 10));
    EXPECT_EQ(-1, NavigateTarget(-1, 4, 10));
    EXPECT_EQ(-1, NavigateTarget(0, 0, 0));
}

TEST(BrowserSelection, ContextMenuGraying) {
    auto on = [](const MenuState& m) {
        Items out;
        for (int i = 0; i < 5; ++i)
            if (m.enabled[i]) out.push_back(i + 1);
        return out;
    };
    EXPECT_EQ(Items{}, on(ContextMenuState(0, 0, -1)));
    EXPECT_EQ((Items{1, 2, 3, 4, 5}), on(ContextMenuState(3, 1, 0)));
    EXPECT_EQ((Items{1, 2, 3}), on(ContextMenuState(3, 1, 1)));
    EXPECT_EQ((Items{1, 2, 3}), on(ContextMenuState(3, 1, 2)));
    EXPECT_EQ((Items{1, 3}), on(ContextMenuState(3, 2, 0)));
}
