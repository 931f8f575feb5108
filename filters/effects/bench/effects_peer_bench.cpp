// Our pixel stages beside the same work in OpenCV and libyuv, at 640 x 480
// and 1280 x 720, in one run (see testbench/peertable). Ours run in place on
// the frame, as the filter runs them; the peers write a second buffer, as
// they are made to. Every stage here costs the same whatever the pixels, so
// running it again on its own output repeats the same work. OpenCV runs on
// one thread; libyuv has none.
//
// A note after a row says where the work is not quite the same.

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <libyuv/planar_functions.h>
#include <libyuv/scale_rgb.h>

#include <cstdio>
#include <vector>

#include "BenchStages.h"
#include "PeerTable.h"
#include "kernels/ColourTables.h"
#include "kernels/EffectSettings.h"
#include "kernels/FlipZoom.h"
#include "kernels/PointEffects.h"
#include "kernels/SpatialEffects.h"
#include "simd/SimdLevel.h"

namespace vimbrel::effects::bench {
namespace {

using vimbrel::bench::CPeerTable;
using vimbrel::bench::PeerRun;

void CompareAt(CPeerTable& table, int w, int h) {
    BenchFrame f(w, h);
    f.Restore();
    const RgbFrame& frame = f.view;
    CScratch scratch;
    cv::Mat src(h, w, CV_8UC3, f.source.data());
    cv::Mat dst(h, w, CV_8UC3), grey(h, w, CV_8UC1), work16;
    const auto keep = [&] { CPeerTable::Clobber(dst.data); };

    // A centred half of the frame, scaled back to the whole frame: zoom x2.
    const ZoomCrop crop = ComputeZoomCrop(w, h, 2.0f);
    const cv::Mat centre = src(cv::Rect(crop.x0, crop.y0, crop.width, crop.height));
    const uint8_t* centreBytes = centre.data;

    table.Compare(
        "flip both (half turn)", w, h, [&] { FlipFrame(frame, true, true); },
        {{"cv::flip",
          [&] {
              cv::flip(src, dst, -1);
              keep();
          }},
         {"libyuv RGB24Mirror",
          [&] {
              // A negative height turns the rows over as well.
              libyuv::RGB24Mirror(src.data, 3 * w, dst.data + (h - 1) * 3 * w, -3 * w, w, h);
              keep();
          }}},
        "ours in place, as the filter runs it; peers into a second buffer; the same bytes");
    table.Compare(
        "mirror", w, h, [&] { FlipFrame(frame, false, true); },
        {{"cv::flip",
          [&] {
              cv::flip(src, dst, 1);
              keep();
          }},
         {"libyuv RGB24Mirror",
          [&] {
              libyuv::RGB24Mirror(src.data, 3 * w, dst.data, 3 * w, w, h);
              keep();
          }}},
        "ours in place, as the filter runs it; peers into a second buffer; the same bytes");

    table.Compare(
        "bilinear zoom x2", w, h, [&] { ZoomBilinear(frame, 2.0f, false, false, scratch); },
        {{"cv::resize LINEAR",
          [&] {
              cv::resize(centre, dst, dst.size(), 0, 0, cv::INTER_LINEAR);
              keep();
          }},
         {"libyuv RGBScale",
          [&] {
              libyuv::RGBScale(centreBytes, 3 * w, crop.width, crop.height, dst.data, 3 * w, w, h,
                               libyuv::kFilterBilinear);
              keep();
          }}},
        "ours in integers where every weight is a half (x2), giving the float version's bytes; peers in fixed point");
    table.Compare(
        "bicubic zoom x2", w, h, [&] { ZoomBicubic(frame, 2.0f, false, false, scratch); },
        {{"cv::resize CUBIC",
          [&] {
              cv::resize(centre, dst, dst.size(), 0, 0, cv::INTER_CUBIC);
              keep();
          }}},
        "ours B-spline in float, OpenCV a=-0.75 in fixed point");

    // The nearest-neighbour zoom at the factors the effect offers, with
    // each flip. The peers flip the crop (a quarter of the frame at x2)
    // before scaling it, libyuv's vertical flip free by a negative stride.
    for (const float factor : {1.5f, 2.0f, 4.0f}) {
        const ZoomCrop c = ComputeZoomCrop(w, h, factor);
        const cv::Mat part = src(cv::Rect(c.x0, c.y0, c.width, c.height));
        cv::Mat flipped(c.height, c.width, CV_8UC3);
        char factorName[16];
        std::snprintf(factorName, sizeof factorName, "%g", factor);
        const char* const flipNames[] = {"", ", flip vertical", ", mirror", ", both flips"};
        for (int flips = 0; flips < 4; ++flips) {
            const bool flipVertical = flips & 1, mirror = flips & 2;
            const int cvFlip = flipVertical && mirror ? -1 : (flipVertical ? 0 : 1);
            table.Compare(
                std::string("nearest zoom x") + factorName + flipNames[flips], w, h,
                [&] { ZoomNearest(frame, factor, flipVertical, mirror, scratch); },
                {{"cv::resize NEAREST",
                  [&] {
                      if (flips == 0) {
                          cv::resize(part, dst, dst.size(), 0, 0, cv::INTER_NEAREST);
                      } else {
                          cv::flip(part, flipped, cvFlip);
                          cv::resize(flipped, dst, dst.size(), 0, 0, cv::INTER_NEAREST);
                      }
                      keep();
                  }},
                 {"libyuv RGBScale",
                  [&] {
                      const uint8_t* from = part.data;
                      int stride = 3 * w;
                      if (mirror) {
                          // A negative height turns the rows over as well.
                          libyuv::RGB24Mirror(part.data, 3 * w, flipped.data, 3 * c.width, c.width,
                                              flipVertical ? -c.height : c.height);
                          from = flipped.data;
                          stride = 3 * c.width;
                      } else if (flipVertical) {
                          from = part.data + (c.height - 1) * 3 * w;
                          stride = -3 * w;
                      }
                      libyuv::RGBScale(from, stride, c.width, c.height, dst.data, 3 * w, w, h, libyuv::kFilterNone);
                      keep();
                  }}},
                flips == 0
                    ? "ours in place, its tables kept from frame to frame; peers from the crop into a second buffer"
                    : "ours folds the flips in; peers flip the crop first");
        }
    }

    table.Compare(
        "grey", w, h, [&] { Grey(frame); },
        {{"cv::cvtColor and back",
          [&] {
              cv::cvtColor(src, grey, cv::COLOR_BGR2GRAY);
              cv::cvtColor(grey, dst, cv::COLOR_GRAY2BGR);
              keep();
          }}},
        "weights 30/59/11 truncated vs 299/587/114 rounded");
    {
        const cv::Mat kernel = (cv::Mat_<float>(1, 2) << -3, 3);
        cv::Mat embossed(h, w, CV_8UC1);
        table.Compare(
            "emboss", w, h, [&] { Emboss(frame); },
            {{"grey + filter2D + back",
              [&] {
                  cv::cvtColor(src, grey, cv::COLOR_BGR2GRAY);
                  cv::filter2D(grey, embossed, CV_8U, kernel, cv::Point(1, 0), 125);
                  cv::cvtColor(embossed, dst, cv::COLOR_GRAY2BGR);
                  keep();
              }}},
            "peer clamps to 0..255, ours to 1..250; grey weights as above");
    }
    {
        CEffectSettings s;
        s.UpdateFrameSize(w, h);
        const int side = 3 << s.sizeClass;
        const cv::Size small((w + side - 1) / side, (h + side - 1) / side);
        cv::Mat reduced;
        table.Compare(
            "mosaic (" + std::to_string(side) + "-pixel blocks)", w, h, [&] { Mosaic(frame, s.sizeClass); },
            {{"resize AREA + NEAREST",
              [&] {
                  cv::resize(src, reduced, small, 0, 0, cv::INTER_AREA);
                  cv::resize(reduced, dst, dst.size(), 0, 0, cv::INTER_NEAREST);
                  keep();
              }}},
            "peer's edge blocks are resampled, ours are cut short");
    }
    {
        const cv::Mat kernel = (cv::Mat_<float>(2, 2) << 3, -1, -1, 0);
        table.Compare(
            "sharpen", w, h, [&] { Sharpen(frame); },
            {{"cv::filter2D",
              [&] {
                  cv::filter2D(src, dst, CV_8U, kernel, cv::Point(0, 0));
                  keep();
              }}},
            "same kernel; borders differ");
    }
    {
        ColourAdjustState state;
        SetGammaAdjustment(state, 50, 60, 40, 55, 60);
        cv::Mat lut(1, 256, CV_8UC3);
        for (int i = 0; i < 256; ++i) {
            lut.at<cv::Vec3b>(0, i) = cv::Vec3b(state.fusedTable[kBlue][i], state.fusedTable[kGreen][i],
                                                state.fusedTable[kRed][i]);
        }
        table.Compare("contrast+gamma tables", w, h, [&] { ApplyColourAdjust(frame, state); },
                      {{"cv::LUT 3 channels", [&] {
                            cv::LUT(src, lut, dst);
                            keep();
                        }}});
    }
    table.Compare(
        "blur (4x4 box)", w, h, [&] { Blur(frame); },
        {{"cv::blur 4x4",
          [&] {
              cv::blur(src, dst, cv::Size(4, 4), cv::Point(0, 0));
              keep();
          }}},
        "ours averages forward blocks of rows; borders differ");
    {
        const cv::Mat ring = (cv::Mat_<float>(3, 3) << 1, 1, 1, 1, 0, 1, 1, 1, 1);
        cv::Mat mean, diff, mask, out(h, w, CV_8UC3);
        table.Compare(
            "despeckle (same work)", w, h, [&] { Despeckle(frame, 15, scratch); },
            {{"OpenCV pipeline",
              [&] {
                  cv::filter2D(src, work16, CV_16U, ring);
                  work16.convertTo(mean, CV_8U, 1.0 / 8);
                  cv::absdiff(mean, src, diff);
                  cv::compare(diff, cv::Scalar::all(15), mask, cv::CMP_LT);
                  src.copyTo(out);
                  mean.copyTo(out, mask);
                  CPeerTable::Clobber(out.data);
              }}},
            "peer rounds the mean, ours truncates; borders differ");
    }
}

}  // namespace
}  // namespace vimbrel::effects::bench

int main() {
    using namespace vimbrel;
    cv::setNumThreads(0);
    std::printf("vector level: %s; OpenCV %s, one thread\n", simd::SimdLevelName(simd::ActiveSimdLevel()), CV_VERSION);
    bench::CPeerTable table;
    for (const auto& size : {std::pair<int, int>{640, 480}, {1280, 720}}) table.CopyNoise(size.first, size.second);
    table.Header();
    for (const auto& size : {std::pair<int, int>{640, 480}, {1280, 720}})
        effects::bench::CompareAt(table, size.first, size.second);
    for (const auto& size : {std::pair<int, int>{640, 480}, {1280, 720}}) table.CopyNoise(size.first, size.second);
    table.Summary();
    return 0;
}
