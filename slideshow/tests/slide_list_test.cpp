// The picture list: cursor moves at the ends, the film strip's window, the
// descending order the show plays in, and what a folder listing puts in.
#include "SlideList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace slideshow;

namespace {

void Fill(CSlideList& list, std::initializer_list<const char16_t*> names) {
    for (const char16_t* name : names) ASSERT_EQ(1, list.Append(name));
}

class CFakeLister : public IFolderLister {
public:
    bool enterable = true;
    bool listable = true;
    std::u16string entered;
    std::vector<FolderEntry> entries;

    bool Enter(const std::u16string& folder) override {
        entered = folder;
        return enterable;
    }
    bool List(std::vector<FolderEntry>& out) override {
        if (!listable) return false;
        out = entries;
        return true;
    }
};

}  // namespace

TEST(SlideList, EmptyListRefusesEveryMove) {
    CSlideList list;
    std::u16string name = u"untouched";
    EXPECT_EQ(0, list.First(name));  // reachable once the player has freed the list
    EXPECT_EQ(0, list.Last(name));
    EXPECT_EQ(0, list.Next(name));
    EXPECT_EQ(0, list.Previous(name));
    EXPECT_EQ(0, list.Current(name));
    EXPECT_EQ(u"untouched", name);
    bool hasPrevious = true, hasNext = true;
    EXPECT_EQ(1, list.Neighbours(&hasPrevious, &hasNext));
    EXPECT_FALSE(hasPrevious);
    EXPECT_FALSE(hasNext);
    std::u16string a = u"x", b = u"y", c = u"z";
    EXPECT_EQ(0, list.Window(a, b, c));
    EXPECT_EQ(u"", a);
    EXPECT_EQ(0, list.Count());
    EXPECT_EQ(0, list.Neighbours(nullptr, &hasNext));
    EXPECT_EQ(0, list.Neighbours(&hasPrevious, nullptr));
}

TEST(SlideList, OneNameIsBothEnds) {
    CSlideList list;
    Fill(list, {u"only.jpg"});
    bool hasPrevious = false, hasNext = true;
    // Unset cursor: "previous" is reported although the current name is the first.
    list.Neighbours(&hasPrevious, &hasNext);
    EXPECT_TRUE(hasPrevious);
    EXPECT_FALSE(hasNext);

    std::u16string name;
    EXPECT_EQ(1, list.Next(name));
    EXPECT_EQ(u"only.jpg", name);
    name.clear();
    EXPECT_EQ(0, list.Next(name));
    EXPECT_EQ(0, list.Previous(name));
    EXPECT_EQ(u"", name);
    list.Neighbours(&hasPrevious, &hasNext);
    EXPECT_FALSE(hasPrevious);
    EXPECT_FALSE(hasNext);
    EXPECT_EQ(1, list.Last(name));
    EXPECT_EQ(u"only.jpg", name);
}

TEST(SlideList, CursorWalksBothWaysAndStaysAtTheEnds) {
    CSlideList list;
    Fill(list, {u"a", u"b", u"c"});
    std::u16string name;
    EXPECT_EQ(0, list.Previous(name));  // unset: current is the first
    EXPECT_EQ(1, list.Current(name));
    EXPECT_EQ(u"a", name);
    EXPECT_EQ(1, list.Next(name));
    EXPECT_EQ(u"b", name);
    EXPECT_EQ(1, list.Next(name));
    EXPECT_EQ(u"c", name);
    EXPECT_EQ(0, list.Next(name));
    EXPECT_EQ(1, list.Current(name));
    EXPECT_EQ(u"c", name);  // a failed Next leaves the cursor where it was
    EXPECT_EQ(1, list.Previous(name));
    EXPECT_EQ(u"b", name);

    bool hasPrevious = false, hasNext = false;
    list.Neighbours(&hasPrevious, &hasNext);
    EXPECT_TRUE(hasPrevious);
    EXPECT_TRUE(hasNext);
    EXPECT_EQ(1, list.First(name));
    EXPECT_EQ(u"a", name);
    list.Neighbours(&hasPrevious, &hasNext);
    EXPECT_FALSE(hasPrevious);
    EXPECT_TRUE(hasNext);
    EXPECT_EQ(1, list.Last(name));
    EXPECT_EQ(u"c", name);
    list.Neighbours(&hasPrevious, &hasNext);
    EXPECT_TRUE(hasPrevious);
    EXPECT_FALSE(hasNext);
}

