#!/usr/bin/env bash
# Times quillbrook-find on one thread and on N (the cores it may use, or QB_THREADS) against
# its floors and fd, side by side in one hyperfine run, on a reproducible tree (warm cache,
# hidden items included, no ignore files), then the time until the first line of an early hit
# appears, on a terminal and on a pipe. With --busy, one busy loop keeps a core occupied
# meanwhile. Usage: bench/speed.sh [--busy] [ITEMS] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
busy=0
if [[ ${1:-} == --busy ]]; then
  busy=1
  shift
fi
items=${1:-200000}
runs=${2:-10}
tree=${QB_BENCH_TREE:-/tmp/qb-compare-$items}
out=$(mktemp -d)
hog=
cleanup() {
  if [[ -n $hog ]]; then kill "$hog"; fi
  rm -rf "$out"
}
trap cleanup EXIT

source bench/prepare-tree.sh
n=${QB_THREADS:-$(nproc)}
literal=zebra      # a literal name pattern with few hits
many=o             # reaches the 20,000-hit limit
early=$($qb --threads 1 --quiet --hidden --no-recursive . "$tree" | head -n 1 || true)
early="^\\Q$(basename "$early")\\E\$" # the walk's first item

if ((busy)); then
  bash -c 'while :; do :; done' &
  hog=$!
fi
echo "load before: $(uptime)"

hyperfine -N --warmup 2 --runs "$runs" --export-json "$out/r.json" \
  -n walk-floor "$floor --no-match x $tree" \
  -n icu-floor "$floor $literal $tree" \
  -n name-1 "$qb --threads 1 --quiet --hidden $literal $tree" \
  -n name-n "$qb --threads $n --quiet --hidden $literal $tree" \
  -n fd-j1 "fdfind -j1 -HI -uu -i --regex $literal $tree" \
  -n fd "fdfind -HI -uu -i --regex $literal $tree" \
  -n path-1 "$qb --threads 1 --quiet --hidden --full-path $literal $tree" \
  -n path-n "$qb --threads $n --quiet --hidden --full-path $literal $tree" \
  -n fd-j1-path "fdfind -j1 -HI -uu -i --full-path --regex $literal $tree" \
  -n floor-20000 "$floor --limit 20000 $many $tree" \
  -n hits-1 "$qb --threads 1 --quiet --hidden $many $tree" \
  -n hits-n "$qb --threads $n --quiet --hidden $many $tree" >/dev/null

python3 - "$out/r.json" "$qb" "$early" "$tree" "$n" <<'PY'
import json, os, pty, statistics, subprocess, sys, time

results = json.load(open(sys.argv[1]))["results"]
r = {x["command"]: x["mean"] for x in results}
for x in results:
    print(f"{x['command']:12} {x['mean'] * 1000:8.1f} ms ± {x['stddev'] * 1000:5.1f}"
          f"   (min {x['min'] * 1000:6.1f})")
print()
goals = [
    ("literal name / bare walk", "name-{}", "walk-floor", 1.15),
    ("full path / fd -j1 full path", "path-{}", "fd-j1-path", 0.9),
    ("20,000 hits / floor stopping there", "hits-{}", "floor-20000", 1.2),
    ("literal name / fd -j1", "name-{}", "fd-j1", 0.55),
]
for label, ours, theirs, goal in goals:
    ratios = "   ".join(f"{t} thread{'s' if t != '1' else ''}: {r[ours.format(t)] / r[theirs]:.2f}"
                        for t in ("1", "n"))
    print(f"{label:36} {ratios}   (goal {goal})")
print(f"{'literal name, n threads / 1 thread':36} {r['name-n'] / r['name-1']:.2f}   (goal 0.6)")

qb, early, tree, n = sys.argv[2:6]

def first_line(terminal, threads):
    cmd = [qb, "--threads", str(threads), "--quiet", "--hidden", early, tree]
    if terminal:
        reader, writer = pty.openpty()
    else:
        reader, writer = os.pipe()
    start = time.perf_counter()
    p = subprocess.Popen(cmd, stdout=writer, stderr=subprocess.DEVNULL)
    os.close(writer)
    data = b""
    while b"\n" not in data:
        chunk = os.read(reader, 4096)
        if not chunk:
            break
        data += chunk
    elapsed = time.perf_counter() - start
    p.kill()
    p.wait()
    os.close(reader)
    return elapsed

print()
for terminal in (True, False):
    for threads in (1, int(n)):
        times = [first_line(terminal, threads) for _ in range(20)]
        print(f"first line on a {'terminal' if terminal else 'pipe':8}, {threads} thread"
              f"{'s' if threads > 1 else ' '}: median {statistics.median(times) * 1000:5.1f} ms, "
              f"max {max(times) * 1000:5.1f} ms (goal 20 ms)")
PY
echo "load after: $(uptime)"
