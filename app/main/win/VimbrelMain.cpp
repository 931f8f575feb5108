// vimbrel.exe's entry point: the program object is made statically and the
// framework runs it.
#include "CVimbrelApp.h"

namespace {
vimbrel::mainwindow::CVimbrelApp theApp;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    return framework::RunApplication(instance, commandLine, showCommand);
}
