#include "MediaSelection.h"

#include <gtest/gtest.h>

namespace vimbrel::controller {
namespace {

// A browser selection given as a list; unreadable entries are empty paths.
class CListSelection final : public IMediaSelection {
public:
    explicit CListSelection(std::vector<std::u16string> items, bool countWorks = true)
        : items_(std::move(items)), countWorks_(countWorks) {}
    bool GetCurrentFile(std::u16string& path, int& kind) override {
        if (items_.empty()) return false;
        path = items_[0];
        kind = kBrowsePicture;
        return true;
    }
    bool GetSelectedFile(int& index, std::u16string& path, int& kind) override {
        if (index == -1) {
            if (!countWorks_) return false;
            index = static_cast<int>(items_.size());
            return true;
        }
        if (index < 0 || index >= static_cast<int>(items_.size()) || items_[index].empty()) return false;
        path = items_[index];
        kind = kBrowsePicture;
        return true;
    }

private:
    std::vector<std::u16string> items_;
    bool countWorks_;
};

TEST(CollectSelectedFiles, PathsInSelectionOrder) {
    CListSelection selection({u"C:\\M\\c.jpg", u"C:\\M\\a.jpg", u"C:\\M\\b.jpg"});
    EXPECT_EQ(CollectSelectedFiles(&selection),
              (std::vector<std::u16string>{u"C:\\M\\c.jpg", u"C:\\M\\a.jpg", u"C:\\M\\b.jpg"}));

    CListSelection withGap({u"C:\\M\\c.jpg", u"", u"C:\\M\\b.jpg"});
    EXPECT_EQ(CollectSelectedFiles(&withGap), (std::vector<std::u16string>{u"C:\\M\\c.jpg", u"C:\\M\\b.jpg"}));

    CListSelection none({});
    ASSERT_TRUE(CollectSelectedFiles(&none));
    EXPECT_TRUE(CollectSelectedFiles(&none)->empty());
}

TEST(CollectSelectedFiles, NoBrowserOrNoCountIsARefusal) {
    EXPECT_FALSE(CollectSelectedFiles(nullptr));
    CListSelection broken({u"C:\\M\\a.jpg"}, false);
    EXPECT_FALSE(CollectSelectedFiles(&broken));
}

TEST(CopyDialog, FilterAndDefaultExtensionFromTheFileClass) {
    CopyDialogSetup jpeg = CopyDialogFor(u"C:\\M\\Image\\photo.JPEG");
    EXPECT_EQ(jpeg.filter, u"*.jpg|*.jpg||");
    EXPECT_EQ(jpeg.defaultExtension, u"jpg");
    EXPECT_EQ(CopyDialogFor(u"C:\\M\\Audio\\a.WAV").filter, u"*.wav|*.wav||");
    CopyDialogSetup other = CopyDialogFor(u"C:\\M\\notes.txt");
    EXPECT_EQ(other.filter, u"*.|*.||");
    EXPECT_EQ(other.defaultExtension, u"");
}

}  // namespace
}  // namespace vimbrel::controller
