#!/usr/bin/env bash
# Decodes the pictures engine_stills_test wrote with ImageMagick, a decoder
# apart from the one the engine writes with, and compares them with the
# camera's scene: lossless formats exactly, JPEG and GIF within what their
# compression and palette allow. Exit 77 (skipped) when there are none.
set -euo pipefail
folder=${1:?bin folder}/engine-stills
expected=$folder/expected-320x240.rgb
if [[ ! -f $expected ]]; then
    echo "no pictures: engine_stills_test did not write any (effects filter missing?)"
    exit 77
fi
status=0
for entry in bmp:0 png:0 tif:0 jpg:12 gif:32; do
    ext=${entry%%:*}
    limit=${entry##*:}
    picture=$folder/still.$ext
    if [[ ! -f $picture ]]; then
        echo "$ext: missing"; status=1; continue
    fi
    size=$(identify -format '%wx%h' "$picture[0]")
    if [[ $size != 320x240 ]]; then
        echo "$ext: size $size"; status=1; continue
    fi
    convert "$picture[0]" -depth 8 "rgb:$folder/decoded-$ext.rgb"
    # Mean absolute difference per byte.
    mean=$(python3 - "$expected" "$folder/decoded-$ext.rgb" <<'PY'
import sys
a = open(sys.argv[1], 'rb').read()
b = open(sys.argv[2], 'rb').read()
print(10**9 if len(a) != len(b) else sum(abs(x - y) for x, y in zip(a, b)) / len(a))
PY
)
    echo "$ext: mean difference $mean (allowed $limit)"
    if ! python3 -c "import sys; sys.exit(0 if float('$mean') <= $limit else 1)"; then
        status=1
    fi
done
exit $status
