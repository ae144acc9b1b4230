#!/bin/sh
# A first `kivuna-cli sync` over a generated corpus: quiet, with a busy job started before the
# run, and with a busy job put on the CPU the run is on; each as the program runs (one CPU, moved
# off a busy one) and with its pinning undone (a preloaded sched_setaffinity that does nothing).
# Prints seconds per case and round. Needs python3 and a C compiler.
#
#   bench/busy_cpu.sh [build/bin/kivuna-cli] [files] [rounds]
set -eu

here=$(cd "$(dirname "$0")" && pwd)
cli=${1:-"$here/../build/bin/kivuna-cli"}
count=${2:-2000}
rounds=${3:-3}
corpus_tool=${KIVUNA_CORPUS_TOOL:-"$here/../../shared/tools/make_mp3_corpus.py"}

work=$(mktemp -d)
busy=""
trap '[ -n "$busy" ] && kill $busy 2>/dev/null; rm -rf "$work"' EXIT
printf '#define _GNU_SOURCE\n#include <sched.h>\nint sched_setaffinity(pid_t p, size_t n, const cpu_set_t *m) { (void)p; (void)n; (void)m; return 0; }\n' >"$work/unpinned.c"
cc -shared -fPIC -O2 -o "$work/unpinned.so" "$work/unpinned.c"
python3 "$corpus_tool" "$work/corpus" --count "$count" --seed 9 >/dev/null

run() { # pinning (pinned|unpinned), load (quiet|before|same)
    rm -rf "$work/tree" "$work/data"
    cp -a "$work/corpus" "$work/tree"
    sync
    preload=""
    [ "$1" = unpinned ] && preload="$work/unpinned.so"
    if [ "$2" = before ]; then
        sh -c 'while :; do :; done' &
        busy=$!
    fi
    start=$(date +%s.%N)
    XDG_DATA_HOME="$work/data" LD_PRELOAD="$preload" "$cli" sync -q "$work/tree" >/dev/null 2>&1 &
    run=$!
    if [ "$2" = same ]; then
        sleep 0.2
        taskset -c "$(awk '{print $39}' "/proc/$run/stat")" sh -c 'while :; do :; done' &
        busy=$!
    fi
    wait $run || true
    end=$(date +%s.%N)
    [ -n "$busy" ] && kill $busy
    busy=""
    python3 -c "print('%-9s %-7s %6.2f s' % ('$1', '$2', $end - $start))"
}

for round in $(seq "$rounds"); do
    echo "round $round"
    for load in quiet before same; do
        run pinned $load
        run unpinned $load
    done
done
