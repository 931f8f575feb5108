# Sourced by the tools: paths and the build configurations.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)

# The deliverables are 32-bit. Where this host cannot execute 32-bit code
# (no ia32 emulation), the Windows tests run on the 64-bit build of the same
# tree in a win64 prefix, and the 32-bit build is only compiled.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    test_arch=i686
else
    test_arch=x86_64
fi

# Extra cmake options for every configure below (tools/test adds
# -DVIMBREL_WERROR=ON). An option left out keeps what the tree's cache holds.
cmake_options=()

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
# unoptimised like the test tree, so coverage counts compare with it.
configure_fuzz() {
    cmake -S "$root" -B "$root/build/native-fuzz" -G Ninja \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=Debug -DVIMBREL_FUZZ=ON "${cmake_options[@]}" >/dev/null
}
