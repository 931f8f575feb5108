# Sourced by the tools: paths and the build configurations.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)

# The deliverables are 32-bit, and the Windows tests run on them under
# 32-bit Wine. Where 32-bit Wine cannot start (tools/setup could not install
# it, or the host has no ia32 emulation) they run on the 64-bit build of the
# same tree in a win64 prefix, and the 32-bit build is only compiled.
# Decided after tools/setup has run, never before: a fresh machine has no
# Wine at all until the set-up installs it. The probe is a parameter so the
# decision can be tested (tools/tests/arch_choice_test.sh).
wine32_probe=(/usr/lib/wine/wine --version)
choose_test_arch() {
    if "${wine32_probe[@]}" >/dev/null 2>&1; then
        test_arch=i686
        echo "Windows tests: i686 tested under Wine"
    else
        test_arch=x86_64
        echo "Windows tests: 32-bit Wine cannot start on this host (not installed, or the kernel runs no 32-bit code); x86_64 tested under Wine, i686 only compiled"
    fi
}

# Extra cmake options for every configure below (tools/test adds
# -DVIMBREL_WERROR=ON). An option left out keeps what the tree's cache holds.
cmake_options=()

# The options a build folder may keep from an earlier configure that make it
# test less than the whole tree: a subset of components, the sanitizers off,
# the fuzz hooks in the test trees, the benchmark programs left out (the test
# trees compile them, never run them, so a benchmark that no longer builds
# fails the run). tools/test passes these so that whatever the cache holds,
# its green line covers everything.
whole_tree_options=(-DVIMBREL_ONLY= -DVIMBREL_SANITIZE=ON -DVIMBREL_FUZZ=OFF -DVIMBREL_BENCHMARKS=ON)

# The narrowing settings a build folder's cache holds, one "NAME=value" a
# line; nothing for a folder without a cache or with the whole tree.
cached_narrowing() {   # build folder
    local cache=$1/CMakeCache.txt
    [[ -f $cache ]] || return 0
    sed -n -e 's/^\(VIMBREL_ONLY\):[A-Z]*=\(..*\)$/\1=\2/p' \
        -e 's/^\(VIMBREL_SANITIZE\):[A-Z]*=\(OFF\|FALSE\|NO\|0\|N\)$/\1=\2/Ip' \
        -e 's/^\(VIMBREL_BENCHMARKS\):[A-Z]*=\(OFF\|FALSE\|NO\|0\|N\)$/\1=\2/Ip' \
        -e 's/^\(VIMBREL_FUZZ\):[A-Z]*=\(ON\|TRUE\|YES\|1\|Y\)$/\1=\2/Ip' "$cache"
}

configure_windows() {   # arch
    local arch=$1
    cmake -S "$root" -B "$root/build/win-$arch" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-mingw.cmake" \
        -DCMAKE_BUILD_TYPE=Release "${cmake_options[@]}" >/dev/null
}

configure_native() {
    cmake -S "$root" -B "$root/build/native" -G Ninja \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=Debug "${cmake_options[@]}" >/dev/null
}

# The fuzz tree: native clang, ASan+UBSan, coverage hooks in every library;
# unoptimised like the test tree, so coverage counts compare with it. Its own
# option comes last: a later -D wins over tools/test's VIMBREL_FUZZ=OFF.
configure_fuzz() {
    cmake -S "$root" -B "$root/build/native-fuzz" -G Ninja \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=Debug "${cmake_options[@]}" -DVIMBREL_FUZZ=ON >/dev/null
}
