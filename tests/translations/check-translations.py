#!/usr/bin/env python3
"""Fails when a translation file is behind the sources or a translation is unfinished.

Each .ts file is copied and brought up to date by lupdate, as the update_translations target
would; the copy must then hold exactly the messages of the committed file, each finished,
with the same placeholders as its source text.

    check-translations.py LUPDATE SOURCES_LIST FILE.ts [--plural-only FILE.ts] ...
"""

import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

PLACEHOLDER = re.compile(r"%L?(?:\d+|n)")


def messages(path):
    """Message key -> (source, translation forms, finished)."""
    out = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for m in context.iter("message"):
            source = m.findtext("source") or ""
            comment = m.findtext("comment") or ""
            t = m.find("translation")
            forms = [f.text or "" for f in t.iter("numerusform")] if m.get("numerus") == "yes" \
                else [t.text or ""]
            kind = t.get("type")
            finished = kind not in ("unfinished", "vanished", "obsolete") and all(forms)
            out[(name, source, comment)] = (source, forms, finished, m.get("numerus") == "yes")
    return out


def check(lupdate, sources, ts, plural_only):
    problems = []
    with tempfile.TemporaryDirectory() as tmp:
        copy = Path(tmp) / ts.name
        shutil.copyfile(ts, copy)
        command = [lupdate, "-silent", "-locations", "none", "-no-obsolete"]
        if plural_only:
            command.append("-pluralonly")
        subprocess.run(command + ["@" + str(sources), "-ts", str(copy)], check=True)
        committed, current = messages(ts), messages(copy)
    where = ts.name
    for key in sorted(current.keys() - committed.keys()):
        problems.append(f"{where}: missing (run update_translations): {key[1]!r} in {key[0]}")
    for key in sorted(committed.keys() - current.keys()):
        problems.append(f"{where}: no longer in the sources: {key[1]!r} in {key[0]}")
    for key, (source, forms, finished, numerus) in sorted(current.items()):
        if not finished:
            problems.append(f"{where}: unfinished: {source!r} in {key[0]}")
            continue
        wanted = set(PLACEHOLDER.findall(source))
        for form in forms:
            have = set(PLACEHOLDER.findall(form))
            # A singular form may say "one" instead of the number.
            if have != wanted and not (numerus and have == wanted - {"%n", "%Ln"}):
                problems.append(f"{where}: placeholders {sorted(have)} instead of "
                                f"{sorted(wanted)}: {form!r}")
    return problems


def main(argv):
    lupdate, sources, rest = argv[1], Path(argv[2]), argv[3:]
    problems = []
    plural_only = False
    for arg in rest:
        if arg == "--plural-only":
            plural_only = True
            continue
        problems += check(lupdate, sources, Path(arg), plural_only)
        plural_only = False
    for p in problems:
        print(p)
    print(f"{len(problems)} problems in {len([a for a in rest if a.endswith('.ts')])} files")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
