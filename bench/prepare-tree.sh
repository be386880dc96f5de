# Sourced by the benchmark scripts: installs what is missing, builds the finder and the walk
# floor, makes the reproducible tree of $items items at $tree and warms the cache.
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target quillbrook-find walk_floor >/dev/null
python3 bench/make_tree.py "$tree" "$items"
find "$tree" >/dev/null # warm the cache
qb=build/default/tools/quillbrook-find
floor=build/default/bench/walk_floor
