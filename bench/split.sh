#!/usr/bin/env bash
# How a warm search's time divides, on 1 core and on 2 (taskset): reading (the bare walk),
# matching (one thread minus the bare walk) and handing subtrees over and splicing them back
# (two threads minus one, on one core, where they cannot overlap), so that the scaling to
# more cores can be judged from the shape. Usage: bench/split.sh [ITEMS] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
items=${1:-200000}
runs=${2:-10}
tree=${QB_BENCH_TREE:-/tmp/qb-compare-$items}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
source bench/prepare-tree.sh
for cores in 0 0-1; do
  hyperfine -N --warmup 2 --runs "$runs" --export-json "$out/$cores.json" \
    -n read "taskset -c $cores $floor --no-match x $tree" \
    -n qb-1 "taskset -c $cores $qb --threads 1 --quiet --hidden zebra $tree" \
    -n qb-2 "taskset -c $cores $qb --threads 2 --quiet --hidden zebra $tree" >/dev/null
done
python3 - "$out" <<'PY'
import json, sys
for cores in ("0", "0-1"):
    r = {x["command"]: x for x in json.load(open(f"{sys.argv[1]}/{cores}.json"))["results"]}
    m = {k: v["mean"] * 1000 for k, v in r.items()}
    s = {k: v["stddev"] * 1000 for k, v in r.items()}
    print(f"cores {cores}: read {m['read']:.0f} ± {s['read']:.0f} ms, one thread {m['qb-1']:.0f} ± "
          f"{s['qb-1']:.0f} (matching {m['qb-1'] - m['read']:.0f}), two threads {m['qb-2']:.0f} ± "
          f"{s['qb-2']:.0f} (two minus one: {m['qb-2'] - m['qb-1']:+.0f})")
PY
