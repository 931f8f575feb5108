// Stays resident in the test prefix for the length of a test run, so that
// each test program starts against services that are already up.
#include <windows.h>

int main() {
    // The prefix's shutdown (wineserver -k) ends us; the timeout is only a
    // guard against a run that forgot to.
    HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, L"VimbrelBenchKeepWarm");
    WaitForSingleObject(stop, 2 * 60 * 60 * 1000);
    CloseHandle(stop);
    return 0;
}
