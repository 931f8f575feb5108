#!/usr/bin/env bash
# The program folder `cmake --install` lays down: every binary and data file
# the programs look for beside themselves, each binary a PE of the build's
# width, and nothing else (no test program, stand-in or test media).
# Usage: package_test.sh BUILD_DIR ARCH
set -u
build=$1 arch=$2
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cmake --install "$build" --prefix "$folder" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }

expected=(vimbrel.exe flickwand.exe camera.dll glossa.dll snapframe.dll shortcutter.dll
          chipmill.dll pivotreg.dll lenstint.ax movesense.ax
          Vimbrel.ini geo.ini camera.wav
          CamDev/CamDev.ini CamDev/lensknob.dll CamDev/nullknob.dll)
for i in $(seq 1 15); do expected+=("PhotoFrame/frame$i.png" "PhotoFrame/stamp$i.png"); done

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

actual=$(cd "$folder" && find . -type f | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
missing=$(comm -13 <(echo "$actual") <(echo "$wanted"))
extra=$(comm -23 <(echo "$actual") <(echo "$wanted"))
[[ -z $missing ]] || fail "missing from the program folder: $(echo $missing)"
[[ -z $extra ]] || fail "not part of the program folder: $(echo $extra)"

case $arch in
    i686) machine=014c ;;
    x86_64) machine=8664 ;;
    *) echo "FAIL: unknown arch $arch"; exit 1 ;;
esac
# A PE file: "MZ", the offset of "PE\0\0" at 0x3c, the machine word after it.
pe_machine() {
    python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read(4096)
if data[:2] != b'MZ':
    sys.exit(1)
pe = struct.unpack_from('<I', data, 0x3c)[0]
if data[pe:pe + 4] != b'PE\0\0':
    sys.exit(1)
print('%04x' % struct.unpack_from('<H', data, pe + 4)[0])
PY
}
for f in "${expected[@]}"; do
    case $f in *.exe|*.dll|*.ax) ;; *) continue ;; esac
    [[ -f $folder/$f ]] || continue
    got=$(pe_machine "$folder/$f") || { fail "$f is not a PE file"; continue; }
    [[ $got == "$machine" ]] || fail "$f is a PE for machine $got, not $machine"
done
# The texts the programs parse: the sections they read are there.
grep -q '^\[Camera Module\]' "$folder/CamDev/CamDev.ini" 2>/dev/null || fail "CamDev.ini has no [Camera Module]"
grep -q '^\[Locale\]' "$folder/geo.ini" 2>/dev/null || fail "geo.ini has no [Locale]"

((failures == 0)) && echo "program folder: ${#expected[@]} files, all there"
exit $((failures > 0))
