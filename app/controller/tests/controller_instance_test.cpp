// The program's own start-up binding in a program that carries none of the
// controller's resources: without its catalogue the engine stays unbound,
// although camera.dll lies beside this test.
#include <gtest/gtest.h>

#include <windows.h>

#include "CameraControllerInstance.h"

namespace vimbrel::controller {
namespace {

TEST(ControllerInstanceTest, NoCatalogueMeansNoEngine) {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring engine(path);
    engine = engine.substr(0, engine.find_last_of(L'\\')) + L"\\camera.dll";
    ASSERT_NE(GetFileAttributesW(engine.c_str()), INVALID_FILE_ATTRIBUTES);

    EXPECT_EQ(BindCameraEngine(), 0);
    EXPECT_FALSE(GetCameraController().Engine().IsLoaded());
}

}  // namespace
}  // namespace vimbrel::controller
