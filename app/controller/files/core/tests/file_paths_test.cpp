#include "FilePaths.h"

#include <gtest/gtest.h>

#include <set>

namespace vimbrel::controller {
namespace {

class NextFreeCopyNameTest : public ::testing::Test {
protected:
    std::optional<std::u16string> Copy(std::u16string_view path) {
        return NextFreeCopyName(path, [this](const std::u16string& candidate) {
            asked_.push_back(candidate);
            return files_.count(candidate) != 0;
        });
    }
    std::set<std::u16string> files_;
    std::vector<std::u16string> asked_;
};

TEST(FileNamePart, TextAfterTheLastBackslash) {
    EXPECT_EQ(FileNamePart(u"C:\\Data\\Image\\a.jpg"), u"a.jpg");
    EXPECT_EQ(FileNamePart(u"\\a"), u"a");
    EXPECT_FALSE(FileNamePart(u"a.jpg"));
    EXPECT_FALSE(FileNamePart(u"C:\\Data\\"));
    EXPECT_FALSE(FileNamePart(u""));
}

TEST_F(NextFreeCopyNameTest, CounterStartsAtTwoOrContinuesTheCopysNumber) {
    EXPECT_EQ(Copy(u"C:\\M\\a.jpg"), u"C:\\M\\a_2.jpg");
    EXPECT_EQ(Copy(u"C:\\M\\a_2.jpg"), u"C:\\M\\a_3.jpg");
    EXPECT_EQ(Copy(u"C:\\M\\a_x.jpg"), u"C:\\M\\a_x_2.jpg");
    EXPECT_EQ(Copy(u"C:\\M\\image202607040005_2.jpg"), u"C:\\M\\image202607040005_3.jpg");
    EXPECT_EQ(Copy(u"C:\\M\\a_b_12.png"), u"C:\\M\\a_b_13.png");
    // 0 is no copy number; so is a run that is not all digits.
    EXPECT_EQ(Copy(u"C:\\M\\a_0.jpg"), u"C:\\M\\a_0_2.jpg");
    EXPECT_EQ(Copy(u"C:\\M\\a_7b.jpg"), u"C:\\M\\a_7b_2.jpg");
    EXPECT_EQ(Copy(u"C:\\M\\a_.jpg"), u"C:\\M\\a__2.jpg");
}

TEST_F(NextFreeCopyNameTest, NameAndExtensionByTheFirstTwoDots) {
    EXPECT_EQ(Copy(u"C:\\M\\a.b.jpg"), u"C:\\M\\a_2.b");
    // A dot in the folder is not the file's.
    EXPECT_EQ(Copy(u"C:\\my.pics\\a"), u"C:\\my.pics\\a_2");
    EXPECT_EQ(Copy(u"C:\\M\\a."), u"C:\\M\\a_2");
    // A bare name is copied beside itself, not to the drive's root.
    EXPECT_EQ(Copy(u"a.jpg"), u"a_2.jpg");
    EXPECT_FALSE(Copy(u""));
}

TEST_F(NextFreeCopyNameTest, SkipsNamesThatAreTaken) {
    files_ = {u"C:\\M\\a_2.jpg", u"C:\\M\\a_3.jpg", u"C:\\M\\a_5.jpg"};
    EXPECT_EQ(Copy(u"C:\\M\\a.jpg"), u"C:\\M\\a_4.jpg");
    EXPECT_EQ(asked_, (std::vector<std::u16string>{u"C:\\M\\a_2.jpg", u"C:\\M\\a_3.jpg", u"C:\\M\\a_4.jpg"}));
    EXPECT_EQ(Copy(u"C:\\M\\a_4.jpg"), u"C:\\M\\a_6.jpg");
}

TEST_F(NextFreeCopyNameTest, HugeCopyNumbersNeitherOverflowNorLoop) {
    EXPECT_EQ(Copy(u"C:\\M\\a_2147483646.jpg"), u"C:\\M\\a_2147483647.jpg");
    files_ = {u"C:\\M\\a_2147483647.jpg"};
    EXPECT_FALSE(Copy(u"C:\\M\\a_2147483646.jpg"));
    // Past an int the run is kept as part of the name.
    EXPECT_EQ(Copy(u"C:\\M\\a_99999999999.jpg"), u"C:\\M\\a_99999999999_2.jpg");
}

TEST_F(NextFreeCopyNameTest, RefusesANameLongerThanAPathBuffer) {
    // "\" + name + "_2.jpg": 7 units beside the folder and the 1-unit name.
    std::u16string folder(251, u'd');
    auto fits = Copy(folder + u"\\a.jpg");
    ASSERT_TRUE(fits);
    EXPECT_EQ(fits->size(), 259u);
    EXPECT_FALSE(Copy(folder + u"d\\a.jpg"));
    // Growing from _9 to _10 can also cross the limit.
    files_ = {folder + u"\\a_9.jpg"};
    EXPECT_FALSE(Copy(folder + u"\\a_8.jpg"));
}

}  // namespace
}  // namespace vimbrel::controller
