#!/usr/bin/env bash
# Times quillbrook-find against fd (one thread and the default), GNU find and the walk floor
# on a reproducible tree of about 500,000 items, warm cache, hidden items included and no
# ignore files. Usage: bench/compare.sh [ITEMS] [PATTERN]
set -euo pipefail
cd "$(dirname "$0")/.."
items=${1:-500000}
pattern=${2:-zebra}
tree=${QB_BENCH_TREE:-/tmp/qb-compare-$items}
out=$(mktemp -d)

source bench/prepare-tree.sh
echo "items visited: $(find "$tree" -mindepth 1 | wc -l)"
echo "hits: quillbrook-find $($qb --quiet --hidden "$pattern" "$tree" | wc -l)," \
     "fdfind $(fdfind -HI -uu -i --regex "$pattern" "$tree" | wc -l)"

hyperfine -N --warmup 2 --runs 10 --export-json "$out/r.json" \
  -n walk-floor "$floor --no-match x $tree" \
  -n icu-floor "$floor $pattern $tree" \
  -n quillbrook-find "$qb --quiet --hidden $pattern $tree" \
  -n fdfind-j1 "fdfind -j1 -HI -uu -i --regex $pattern $tree" \
  -n fdfind "fdfind -HI -uu -i --regex $pattern $tree" \
  -n gnu-find "find $tree -iregex .*${pattern}[^/]*" >/dev/null

python3 - "$out/r.json" <<'PY'
import json, sys
r = {x["command"]: x for x in json.load(open(sys.argv[1]))["results"]}
qb = r["quillbrook-find"]["mean"]
for name, x in r.items():
    print(f"{name:16} {x['mean']*1000:8.1f} ms ± {x['stddev']*1000:5.1f}   quillbrook-find / this = {qb / x['mean']:.2f}")
PY
rm -rf "$out"
