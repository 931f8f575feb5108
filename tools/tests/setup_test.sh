#!/usr/bin/env bash
# The set-up's decisions, fed with scripted package-manager results: which
# sets are installed in which order, what is retried and what is said.
set -u
here=$(cd "$(dirname "$0")" && pwd)
failures=0

# One scenario: the variables set before the call script the package manager.
run_case() {
    (
        source "$here/../setup"
        retry_pause=0
        log=$(mktemp)
        pkg_installed() { [[ " $installed " == *" $1 "* ]]; }
        have_i386_arch() { [[ $arch == yes ]]; }
        add_i386_arch() { echo "add-arch" >>"$log"; }
        pm_update() {
            echo "update" >>"$log"
            [[ $update_ok == yes ]] && return 0
            echo "E: Failed to fetch http://mirror/dists/sec/main/binary-i386/Packages.xz  File has unexpected size"
            return 1
        }
        pm_install() {
            local pinned=plain
            [[ $* == *Dir::Etc::Preferences* ]] && pinned=pinned
            local pkgs=${*##*-- }
            local set=64
            [[ $pkgs == *:i386* ]] && set=32
            echo "install $set $pinned" >>"$log"
            local verdict_var="install_${set}_${pinned}"
            [[ ${!verdict_var:-no} == ok ]]
        }
        out=$(setup_main 2>&1); rc=$?
        printf '%s\n' "rc=$rc" "$out" >>"$log"
        cat "$log"; rm -f "$log"
    )
}

expect() {  # name transcript pattern...
    local name=$1 transcript=$2; shift 2
    local pattern
    for pattern in "$@"; do
        if ! grep -qE -- "$pattern" <<<"$transcript"; then
            echo "FAIL $name: no line matching '$pattern' in:"; sed 's/^/    /' <<<"$transcript"
            failures=$((failures + 1)); return
        fi
    done
    echo "ok   $name"
}
refuse() {  # name transcript pattern
    if grep -qE -- "$3" <<<"$2"; then
        echo "FAIL $1: unexpected '$3'"; failures=$((failures + 1))
    fi
}

source "$here/../setup"   # for the package lists
all="${native_pkgs[*]} ${i386_pkgs[*]}"

# Everything already there: no update, no install.
t=$(installed="$all" arch=yes update_ok=yes run_case)
expect "all there" "$t" '^rc=0$'
refuse "all there" "$t" 'update|install'

# Fresh machine, every index fine: architecture added, 64-bit then 32-bit.
t=$(installed="" arch=no update_ok=yes install_64_plain=ok install_32_plain=ok run_case)
expect "all fine" "$t" '^add-arch$' '^update$' '^install 64 plain$' '^install 32 plain$' '^rc=0$'
refuse "all fine" "$t" 'pinned|retrying|going on'
[[ $(grep -n 'install 64' <<<"$t" | cut -d: -f1) -lt $(grep -n 'install 32' <<<"$t" | cut -d: -f1) ]] \
    || { echo "FAIL all fine: 32-bit set before the 64-bit set"; failures=$((failures + 1)); }

# One index keeps failing: three tries, the index named, then the install
# goes on; the 32-bit set needs the one-suite retry and gets it.
t=$(installed="" arch=yes update_ok=no install_64_plain=ok install_32_plain=no install_32_pinned=ok run_case)
expect "index fails" "$t" 'going on without: http://mirror/dists/sec/main/binary-i386/Packages.xz' \
    '^install 32 pinned$' '^rc=0$'
[[ $(grep -c '^update$' <<<"$t") == 3 ]] || { echo "FAIL index fails: update not tried 3 times"; failures=$((failures + 1)); }
refuse "index fails" "$t" 'could not be installed'

# The 32-bit set cannot be had at all: one clear line, and still success.
t=$(installed="" arch=yes update_ok=no install_64_plain=ok install_32_plain=no install_32_pinned=no run_case)
expect "32-bit fails" "$t" '32-bit Wine could not be installed; the Windows tests will run on the 64-bit build' '^rc=0$'

# The 64-bit set is what builds: without it set-up fails.
t=$(installed="" arch=yes update_ok=yes install_64_plain=no install_64_pinned=no run_case)
expect "64-bit fails" "$t" 'cannot build' '^rc=1$'
refuse "64-bit fails" "$t" 'install 32'

# Only the 32-bit set missing: the 64-bit set is not reinstalled.
t=$(installed="${native_pkgs[*]}" arch=yes update_ok=yes install_32_plain=ok run_case)
expect "only 32-bit missing" "$t" '^install 32 plain$'
refuse "only 32-bit missing" "$t" 'install 64'

exit $((failures > 0))
