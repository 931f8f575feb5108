// The detection pass and its shrink beside the same work in OpenCV, at
// 640 x 480 and 1280 x 720, level 5 (16-pixel blocks), in one run (see
// testbench/peertable). Frames alternate between a still scene and the
// same scene with a block moved in, so every pass finds motion and, as the
// capture engine runs it (no marks), takes the frame as its new base.
// OpenCV runs on one thread.

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <cstdio>
#include <utility>
#include <vector>

#include "DiffBlock_DetectAlgorithm.h"
#include "GrayImage.h"
#include "PeerTable.h"
#include "ProcessWideState.h"
#include "../tests/SyntheticFrames.h"

namespace {

using motion_test::SyntheticFrame;
using vimbrel::bench::CPeerTable;

constexpr std::uint32_t kLevel = 5;

void CompareAt(CPeerTable& table, std::uint32_t w, std::uint32_t h) {
    motion::ResetProcessWideMotionState();
    SyntheticFrame still(w, h), moved(w, h);
    still.Fill(60, 90, 120);
    still.AddNoise(7, 3);
    moved = still;
    moved.FillRect(w / 3, h / 3, w / 2, h / 2, 250, 250, 250);

    motion::CDiffBlockDetector d;
    if (d.AllocateCache(still.Header()) != motion::kOk) return;
    d.SetDetectLevel(kLevel, nullptr);
    int off = 0;
    d.MarkMotionOnVideo(&off);
    d.MarkMotionRect(&off);
    d.SetBaseFrame(still.Data(), motion::kModeDynamicBase);
    const std::uint32_t b = d.BlockInUse(), zw = d.ReducedWidth(), zh = d.ReducedHeight();

    std::vector<std::uint8_t> gray(std::size_t(zw) * zh);
    std::vector<std::uint32_t> acc(std::size_t(w) * 3);
    const cv::Mat stillMat(static_cast<int>(h), static_cast<int>(w), CV_8UC3, still.Data());
    const cv::Mat movedMat(static_cast<int>(h), static_cast<int>(w), CV_8UC3, moved.Data());
    const cv::Size reducedSize(static_cast<int>(zw), static_cast<int>(zh));
    cv::Mat reduced, grey, baseGrey, diff, mask, dilated, labels, stats, centroids, baseFrame;

    const std::string block = " (" + std::to_string(b) + "-pixel blocks)";
    table.Compare(
        "motion shrink alone" + block, static_cast<int>(w), static_cast<int>(h),
        [&] {
            motion::xZoomOutRGB2Gray(gray.data(), still.Data(), w, h, b, zw, zh, acc.data());
            CPeerTable::Clobber(gray.data());
        },
        {{"INTER_AREA + grey",
          [&] {
              cv::resize(stillMat, reduced, reducedSize, 0, 0, cv::INTER_AREA);
              cv::cvtColor(reduced, grey, cv::COLOR_BGR2GRAY);
              CPeerTable::Clobber(grey.data);
          }}},
        "grey of the block means: shifts vs 0.299/0.587/0.114");

    bool flip = false;
    cv::resize(stillMat, reduced, reducedSize, 0, 0, cv::INTER_AREA);
    cv::cvtColor(reduced, baseGrey, cv::COLOR_BGR2GRAY);
    const cv::Mat ring = cv::Mat::ones(3, 3, CV_8U);
    table.Compare(
        "motion pass, level 5" + block, static_cast<int>(w), static_cast<int>(h),
        [&] {
            SyntheticFrame& f = flip ? moved : still;
            flip = !flip;
            motion::MotionRect rect{};
            d.DetectFrame(f.Data(), motion::kModeDynamicBase, rect);
            CPeerTable::Clobber(&rect);
        },
        {{"OpenCV pipeline",
          [&] {
              const cv::Mat& f = flip ? movedMat : stillMat;
              flip = !flip;
              cv::resize(f, reduced, reducedSize, 0, 0, cv::INTER_AREA);
              cv::cvtColor(reduced, grey, cv::COLOR_BGR2GRAY);
              cv::absdiff(grey, baseGrey, diff);
              cv::threshold(diff, mask, 20, 255, cv::THRESH_BINARY);
              cv::dilate(mask, dilated, ring);
              if (cv::connectedComponentsWithStats(dilated, labels, stats, centroids) > 1) {
                  f.copyTo(baseFrame);  // the new base, as ours takes it
                  grey.copyTo(baseGrey);
              }
              CPeerTable::Clobber(baseGrey.data);
          }}},
        "peer: absdiff, threshold, 3x3 dilate, labelled components, base copy");
}

}  // namespace

int main() {
    cv::setNumThreads(0);
    std::printf("OpenCV %s, one thread\n", CV_VERSION);
    CPeerTable table;
    for (const auto& size : {std::pair<int, int>{640, 480}, {1280, 720}}) table.CopyNoise(size.first, size.second);
    table.Header();
    for (const auto& size : {std::pair<std::uint32_t, std::uint32_t>{640, 480}, {1280, 720}})
        CompareAt(table, size.first, size.second);
    for (const auto& size : {std::pair<int, int>{640, 480}, {1280, 720}}) table.CopyNoise(size.first, size.second);
    table.Summary();
    return 0;
}
