#!/usr/bin/env bash
# What makes tools/test's closing line cover the whole tree: a build folder's
# cached narrowing is found and overridden, ctest finding no test fails, and
# the tally counts a skipped test as skipped, never as passed.
set -u
here=$(cd "$(dirname "$0")" && pwd)
tools=$(cd "$here/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

# The cache of a narrowed folder names every narrowing; a whole one none.
(
    source "$tools/common.sh"
    mkdir -p "$scratch/narrow" "$scratch/whole"
    printf '%s\n' 'VIMBREL_ONLY:STRING=engine;app' 'VIMBREL_SANITIZE:BOOL=OFF' 'VIMBREL_FUZZ:BOOL=ON' \
        'VIMBREL_BENCHMARKS:BOOL=OFF' >"$scratch/narrow/CMakeCache.txt"
    printf '%s\n' 'VIMBREL_ONLY:STRING=' 'VIMBREL_SANITIZE:BOOL=ON' 'VIMBREL_FUZZ:BOOL=OFF' \
        'VIMBREL_BENCHMARKS:BOOL=ON' >"$scratch/whole/CMakeCache.txt"
    found=$(cached_narrowing "$scratch/narrow" | tr '\n' ' ')
    [[ $found == 'VIMBREL_ONLY=engine;app VIMBREL_SANITIZE=OFF VIMBREL_FUZZ=ON VIMBREL_BENCHMARKS=OFF ' ]] || fail "narrowed cache: got '$found'"
    [[ -z $(cached_narrowing "$scratch/whole") ]] || fail "whole cache reported as narrowed"

    # With the whole-tree options every configure overrides the cache; the
    # fuzz tree keeps its own hooks on (the last -D of a name wins).
    cmake() { printf '%s\n' "$@" >"$scratch/args"; }
    cmake_options=("${whole_tree_options[@]}")
    for configure in configure_native "configure_windows i686" configure_fuzz; do
        $configure
        for option in -DVIMBREL_ONLY= -DVIMBREL_SANITIZE=ON -DVIMBREL_BENCHMARKS=ON; do
            grep -qx -- "$option" "$scratch/args" || fail "$configure: no $option"
        done
        last=$(grep -- '-DVIMBREL_FUZZ=' "$scratch/args" | tail -1)
        want=-DVIMBREL_FUZZ=OFF
        [[ $configure == configure_fuzz ]] && want=-DVIMBREL_FUZZ=ON
        [[ $last == "$want" ]] || fail "$configure: fuzz hooks end as '$last'"
    done
    exit $((failures > 0))
) || failures=$((failures + 1))

# tools/test passes those options and runs ctest so that no test is an error.
grep -q 'cmake_options+=("${whole_tree_options\[@\]}")' "$tools/test" || fail "tools/test keeps cached narrowing"
[[ $(grep -c -- '--no-tests=error' "$tools/test") -ge 1 ]] || fail "tools/test: ctest without --no-tests=error"
[[ $(grep -c '^ *ctest ' "$tools/test") -eq 1 ]] || fail "tools/test runs ctest other than through run_ctest"

# The tally: passed, failed, skipped by ctest, and skipped inside a program
# that passed, each counted once; a failing program with a skipped case is a
# failure; a report that never came is a failure.
cat >"$scratch/report.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<testsuite name="x" tests="5">
	<testcase name="plain" classname="plain" time="1" status="run">
		<system-out>[ RUN      ] A.B
[       OK ] A.B (0 ms)
</system-out>
	</testcase>
	<testcase name="broken" classname="broken" time="1" status="fail">
		<failure message=""/>
		<system-out>[  SKIPPED ] C.D (0 ms)
</system-out>
	</testcase>
	<testcase name="decode" classname="decode" time="1" status="notrun">
		<skipped message="SKIP_RETURN_CODE=77"/>
		<system-out></system-out>
	</testcase>
	<testcase name="preview" classname="preview" time="1" status="run">
		<system-out>[ RUN      ] Preview.Live
x.cpp:20: Skipped
not registered
[  SKIPPED ] Preview.Live (3 ms)
[  SKIPPED ] 2 tests, listed below:
[  SKIPPED ] Preview.Live
[  SKIPPED ] Preview.Still
</system-out>
	</testcase>
</testsuite>
XML
out=$("$tools/tally" "$scratch/report.xml" "$scratch/missing.xml")
[[ $(tail -1 <<<"$out") == "1 passed, 2 failed, 2 skipped" ]] || fail "tally: $(tail -1 <<<"$out")"
grep -qx 'skipped: preview (cases skipped inside: Preview.Live Preview.Still)' <<<"$out" || fail "tally: preview not named: $out"
grep -qx 'skipped: decode (not run: SKIP_RETURN_CODE=77)' <<<"$out" || fail "tally: decode not named: $out"

((failures == 0)) && echo "ok   whole run"
exit $((failures > 0))
