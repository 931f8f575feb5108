#!/usr/bin/env bash
# Which build the Windows tests run on: the 32-bit one whenever 32-bit Wine
# starts, and that is asked only once the set-up had its chance to install it.
set -u
here=$(cd "$(dirname "$0")" && pwd)
tools=$(cd "$here/.." && pwd)
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

# The decision itself, with the probe scripted.
(
    source "$tools/common.sh"
    wine32_probe=(true)
    line=$(choose_test_arch); choose_test_arch >/dev/null
    [[ $test_arch == i686 && $line == *"i686 tested under Wine"* ]] || fail "32-bit Wine starts: got $test_arch / $line"
    wine32_probe=(false)
    line=$(choose_test_arch); choose_test_arch >/dev/null
    [[ $test_arch == x86_64 && $line == *"32-bit Wine cannot start"* ]] || fail "no 32-bit Wine: got $test_arch / $line"
) || failures=$((failures + 1))

# Sourcing the common part decides nothing: a fresh machine has no Wine yet.
(
    source "$tools/common.sh"
    [[ -z ${test_arch:-} ]] || fail "common.sh chose $test_arch before any set-up"
)

# Every tool that tests or runs on Wine asks after its set-up and before it
# first uses the answer.
for tool in test run bench; do
    f="$tools/$tool"
    setup_line=$(grep -n '"\$root/tools/setup"' "$f" | head -1 | cut -d: -f1)
    choose_line=$(grep -n '^ *choose_test_arch' "$f" | head -1 | cut -d: -f1)
    use_line=$(grep -n '\$test_arch\|\${test_arch' "$f" | head -1 | cut -d: -f1)
    if [[ -z $setup_line || -z $choose_line ]]; then
        fail "$tool: set-up or choice missing"
    elif ((choose_line < setup_line)) || { [[ -n $use_line ]] && ((use_line < choose_line)); }; then
        fail "$tool: set-up at $setup_line, choice at $choose_line, first use at ${use_line:-none}"
    else
        echo "ok   $tool chooses after its set-up"
    fi
done

exit $((failures > 0))
