#!/bin/bash
# Times the junk cleanup against `find DIR -type f -delete` on identical trees.
#
# The tree is a temporary folder of 100,000 files of 0 to 64 KiB in about 24,000 nested folders, built
# with a fixed seed. The files are sparse (made with truncate): this machine's disk discards freed blocks
# synchronously, so deleting files that hold real data runs at a few hundred files a second whatever the
# program does, and the benchmark would measure the disk instead of the cleanup.
#
# Each round copies the tree twice, lets the cleanup delete one copy and find the other, alternating which
# goes first, with the disk's pending writes flushed before each; the medians of both wall-clock times,
# their ratio and the median of the rounds' own ratios (steadier on a busy machine) are printed.
# Target: ratio <= 1.2.
#
#   bench/cleanup.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../build}"
rounds="${2:-5}"
driver="$build/bench/tidewell-bench-cleanup"
[ -x "$driver" ] || { echo "build $driver first (ninja -C $build tidewell-bench-cleanup)" >&2; exit 2; }

work="$(mktemp -d "${TMPDIR:-/tmp}/tidewell-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
temp_rel="drives/C/Users/Bench/AppData/Local/Temp"

echo "building the tree (seed 20240611)..."
python3 - "$work/template" <<'PY'
import os, random, sys
root = sys.argv[1]
rng = random.Random(20240611)
folders = [""]
for i in range(24000):
    parent = folders[rng.randrange(len(folders))] if rng.random() < 0.7 else folders[-1]
    folders.append(os.path.join(parent, "d%05d" % i))
for folder in folders:
    os.makedirs(os.path.join(root, folder), exist_ok=True)
for i in range(100000):
    path = os.path.join(root, folders[rng.randrange(len(folders))], "f%06d.tmp" % i)
    with open(path, "wb") as handle:
        handle.truncate(rng.randrange(65537))
PY

make_machine() {
    local machine="$1"
    mkdir -p "$machine/$(dirname "$temp_rel")"
    cp -a --sparse=always "$work/template" "$machine/$temp_rel"
    cat > "$machine/machine.json" <<'JSON'
{
  "system": { "systemDirectory": "C:\\Windows\\system32", "version": { "major": 10, "minor": 0, "build": 19045 } },
  "environment": { "USERNAME": "Bench" },
  "disks": { "C:": { "totalGB": 500, "freeGB": 300 } }
}
JSON
}

now_ns() { date +%s%N; }

time_cleanup() {
    local start end
    sync
    start=$(now_ns)
    "$1" "$2" > "$work/cleanup.out" 2> /dev/null
    end=$(now_ns)
    echo $(( (end - start) / 1000000 ))
}

time_find() {
    local start end
    sync
    start=$(now_ns)
    find "$1" -type f -delete
    end=$(now_ns)
    echo $(( (end - start) / 1000000 ))
}

cleanup_times=()
find_times=()
ratios=()
for ((round = 1; round <= rounds; round++)); do
    rm -rf "$work/a" "$work/b"
    make_machine "$work/a"
    make_machine "$work/b"
    sync
    if (( round % 2 )); then
        c=$(time_cleanup "$driver" "$work/a")
        f=$(time_find "$work/b/$temp_rel")
    else
        f=$(time_find "$work/b/$temp_rel")
        c=$(time_cleanup "$driver" "$work/a")
    fi
    left=$(find "$work/a/$temp_rel" -type f | wc -l)
    r=$(awk -v c="$c" -v f="$f" 'BEGIN { printf "%.2f", c / f }')
    echo "round $round: cleanup ${c} ms ($(cat "$work/cleanup.out"), ${left} files left), find ${f} ms, ratio $r"
    cleanup_times+=("$c")
    find_times+=("$f")
    ratios+=("$r")
done

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
mc=$(median "${cleanup_times[@]}")
mf=$(median "${find_times[@]}")
echo "median cleanup: ${mc} ms"
echo "median find:    ${mf} ms"
awk -v c="$mc" -v f="$mf" 'BEGIN { printf "ratio of medians: %.2f (target <= 1.20)\n", c / f }'
echo "median of round ratios: $(median "${ratios[@]}")"
