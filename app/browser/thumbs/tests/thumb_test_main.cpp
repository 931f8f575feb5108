// GDI+ runs for the whole test program, as it does for the whole program.
#include "GdiplusSession.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    vimbrel::ui::CGdiplusSession gdiplus;
    if (!gdiplus.Ok()) return 2;
    return RUN_ALL_TESTS();
}
