#!/bin/sh
# System calls per file of `kivuna-cli sync` over a generated corpus: a first run (tags to merge and
# write) and a second run (nothing left to write), each counted by strace and less the calls of a
# run over an empty folder (start-up and exit). The calls that make the saves durable (fsync,
# fdatasync, link, rename) are listed apart. Needs strace and python3.
#
#   bench/syscalls.sh [build/bin/kivuna-cli] [files]
set -eu

here=$(cd "$(dirname "$0")" && pwd)
cli=${1:-"$here/../build/bin/kivuna-cli"}
count=${2:-1000}
corpus_tool=${KIVUNA_CORPUS_TOOL:-"$here/../../shared/tools/make_mp3_corpus.py"}

command -v strace >/dev/null || { echo "strace is needed (Debian package strace)" >&2; exit 2; }
[ -x "$cli" ] || { echo "no kivuna-cli at $cli" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data"
mkdir "$work/empty"
python3 "$corpus_tool" "$work/corpus" --count "$count" --seed 1 >/dev/null

count_calls() { # folder, output
    strace -f -c -U calls,errors,name -o "$2" "$cli" sync "$1" >/dev/null 2>&1 || true
}
count_calls "$work/empty" "$work/empty.txt"
count_calls "$work/corpus" "$work/first.txt"
count_calls "$work/corpus" "$work/second.txt"

python3 - "$count" "$work/empty.txt" "$work/first.txt" "$work/second.txt" <<'PY'
import sys

DURABLE = {"fsync", "fdatasync", "link", "linkat", "rename", "renameat", "renameat2"}

def calls(path):
    table = {}
    for line in open(path):
        parts = line.split()
        if len(parts) >= 2 and parts[0].isdigit() and parts[-1] != "total":
            name = parts[-1]
            errors = int(parts[1]) if len(parts) == 3 and parts[1].isdigit() else 0
            table[name] = (int(parts[0]), errors)
    return table

files = int(sys.argv[1])
empty = calls(sys.argv[2])
for title, path in (("first run", sys.argv[3]), ("second run", sys.argv[4])):
    run = calls(path)
    per = {}
    for name, (n, errors) in run.items():
        base, base_errors = empty.get(name, (0, 0))
        per[name] = (max(0, n - base) / files, max(0, errors - base_errors) / files)
    rows = sorted(((v, k) for k, v in per.items() if v[0] >= 0.005), reverse=True)
    plain = sum(v[0] for v, k in rows if k not in DURABLE)
    durable = sum(v[0] for v, k in rows if k in DURABLE)
    print(f"{title}: {plain:.1f} calls per file, plus {durable:.2f} for durability")
    for (n, errors), name in rows:
        mark = "  (durability)" if name in DURABLE else ""
        failed = f"  ({errors:.2f} failed)" if errors >= 0.005 else ""
        print(f"  {name:<16} {n:7.2f}{failed}{mark}")
PY
