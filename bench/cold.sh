#!/usr/bin/env bash
# Cold cache, the first search of the day: drops the page, dentry and inode caches before every
# run (needs root) and times quillbrook-find on one thread and on N (the cores it may use, or
# QB_THREADS) against fd on one thread and on its default, side by side in one hyperfine run.
# Usage: bench/cold.sh [ITEMS] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
items=${1:-1000000}
runs=${2:-3}
tree=${QB_BENCH_TREE:-/tmp/qb-compare-$items}
source bench/prepare-tree.sh
n=${QB_THREADS:-$(nproc)}
literal=zebra
hyperfine -N --runs "$runs" --prepare 'sh -c "sync; echo 3 > /proc/sys/vm/drop_caches"' \
  -n qb-1 "$qb --threads 1 --quiet --hidden $literal $tree" \
  -n "qb-$n" "$qb --threads $n --quiet --hidden $literal $tree" \
  -n fd-j1 "fdfind -j1 -HI -uu -i --regex $literal $tree" \
  -n fd "fdfind -HI -uu -i --regex $literal $tree"
