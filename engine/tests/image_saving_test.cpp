// Picture files through GDI+: the encoder lookup, the JPEG quality
// parameter and the formats that write nothing. What each format writes is
// checked on the camera's pictures (stills_test, check_still_files.sh).
#include "engine/win/ImageSaving.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace camera {
namespace {

namespace GP = Gdiplus::DllExports;

class ImageSaving : public ::testing::Test {
protected:
    void SetUp() override {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&token_, &input, nullptr));
        // Width 3 (rows of 9 bytes padded to 12), height 2, bottom row first:
        // lower row red, green, blue; upper row white, black, grey.
        const uint8_t rows[24] = {0,   0,   255, 0, 255, 0, 255, 0,   0,   0, 0, 0,
                                  255, 255, 255, 0, 0,   0, 128, 128, 128, 0, 0, 0};
        rows_.assign(rows, rows + sizeof rows);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 3;
        info.bmiHeader.biHeight = 2;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        ASSERT_EQ(Gdiplus::Ok, GP::GdipCreateBitmapFromGdiDib(&info, rows_.data(), &bitmap_));
    }

    void TearDown() override {
        if (bitmap_ != nullptr) GP::GdipDisposeImage(bitmap_);
        for (const std::wstring& file : files_) DeleteFileW(file.c_str());
        Gdiplus::GdiplusShutdown(token_);
    }

    std::wstring File(const wchar_t* name) {
        files_.push_back(std::wstring(L"engine-image-test-") + name);
        DeleteFileW(files_.back().c_str());
        return files_.back();
    }

    ULONG_PTR token_ = 0;
    std::vector<uint8_t> rows_;
    Gdiplus::GpBitmap* bitmap_ = nullptr;
    std::vector<std::wstring> files_;
};

TEST_F(ImageSaving, EncodersAreFoundByTheirExactMimeType) {
    CLSID png{};
    CLSID jpeg{};
    EXPECT_GE(FindEncoderClsid(L"image/png", &png), 0);
    EXPECT_GE(FindEncoderClsid(L"image/jpeg", &jpeg), 0);
    EXPECT_NE(png, jpeg);
    CLSID none{};
    EXPECT_EQ(-1, FindEncoderClsid(L"image/PNG", &none));
    EXPECT_EQ(-1, FindEncoderClsid(L"image/pn", &none));
    EXPECT_EQ(-1, FindEncoderClsid(L"image/x-vimbrel", &none));
}

TEST_F(ImageSaving, JpegQualityIsOneLongValueUnderTheQualityGuid) {
    JpegQualityParameter parameter{};
    FillJpegQuality(parameter, 50);
    const GUID quality = {0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};
    ASSERT_EQ(1u, parameter.parameters.Count);
    EXPECT_EQ(quality, parameter.parameters.Parameter[0].Guid);
    EXPECT_EQ(1u, parameter.parameters.Parameter[0].NumberOfValues);
    EXPECT_EQ(static_cast<ULONG>(Gdiplus::EncoderParameterValueTypeLong), parameter.parameters.Parameter[0].Type);
    EXPECT_EQ(50u, *static_cast<ULONG*>(parameter.parameters.Parameter[0].Value));
}

TEST_F(ImageSaving, UnknownFormatsWriteNothingAndFailuresSayNo) {
    const std::wstring skipped = File(L"none");
    EXPECT_EQ(1, SaveImageWithEncoder(bitmap_, skipped.c_str(), 5, 75));
    EXPECT_EQ(1, SaveImageWithEncoder(bitmap_, skipped.c_str(), -1, 75));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(skipped.c_str()));
    EXPECT_EQ(0, SaveImageWithEncoder(bitmap_, L"Z:\\no\\such\\folder\\x.png", 3, 75));
    EXPECT_EQ(0, SaveImageWithEncoder(nullptr, skipped.c_str(), 3, 75));
}

}  // namespace
}  // namespace camera
