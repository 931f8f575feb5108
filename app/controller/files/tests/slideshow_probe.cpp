// Stands in for the slide-show program in the tests: writes the arguments it
// was started with into probe_ran.txt in its working folder, so a test can
// see both.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    FILE* out = std::fopen("probe_ran.txt", "wb");
    if (!out) return 1;
    for (int i = 1; i < argc; ++i) std::fputs(argv[i], out);
    std::fclose(out);
    return 0;
}
