#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "RegionLabeller.h"

using namespace motion;

namespace {

// A plane drawn as text rows: '#' is 255, anything else 0.
struct Plane {
    std::uint32_t w = 0, h = 0;
    std::vector<std::uint8_t> px;
    explicit Plane(std::initializer_list<const char*> rows) {
        for (const char* r : rows) {
            const std::string s(r);
            w = static_cast<std::uint32_t>(s.size());
            for (char c : s) px.push_back(c == '#' ? 255 : 0);
            ++h;
        }
    }
};

struct Labelled {
    RegionList regions;
    RunList a, b;
    explicit Labelled(const Plane& p) { xLabelRegions(p.px.data(), p.w, p.h, regions, a, b); }
    std::vector<const MotionRegion*> Unmerged() const {
        std::vector<const MotionRegion*> out;
        for (const MotionRegion& r : regions)
            if (!r.merged) out.push_back(&r);
        return out;
    }
};

void ExpectRegion(const MotionRegion& r, std::uint32_t left, std::uint32_t right, std::uint32_t top,
                  std::uint32_t bottom) {
    EXPECT_EQ(left, r.left);
    EXPECT_EQ(right, r.right);
    EXPECT_EQ(top, r.top);
    EXPECT_EQ(bottom, r.bottom);
}

}  // namespace

TEST(RegionLabeller, UShapesUniteIntoTheSmallerLabel) {
    const Labelled u(Plane{".##...##..", ".##...##..", ".#######.."});
    ASSERT_EQ(2u, u.regions.Count());
    EXPECT_EQ(0u, u.regions[0].merged);
    EXPECT_EQ(1u, u.regions[1].merged);
    ExpectRegion(u.regions[0], 1, 8, 0, 2);

    // The right arm starts first, so it holds label 1; the bottom run meets
    // the left arm (label 2) first and must move over to label 1, so that
    // the row below grows region 1 and not the absorbed one.
    const Labelled v(Plane{"......##..", ".##...##..", ".#######..", ".##......."});
    ASSERT_EQ(2u, v.regions.Count());
    EXPECT_EQ(0u, v.regions[0].merged);
    EXPECT_EQ(1u, v.regions[1].merged);
    ExpectRegion(v.regions[0], 1, 8, 0, 3);
}

TEST(RegionLabeller, RunsJoinAcrossAOneColumnGapButNotTwo) {
    const Labelled oneGap(Plane{"##......", "...##..."});
    EXPECT_EQ(1u, oneGap.regions.Count());
    ExpectRegion(oneGap.regions[0], 0, 5, 0, 1);

    const Labelled twoGap(Plane{"##......", "....##.."});
    EXPECT_EQ(2u, twoGap.regions.Count());
}

TEST(RegionLabeller, RunAtTheRowEndEndsAtTheWidth) {
    const Labelled l(Plane{".....###", "......##"});
    ASSERT_EQ(1u, l.regions.Count());
    ExpectRegion(l.regions[0], 5, 8, 0, 1);
}

TEST(RegionLabeller, ListsGrowPastTenAndKeepEveryRecord) {
    std::string row;
    for (int i = 0; i < 14; ++i) row += "#...";
    const Labelled l(Plane{row.c_str(), row.c_str(), row.c_str()});
    ASSERT_EQ(14u, l.regions.Count());
    for (std::uint32_t i = 0; i < 14; ++i) {
        EXPECT_EQ(i + 1, l.regions[i].label);
        ExpectRegion(l.regions[i], 4 * i, 4 * i + 1, 0, 2);
        EXPECT_EQ(0u, l.regions[i].merged);
    }
}

// One-column crosses of the run walk: a run whose end lies left of the run
// above it stays with it, and the next run can still meet it.
TEST(RegionLabeller, WideRunAboveMeetsSeveralRunsBelow) {
    const Labelled l(Plane{"##########", "#...#....#"});
    ASSERT_EQ(1u, l.Unmerged().size());
    ExpectRegion(*l.Unmerged()[0], 0, 10, 0, 1);
}

TEST(RegionLabeller, SizeFilterKeepsProductsOfSixteenAndDropsOneRowRegions) {
    RegionList list;
    list.Append(MotionRegion{0, 4, 10, 14, 1, 0});  // 4 x 4 = 16: kept
    list.Append(MotionRegion{0, 5, 0, 3, 2, 0});    // 5 x 3 = 15: dropped
    list.Append(MotionRegion{0, 50, 7, 7, 3, 0});   // one row: 0
    EXPECT_TRUE(xDropSmallRegions(list));
    EXPECT_EQ(0u, list[0].merged);
    EXPECT_EQ(1u, list[1].merged);
    EXPECT_EQ(1u, list[2].merged);
    list[0].merged = 1;
    EXPECT_FALSE(xDropSmallRegions(list));
}

TEST(RegionLabeller, CheckDiffBoundsAndCoverage) {
    MotionRect r{};
    const Plane empty{"....", "....", "...."};
    EXPECT_FALSE(xCheckDiff(empty.px.data(), 4, 3, 1, r));
    EXPECT_EQ(4, r.left);
    EXPECT_EQ(0, r.right);
    EXPECT_EQ(0, r.top);
    EXPECT_EQ(0, r.bottom);

    // Five pixels in one column: area 1 x (6 - 2) = 4, changed.
    const Plane five{"..........", "..........", "...#......", "...#......",
                     "...#......", "...#......", "...#......", ".........."};
    EXPECT_TRUE(xCheckDiff(five.px.data(), 10, 8, 1, r));
    EXPECT_EQ(3, r.left);
    EXPECT_EQ(3, r.right);
    EXPECT_EQ(2, r.top);
    EXPECT_EQ(6, r.bottom);
    // Four are not enough.
    const Plane four{"..........", "..........", "...#......", "...#......",
                     "...#......", "...#......", "..........", ".........."};
    EXPECT_FALSE(xCheckDiff(four.px.data(), 10, 8, 1, r));

    // A last pixel in the last column makes the bottom one past its row; the
    // right edge is found only once a left edge was seen.
    const Plane corner{"........#.", "..#.......", "..........", ".........#"};
    xCheckDiff(corner.px.data(), 10, 4, 1, r);
    EXPECT_EQ(2, r.left);
    EXPECT_EQ(9, r.right);
    EXPECT_EQ(0, r.top);
    EXPECT_EQ(4, r.bottom);
}

TEST(RegionLabeller, MergingRepeatsUntilNothingJoinsAndSkipsCrosses) {
    // Tall A and wide C form a cross: no corner of one lies in the other.
    RegionList cross;
    cross.Append(MotionRegion{2, 4, 0, 10, 1, 0});
    cross.Append(MotionRegion{0, 10, 4, 6, 2, 0});
    xMergeRects(cross);
    EXPECT_EQ(0u, cross[0].merged);
    EXPECT_EQ(0u, cross[1].merged);

    // B overlaps C in the first pass; the grown C then overlaps A in the next.
    RegionList chain;
    chain.Append(MotionRegion{2, 4, 0, 10, 1, 0});   // A
    chain.Append(MotionRegion{0, 10, 4, 6, 2, 0});   // C
    chain.Append(MotionRegion{8, 12, 5, 12, 3, 0});  // B
    xMergeRects(chain);
    EXPECT_EQ(0u, chain[0].merged);
    EXPECT_EQ(1u, chain[1].merged);
    EXPECT_EQ(1u, chain[2].merged);
    ExpectRegion(chain[0], 0, 12, 0, 12);
}
