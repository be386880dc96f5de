#!/usr/bin/env python3
"""Builds a reproducible tree of about N items with realistic names (some non-ASCII, about 5%
hidden) for the benchmarks. Usage: make_tree.py ROOT [ITEMS]"""
import os
import random
import sys

root = sys.argv[1]
target = int(sys.argv[2]) if len(sys.argv) > 2 else 500_000
rng = random.Random(20261207)

words = ("report invoice photo holiday draft final budget notes scan music track video "
         "project backup config readme thesis chapter slides summary letter contract "
         "receipt paper figure data results export archive build module index main test "
         "schedule recipe résumé café naïve straße Ünïcødé 東京 照片 документ").split()
exts = [".pdf", ".txt", ".jpg", ".png", ".md", ".docx", ".xlsx", ".mp3", ".mp4", ".zip",
        ".tar.gz", ".c", ".h", ".py", ".json", ".html", ".css", ".log", "", ".heic"]


def name(kind):
    parts = [rng.choice(words) for _ in range(rng.randint(1, 3))]
    sep = rng.choice([" ", "_", "-", ""])
    n = sep.join(parts)
    if rng.random() < 0.3:
        n += sep + str(rng.randint(1, 2030))
    if rng.random() < 0.002:
        n += " zebra"
    if rng.random() < 0.05:
        n = "." + n
    return n if kind == "dir" else n + rng.choice(exts)


if os.path.exists(os.path.join(root, ".complete")):
    sys.exit(0)
os.makedirs(root, exist_ok=True)
count = 0
queue = [(root, 0)]
while queue and count < target:
    folder, depth = queue.pop(0)
    files = rng.randint(5, 40)
    dirs = rng.randint(1, 6) if depth < 9 else 0
    for _ in range(files):
        p = os.path.join(folder, name("file"))
        if not os.path.exists(p):
            open(p, "wb").close()
            count += 1
    for _ in range(dirs):
        p = os.path.join(folder, name("dir"))
        if not os.path.exists(p):
            os.mkdir(p)
            count += 1
            queue.append((p, depth + 1))
open(os.path.join(root, ".complete"), "w").close()
print(f"{count} items in {root}")
