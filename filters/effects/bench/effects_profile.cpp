// Runs one benchmark stage over a few frames, for instruction counts that do
// not depend on the machine's load:
//   valgrind --tool=callgrind --toggle-collect='*RunEffectPipeline*' effects_profile <stage> [width height frames]
// Instructions per pixel = the collected Ir / (width x height x frames). The
// first frame, which grows the scratch memory, runs before collection starts
// only in the sense that it is counted too; use enough frames to dilute it.
// With no stage named it lists the stages.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "BenchStages.h"

int main(int argc, char** argv) {
    using namespace vimbrel::effects;
    using namespace vimbrel::effects::bench;
    const auto stages = AllStages();
    if (argc < 2) {
        for (const BenchStage& s : stages) std::printf("%s\n", s.name.c_str());
        return 0;
    }
    const int w = argc > 3 ? std::atoi(argv[2]) : 1280;
    const int h = argc > 3 ? std::atoi(argv[3]) : 720;
    const int frames = argc > 4 ? std::atoi(argv[4]) : 15;
    for (const BenchStage& stage : stages) {
        if (stage.name != argv[1]) continue;
        BenchFrame f(w, h);
        CBenchHost host(stage.threads);
        CEffectSettings settings;
        settings.UpdateFrameSize(w, h);
        stage.setup(settings);
        for (int i = 0; i < frames; ++i) {
            f.Restore();
            RunEffectPipeline(settings, f.view, host);
        }
        unsigned sum = 0;
        for (uint8_t b : f.buffer) sum = sum * 31 + b;
        std::printf("%s %dx%d x%d checksum %08x\n", stage.name.c_str(), w, h, frames, sum);
        return 0;
    }
    std::fprintf(stderr, "no stage %s\n", argv[1]);
    return 1;
}
