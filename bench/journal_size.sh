#!/usr/bin/env bash
# Figures for the undo journal of a tag run made with kivuna-cli: its size and the run's and the
# undo's times, over a generated tree of MP3 files, then over files with 1 MB covers (albums of
# ten files sharing one cover, and files each with a cover of its own). Printed, never asserted.
# Usage: bench/journal_size.sh [files] [cli folder]   (default: 10000, build/bin)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
files="${1:-10000}"
bin="${2:-$root/build/bin}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data"

now() { date +%s.%N; }

# Sets the album of every MP3 under $1, prints the journal's size and the times, then undoes.
measure() {
    local label="$1" tree="$2"
    rm -rf "$XDG_DATA_HOME"
    local start end undone
    start=$(now)
    find "$tree" -type f -name '*.mp3' -print0 |
        xargs -0 "$bin/kivuna-cli" set --album "Bench" >/dev/null || true
    end=$(now)
    local size
    size=$(find "$XDG_DATA_HOME" -name '*.jsonl' -printf '%s\n' | awk '{s+=$1} END {print s}')
    # A long list may have been cut into several runs by xargs.
    local runs
    runs=$(find "$XDG_DATA_HOME" -name '*.jsonl' | wc -l)
    for _ in $(seq "$runs"); do "$bin/kivuna-cli" undo >/dev/null; done
    undone=$(now)
    awk -v l="$label" -v k="$size" -v a="$start" -v b="$end" -v c="$undone" 'BEGIN {
        printf "%-34s journal %9.1f KiB  set %6.2f s  undo %6.2f s\n", l, k / 1024, b - a, c - b }'
}

/usr/bin/python3 /work/shared/tools/make_mp3_corpus.py "$work/corpus" --count "$files" --seed 7 \
    --no-decoys >/dev/null
measure "corpus, $files files" "$work/corpus"

# 100 files with 1 MB covers: ten albums of ten, and a hundred covers of their own.
/usr/bin/python3 - "$work" <<'PY'
import os, random, sys
from mutagen.id3 import APIC, ID3, TIT2
work = sys.argv[1]
audio = bytes([0xFF, 0xFB, 0x90, 0x64]) + bytes(413)
random.seed(7)
for tree, per_album in (("shared", 10), ("own", 1)):
    covers = {}
    for n in range(100):
        album = n // per_album
        if album not in covers:
            covers[album] = random.randbytes(1 << 20)
        path = os.path.join(work, tree, f"{n:03}.mp3")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(audio * 40)
        tag = ID3()
        tag.add(TIT2(encoding=3, text=[f"Song {n}"]))
        tag.add(APIC(encoding=3, mime="image/jpeg", type=3, desc="", data=covers[album]))
        tag.save(path)
PY
measure "100 files, 1 MB covers, 10 albums" "$work/shared"
measure "100 files, 1 MB covers, each own" "$work/own"