TEST(SlideList, WindowGivesTheCursorAndUpToTwoBefore) {
    CSlideList list;
    Fill(list, {u"a", u"b", u"c", u"d"});
    std::u16string current, previous, before;
    EXPECT_EQ(0, list.Window(current, previous, before));  // unset = first
    EXPECT_EQ(u"a", current);
    EXPECT_EQ(u"", previous);

    std::u16string name;
    list.Next(name);
    list.Next(name);  // b
    EXPECT_EQ(1, list.Window(current, previous, before));
    EXPECT_EQ(u"b", current);
    EXPECT_EQ(u"a", previous);
    EXPECT_EQ(u"", before);

    list.Last(name);  // d
    EXPECT_EQ(1, list.Window(current, previous, before));
    EXPECT_EQ(u"d", current);
    EXPECT_EQ(u"c", previous);
    EXPECT_EQ(u"b", before);
}

TEST(SlideList, SortPutsNewestCaptureNameFirstByCodeUnits) {
    CSlideList list;
    Fill(list, {u"image200512310009.jpg", u"a", u"B", u"img1", u"image200601010001.jpg", u"img10", u"b"});
    EXPECT_EQ(1, list.Sort());
    // 'b' 0x62 > 'a' 0x61 > 'B' 0x42; "img10" extends "img1"; "img" > "ima".
    const std::vector<std::u16string> expected = {
        u"img10", u"img1", u"image200601010001.jpg", u"image200512310009.jpg", u"b", u"a", u"B"};
    std::u16string name;
    std::vector<std::u16string> seen;
    for (int ok = list.First(name); ok; ok = list.Next(name)) seen.push_back(name);
    EXPECT_EQ(expected, seen);
}

TEST(SlideList, SortKeepsTheCursorOnItsNameAndLeavesShortListsAlone) {
    CSlideList list;
    Fill(list, {u"x1", u"x3", u"x2"});
    std::u16string name;
    list.Next(name);  // x1, which sorts last
    list.Sort();
    EXPECT_EQ(1, list.Current(name));
    EXPECT_EQ(u"x1", name);
    EXPECT_EQ(0, list.Next(name));

    CSlideList one;
    Fill(one, {u"solo"});
    EXPECT_EQ(1, one.Sort());
    EXPECT_EQ(1, one.Count());
    CSlideList none;
    EXPECT_EQ(1, none.Sort());
}

TEST(SlideList, AppendRefusesNamesNoBufferCanCarry) {
    CSlideList list;
    EXPECT_EQ(1, list.Append(std::u16string(259, u'n')));
    EXPECT_EQ(0, list.Append(std::u16string(260, u'n')));
    EXPECT_EQ(0, list.Append(u""));
    EXPECT_EQ(1, list.Count());
}

TEST(SlideList, FreeAndResetEmptyTheListAndUnsetTheCursor) {
    CSlideList list;
    Fill(list, {u"a", u"b"});
    std::u16string name;
    list.Last(name);
    EXPECT_EQ(1, list.Free());
    EXPECT_EQ(0, list.Count());
    EXPECT_EQ(0, list.Current(name));
    Fill(list, {u"c", u"d"});
    EXPECT_EQ(1, list.Next(name));  // unset again: the first
    EXPECT_EQ(u"c", name);
    EXPECT_EQ(1, list.Reset());
    EXPECT_EQ(0, list.Count());
}

TEST(SlideListBuild, KeepsPlainFilesInListingOrder) {
    CFakeLister lister;
    lister.entries = {{u".", true, false},         {u"..", true, false},         {u"z.jpg", false, false},
                      {u"sub", true, false},       {u"hidden.sys", false, true}, {u"a.jpg", false, false},
                      {u"notes.txt", false, false}};
    CSlideList list;
    EXPECT_NE(0, list.Build(u"C:\\data\\Vimbrel\\Image", lister));
    EXPECT_EQ(u"C:\\data\\Vimbrel\\Image", lister.entered);
    std::u16string name;
    std::vector<std::u16string> seen;
    for (int ok = list.First(name); ok; ok = list.Next(name)) seen.push_back(name);
    EXPECT_EQ((std::vector<std::u16string>{u"z.jpg", u"a.jpg", u"notes.txt"}), seen);
}

TEST(SlideListBuild, FolderWithoutPlainFilesOrUnreachableGivesEmptyList) {
    CSlideList list;
    CFakeLister onlyFolders;
    onlyFolders.entries = {{u".", true, false}, {u"sub", true, false}, {u"x", false, true}};
    EXPECT_EQ(0, list.Build(u"f", onlyFolders));
    EXPECT_EQ(0, list.Count());

    CFakeLister locked;
    locked.enterable = false;
    locked.entries = {{u"a.jpg", false, false}};
    EXPECT_EQ(0, list.Build(u"f", locked));
    EXPECT_EQ(0, list.Count());

    CFakeLister unreadable;
    unreadable.listable = false;
    EXPECT_EQ(0, list.Build(u"f", unreadable));
}
