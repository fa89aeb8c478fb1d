#!/usr/bin/env python3
"""Checks the project's includes against its layers.

  include_graph.py ROOT loops FOLDER   no include loop among FOLDER's units
  include_graph.py ROOT layers         no include against the layers of the architecture

A unit is a header and its source. A source with no header of its own (a second source of a
unit) belongs to the unit of the first project header it includes from its folder.
Prints every loop or wrong arrow it finds, with the file that makes it, and fails on any.
"""
import re
import sys
from pathlib import Path

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)


def includes(path):
    """(quoted, target) for every include line of a file."""
    return [(kind == '"', target) for kind, target in INCLUDE.findall(path.read_text())]


def units(root, folder):
    """{unit: [files]} for the headers and sources directly in `folder`."""
    files = sorted((root / folder).glob("*.h")) + sorted((root / folder).glob("*.cpp"))
    headers = {f.stem for f in files if f.suffix == ".h"}
    result = {}
    for f in files:
        unit = f.stem
        if unit not in headers:
            own = [Path(t).stem for quoted, t in includes(f)
                   if quoted and str(Path(t).parent) == folder and Path(t).stem in headers]
            unit = own[0] if own else unit
        result.setdefault(unit, []).append(f)
    return result


def arrows(root, folder):
    """{unit: {other unit: file that includes it}} within `folder`."""
    members = units(root, folder)
    graph = {unit: {} for unit in members}
    for unit, files in members.items():
        for f in files:
            for quoted, target in includes(f):
                other = Path(target).stem
                if quoted and str(Path(target).parent) == folder and other in graph and other != unit:
                    graph[unit].setdefault(other, f.relative_to(root))
    return graph


def find_loops(graph):
    """One loop, as a list of units, per group of units that reach each other."""
    loops, done = [], set()
    for start in sorted(graph):
        if start in done:
            continue
        path, seen = [start], {start: None}
        # Breadth-first from start; a path back to start is the shortest loop through it.
        frontier = [start]
        while frontier and start not in done:
            following = []
            for unit in frontier:
                for other in sorted(graph[unit]):
                    if other == start:
                        loop = [unit]
                        while seen[loop[-1]] is not None:
                            loop.append(seen[loop[-1]])
                        loop.reverse()
                        loops.append(loop)
                        done.update(loop)
                        break
                    if other not in seen:
                        seen[other] = unit
                        following.append(other)
                if start in done:
                    break
            frontier = following
        done.add(start)
    return loops


def check_loops(root, folder):
    graph = arrows(root, folder)
    loops = find_loops(graph)
    for loop in loops:
        steps = [f"{a} -> {b} ({graph[a][b]})" for a, b in zip(loop, loop[1:] + loop[:1])]
        print(f"include loop in {folder}: " + ", ".join(steps))
    return not loops


def is_qt(quoted, target):
    return (not quoted and re.match(r"Q[A-Za-z]", target)) or (quoted and target.startswith("vcl50/qt/"))


# Each area (a folder, less its sub-areas) and what it must not include.
LAYERS = [
    ("package", "the package", lambda q, t: is_qt(q, t) or (q and t.startswith("host/"))),
    ("editors", "the package", lambda q, t: is_qt(q, t) or (q and t.startswith("host/"))),
    ("dialogs", "the package", lambda q, t: is_qt(q, t) or (q and t.startswith("host/"))),
    ("vcl50", "vcl50", lambda q, t: is_qt(q, t) or (q and not t.startswith("vcl50/"))),
    ("vcldb50", "vcldb50", lambda q, t: is_qt(q, t) or (q and not t.startswith(("vcl50/", "vcldb50/")))),
    ("rowcastb5", "rowcastb5",
     lambda q, t: is_qt(q, t) or (q and not t.startswith(("vcl50/", "vcldb50/", "rowcastb5/")))),
    ("host", "the host core", is_qt),
]
SUB_AREAS = {"vcl50": ["vcl50/qt"], "host": ["host/designer"]}


def check_layers(root):
    ok = True
    for folder, name, forbidden in LAYERS:
        skip = [root / sub for sub in SUB_AREAS.get(folder, [])]
        for f in sorted((root / folder).rglob("*")):
            if f.suffix not in (".h", ".cpp") or any(s in f.parents for s in skip):
                continue
            for quoted, target in includes(f):
                if forbidden(quoted, target):
                    print(f"layer broken: {f.relative_to(root)} ({name}) includes {target}")
                    ok = False
    return ok


def main(argv):
    root = Path(argv[1])
    ok = check_loops(root, argv[3]) if argv[2] == "loops" else check_layers(root)
    print("ok" if ok else "failed")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
