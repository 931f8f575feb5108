// The screen buffers: four of screen size, the composition buffer and the
// screen black from the start; made once for the player window.
#include "ScreenBuffers.h"

#include "DrawingSupport.h"

#include <gtest/gtest.h>

using namespace slideshow;
using namespace slidetest;

TEST(ScreenBuffers, AllScreenSizedAndStartBlack) {
    auto screen = CDibBuffer::Create(nullptr, 64, 48);
    ASSERT_TRUE(screen);
    Paint(*screen, 0xFFFFFF);
    auto buffers = CScreenBuffers::ForTarget(screen->Dc(), 64, 48);
    ASSERT_TRUE(buffers);
    for (CDibBuffer* buffer : {&buffers->Composition(), &buffers->Blend(), &buffers->Strip(), &buffers->StripShown()}) {
        EXPECT_EQ(64, buffer->Width());
        EXPECT_EQ(48, buffer->Height());
    }
    EXPECT_TRUE(AreaIs(buffers->Composition(), 0, 0, 64, 48, 0x000000));
    EXPECT_TRUE(AreaIs(*screen, 0, 0, 64, 48, 0x000000));
}

TEST(ScreenBuffers, RefuseWhatCannotBeDrawnInto) {
    EXPECT_FALSE(CScreenBuffers::ForTarget(nullptr, 64, 48));
    auto screen = CDibBuffer::Create(nullptr, 8, 8);
    ASSERT_TRUE(screen);
    EXPECT_FALSE(CScreenBuffers::ForTarget(screen->Dc(), 0, 48));
    EXPECT_FALSE(CScreenBuffers::ForWindow(nullptr));
}

TEST(ScreenBuffers, PlayerWindowGetsPrimaryScreenSizeOnce) {
    HWND window = CreateWindowExW(0, L"STATIC", L"slides", WS_POPUP, 0, 0, 50, 40, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(nullptr, SharedScreenBuffers());
    ASSERT_EQ(1, CreateScreenBuffers(window));
    CScreenBuffers* made = SharedScreenBuffers();
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), made->Width());
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), made->Height());
    EXPECT_EQ(window, made->Window());
    // A second call keeps the buffers the worker may be drawing from.
    EXPECT_EQ(1, CreateScreenBuffers(nullptr));
    EXPECT_EQ(made, SharedScreenBuffers());
    // The buffers live as long as the process; the window outlives the test.
}
