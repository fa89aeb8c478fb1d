#!/usr/bin/env python3
"""Turns one run of the benchmarks (their JSON files) into docs/performance.md and the CSVs of
the fields curve and the load curve. Goals are judged on CPU time: the machine is shared, so
wall time carries other people's load; both are shown. A step timed by hand inside a longer iteration is judged on its
own (wall) time, as its CPU time covers the whole iteration.

Usage: benchreport.py RESULTS_DIR DOCS_DIR"""

import json
import math
import os
import platform
import sys
from datetime import datetime, timezone

LOAD_SIZES = (5000, 10000, 20000, 50000, 100000)

# Program -> (heading, what it measures, [(benchmark, goal in ms or None, peer or None, the most
# the figure may be as a multiple of its peer)]); a peer in another program is "program:name".
GROUPS = [
    ("packagecycle_bench", "Package cycle",
     "The package loaded, initialized, registered and unloaded through the host, beside a bare "
     "dlopen/dlclose of the same file. Goal: under 2 ms and under twice the bare cycle.",
     [("HostCycle", 2.0, "BareCycle", 2.0), ("BareCycle", None, None, None)]),
    ("dialog_bench", "Dialog creation",
     "Each of the three forms made from its form resource and freed: headless (goal under 1 ms), "
     "and on the Qt widget set made, shown, painted once and freed (goal under 20 ms).",
     [("Headless<TfmKFieldsEditDlg>", 1.0, None, None),
      ("Headless<TfmKHTMLTemplateEditDlg>", 1.0, None, None),
      ("Headless<TAboutF>", 1.0, None, None),
      ("QtFirstPaint<TfmKFieldsEditDlg>", 20.0, None, None),
      ("QtFirstPaint<TfmKHTMLTemplateEditDlg>", 20.0, None, None),
      ("QtFirstPaint<TAboutF>", 20.0, None, None)]),
    ("fieldscurve_bench", "Fields editor on the Qt widget set",
     "The fields verb on a closed dataset of n fields, half of them exported (opened, both sorted "
     "lists filled, shown, cancelled, closed), beside a plain sorted QListWidget, shown, taking "
     "the same n names one by one. Goal: below the plain list's time, and no worse than n log n.",
     [(f"FieldsEditor/{n}", None, f"SortedQListWidget/{n}", 1.0) for n in (1000, 3000, 10000, 30000)]
     + [(f"SortedQListWidget/{n}", None, None, None) for n in (1000, 3000, 10000, 30000)]),
    ("fieldsverb_bench", "Fields verb, headless, 30,000 fields",
     "The fields verb on 30,000 fields of which 15,000 are exported: the whole verb on the closed "
     "dataset (which makes and frees its 30,000 field objects) and on an open one, each button and "
     "the drop timed alone in the open dialog, and closing the dataset. "
     "Goal: each well under 50 ms.",
     [(name, 50.0, None, None) for name in ("BM_OpenAndFill", "BM_OpenAndFillActive", "BM_IncludeAll", "BM_ExcludeAll",
                                             "BM_Include1000", "BM_Drop1000", "BM_CloseDataSet")]),
    ("listbox_bench", "List box of 30,000 entries on the Qt widget set",
     "Filling, sorting, selecting and scrolling a shown list box. Goal: no visible pause, "
     "well under 100 ms each. The sorted fill with no update bracket is beside the plain sorted "
     "QListWidget taking the same 30,000 inserts (above).",
     [(name, 100.0, None, None) for name in ("BM_FillUnsorted", "BM_FillSorted")]
     + [("BM_FillSortedOneByOne", 100.0, "fieldscurve_bench:SortedQListWidget/30000", 1.0)]
     + [(name, 100.0, None, None) for name in ("BM_SortFilled", "BM_SelectAll", "BM_AddOneByOne")]
     + [("BM_ScrollThrough", None, None, None)]),
    ("designeropen_bench", "Designer",
     "Opening a form file of 3,000 components in the designer window beside QUiLoader loading and "
     "showing a .ui of 3,000 widgets (goal under 1 s and no slower than QUiLoader); the "
     "inspector's common rows for 100 selected components (goal under 10 ms); an arrow key "
     "moving those 100 (no pause: under 100 ms).",
     [("BM_DesignerOpensForm", 1000.0, "BM_QUiLoaderOpensUi", 1.0), ("BM_QUiLoaderOpensUi", None, None, None),
      ("BM_InspectorOfHundred", 10.0, None, None), ("BM_ArrowKeyMovesHundred", 100.0, None, None)]),
    ("formload_bench", "Opening a form in the host",
     "A form file of n components (a dataset, and exports of the package's classes in turn, each "
     "using it) opened headless through `TDesignHost::OpenForm`: read, checked, built and given a "
     "designer; closing it again is not timed. Goal: 100,000 components in under 3 s; the curve "
     "shows how the time grows with n.",
     [(f"OpenForm/{n}", 3000.0 if n == 100000 else None, None, None) for n in LOAD_SIZES]),
]

TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}

# The exports run as child processes: each figure is the child's CPU time (the benchmark's manual
# time), its wall time and peak memory are counters. (export, peer, the most it may be as a
# multiple of the peer); every export must stay under EXPORT_MEMORY_MIB.
EXPORT_PROGRAM = "export_bench"
EXPORT_MEMORY_MIB = 64
EXPORT_ROWS = [("Ours/Csv", "Shell/ShellCsv", 1.0), ("Ours/Html", "Shell/ShellHtml", 1.0),
               ("Ours/Sql", "Shell/ShellInsert", 1.0), ("Ours/Excel", "PythonXlsx", 0.5)] + \
              [(f"Ours/{name}", None, None) for name in ("Text", "Dif", "Sylk", "Xml", "Rtf", "Latex", "Dbf")] + \
              [(peer, None, None) for peer in ("Shell/ShellCsv", "Shell/ShellHtml", "Shell/ShellInsert", "PythonXlsx")]


def export_section(runs):
    text = ["\n## Exports of 1,000,000 records\n\n"
            "Each export of a form with one export of each class, on a table of 1,000,000 records of 8 "
            "fields (integers, text with quotes and commas, reals, a date and time, NULLs, a truth value), "
            "run as `drowcast-host export FORM NAME` in a child process, beside the program people would "
            "use instead on the same records: the SQLite shell (`sqlite3 -csv`, `-html`, `.mode insert`) "
            "and python3-xlsxwriter in its constant-memory mode writing the same cells. Figures are the "
            "child's CPU time (user and system). Goals: CSV, HTML and SQL no slower than the shell, XLSX "
            f"at most half python's time, and every export under {EXPORT_MEMORY_MIB} MiB of peak memory.\n\n"
            "| Run | CPU ms | Wall ms | Peak MiB | Peer | vs peer | Verdict |\n"
            "|---|---:|---:|---:|---|---:|---|\n"]
    for name, peer, most in EXPORT_ROWS:
        bench = ran(runs, name)
        if bench is None:
            text.append(f"| `{name}` | - | - | - | | | **did not run** |\n")
            continue
        cpu = ms(bench, "real_time")  # the manual time: the child's CPU
        peer_bench = ran(runs, peer)
        peer_cpu = ms(peer_bench, "real_time") if peer_bench else None
        memory = bench["peak_mib"]
        ours = name.startswith("Ours/")
        checks = ([memory < EXPORT_MEMORY_MIB] if ours else []) + ([cpu <= most * peer_cpu] if peer_cpu else [])
        text.append(f"| `{name}` | {figure(cpu)} | {figure(bench['wall_ms'])} | {memory:.1f} | "
                    f"{'`' + peer + '`' if peer else ''} | {f'{cpu / peer_cpu:.2f}x' if peer_cpu else ''} | "
                    f"{verdict_of(checks)} |\n")
    return "".join(text)


# The export from PostgreSQL beside psql's \copy: the server does part of the work for both in a
# process of its own. The goal is on the run's time both ways: its wall time, which holds the
# server's work as much as the client's, and the CPU time of the child and of the server backend
# that served it (the benchmark's manual time); and on the child's peak memory.
PG_EXPORT_PROGRAM = "pgexport_bench"
PG_EXPORT_ROWS = [("Ours/PgCsv", "Psql/Copy", 1.0), ("Psql/Copy", None, None)]


def pg_export_section(runs):
    text = ["\n## CSV export of 1,000,000 records from PostgreSQL\n\n"
            "A form with a `TPgDataSet` on a table of 1,000,000 records of 8 fields (integers, text with quotes and commas, a real, a timestamp, NULLs, a truth value), on a "
            "PostgreSQL server of the benchmark's own on this machine (a Unix socket), its CSV export run as "
            "`drowcast-host export FORM Csv` in a child process, beside `psql -c \"\\copy (SELECT ...) TO "
            "FILE CSV HEADER\"` on the same columns. The server works for both in a process of its own "
            "(for psql it writes the CSV itself; for the export it streams the values in its binary form). "
            "Each run's time is judged both ways: from start to end (wall), which holds the server's work "
            "as much as the program's, and as the CPU time of both processes, the child's and the server "
            "backend's that served it (each part shown). Mean of three runs. Goals: no more wall time and "
            f"no more CPU time than psql, and under {EXPORT_MEMORY_MIB} MiB of peak memory.\n\n"
            "| Run | Wall ms | CPU ms (both) | Client ms | Server ms | Peak MiB | Peer | Wall vs peer | CPU vs peer | Verdict |\n"
            "|---|---:|---:|---:|---:|---:|---|---:|---:|---|\n"]
    for name, peer, most in PG_EXPORT_ROWS:
        bench = ran(runs, name)
        if bench is None:
            text.append(f"| `{name}` | - | - | - | - | - | | | | **did not run** |\n")
            continue
        wall, cpu = bench["wall_ms"], ms(bench, "real_time")  # the manual time: both processes' CPU
        peer_bench = ran(runs, peer)
        peer_wall = peer_bench["wall_ms"] if peer_bench else None
        peer_cpu = ms(peer_bench, "real_time") if peer_bench else None
        memory = bench["peak_mib"]
        checks = ([memory < EXPORT_MEMORY_MIB] if name.startswith("Ours/") else []) + \
                 ([wall <= most * peer_wall, cpu <= most * peer_cpu] if peer_bench else [])
        text.append(f"| `{name}` | {figure(wall)} | {figure(cpu)} | {figure(bench['client_ms'])} | "
                    f"{figure(bench['server_ms'])} | {memory:.1f} | {'`' + peer + '`' if peer else ''} | "
                    f"{f'{wall / peer_wall:.2f}x' if peer_wall else ''} | "
                    f"{f'{cpu / peer_cpu:.2f}x' if peer_cpu else ''} | {verdict_of(checks)} |\n")
    return "".join(text)


def short_name(name):
    """The name without the run settings Google Benchmark appends ("/iterations:3/manual_time")."""
    return "/".join(part for part in name.split("/") if ":" not in part and not part.endswith("_time"))


def load(folder, program):
    with open(os.path.join(folder, program + ".json")) as f:
        runs = {}
        for b in json.load(f)["benchmarks"]:
            if b.get("run_type", "iteration") == "iteration":
                b["manual"] = "manual_time" in b["name"]
                runs[short_name(b["name"])] = b
        return runs


def ms(bench, key):
    return bench[key] * TO_MS[bench["time_unit"]]


def figure(value):
    return f"{value:.3f}" if value < 1 else f"{value:.2f}" if value < 100 else f"{value:.0f}"


def machine(folder):
    model = "unknown"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    read = lambda name: open(os.path.join(folder, name)).read().strip()
    return (f"- Machine: {model}, {os.cpu_count()} cores, {platform.system()} {platform.release()}\n"
            f"- Load average (1, 5, 15 min): {read('load-before')} before the run, {read('load-after')} after\n"
            f"- Made {datetime.now(timezone.utc).strftime('%Y-%m-%d %H:%M UTC')} by `scripts/bench`, "
            f"optimised build, Qt on the offscreen platform\n")


def ran(runs, name):
    """The benchmark's figures, or None when it did not run or failed."""
    bench = runs.get(name) if name else None
    return bench if bench is not None and not bench.get("error_occurred") else None


def verdict_of(checks):
    return "" if not checks else ("met" if all(checks) else "**missed**")


def verdict(cpu, goal, peer_cpu, most):
    checks = []
    if goal is not None:
        checks.append(cpu < goal)
    if peer_cpu is not None:
        checks.append(cpu < most * peer_cpu)
    return verdict_of(checks)


def fitted_exponent(points):
    """Least-squares slope of log(time) over log(n)."""
    xs = [math.log(n) for n, _ in points]
    ys = [math.log(t) for _, t in points]
    mx, my = sum(xs) / len(xs), sum(ys) / len(ys)
    return sum((x - mx) * (y - my) for x, y in zip(xs, ys)) / sum((x - mx) ** 2 for x in xs)


# Program -> (the series of its curve, the name of its CSV and plot in docs/, what the plot adds).
CURVES = {
    "fieldscurve_bench": (("FieldsEditor", "SortedQListWidget"), "fields-curve",
                          "dashed lines n log n through each series' first point"),
    "formload_bench": (("OpenForm",), "load-curve", "components against milliseconds, the dashed line "
                       "n log n through its first point"),
}


def curve(runs, docs, all_series, csv):
    rows, lines = [], []
    for series in all_series:
        points = []
        for name, bench in runs.items():
            if name.startswith(series + "/"):
                n = int(name.split("/")[1])
                points.append((n, ms(bench, "cpu_time"), ms(bench, "real_time")))
        points.sort()
        rows += [f"{series},{n},{cpu:.4f},{wall:.4f}" for n, cpu, wall in points]
        lo, hi = points[0][0], points[-1][0]
        nlogn = math.log(hi * math.log(hi) / (lo * math.log(lo))) / math.log(hi / lo)
        exponent = fitted_exponent([(n, c) for n, c, _ in points])
        lines.append(f"- {series}: fitted exponent {exponent:.2f} on CPU time, "
                     f"{fitted_exponent([(n, w) for n, _, w in points]):.2f} on wall time "
                     f"(n log n over {lo:,} to {hi:,} is n^{nlogn:.2f}; n^2 would be 2.00): "
                     f"{'no worse than n log n' if exponent <= nlogn else '**worse than n log n**'}")
    with open(os.path.join(docs, csv + ".csv"), "w") as f:
        f.write("series,n,cpu_ms,wall_ms\n" + "\n".join(rows) + "\n")
    return "\n".join(lines) + "\n"


def main(folder, docs):
    text = ["# Performance\n\n",
            "Made by `scripts/bench` in one run: every figure beside its peer and its goal from the same "
            "run. Goals are judged on CPU time, since the machine is shared and loaded; wall time "
            "is shown beside it. A step timed by hand within a longer iteration is judged on its "
            "own wall time, its CPU time covering the whole iteration. Times in milliseconds per iteration.\n\n",
            machine(folder)]
    every = {program: load(folder, program) for program, *_ in GROUPS}
    for program, heading, about, rows in GROUPS:
        runs = every[program]
        text.append(f"\n## {heading}\n\n{about}\n\n"
                    "| Benchmark | CPU ms | Wall ms | Goal ms | Peer | CPU vs peer | Verdict |\n"
                    "|---|---:|---:|---:|---|---:|---|\n")
        for name, goal, peer, most in rows:
            bench = ran(runs, name)
            if bench is None:
                text.append(f"| {name} | - | - | | | | **did not run** |\n")
                continue
            cpu, wall = ms(bench, "cpu_time"), ms(bench, "real_time")
            # A step timed by hand inside a longer iteration: only its wall time is its own.
            judged = wall if bench["manual"] else cpu
            peer_program, _, peer_name = peer.rpartition(":") if peer else ("", "", "")
            peer_runs = every[peer_program] if peer_program else runs
            peer_cpu = ms(peer_runs[peer_name], "cpu_time") if peer_name in peer_runs else None
            ratio = f"{cpu / peer_cpu:.2f}x" if peer_cpu else ""
            text.append(f"| `{name}` | {figure(cpu)}{' (whole iteration)' if bench['manual'] else ''} | "
                        f"{figure(wall)} | {figure(goal) if goal else ''} | {'`' + peer + '`' if peer else ''} | "
                        f"{ratio} | {verdict(judged, goal, peer_cpu, most)} |\n")
        if program in CURVES:
            series, csv, plotted = CURVES[program]
            text.append(f"\nThe curve (docs/{csv}.csv, plotted in docs/{csv}.png, {plotted}):\n\n"
                        + curve(runs, docs, series, csv) + f"\n![{csv.replace('-', ' ')}]({csv}.png)\n")
    if os.path.exists(os.path.join(folder, EXPORT_PROGRAM + ".json")):
        text.append(export_section(load(folder, EXPORT_PROGRAM)))
    if os.path.exists(os.path.join(folder, PG_EXPORT_PROGRAM + ".json")):
        text.append(pg_export_section(load(folder, PG_EXPORT_PROGRAM)))
    notes = os.path.join(docs, "performance-notes.md")
    if os.path.exists(notes):
        text.append("\n" + open(notes).read())
    with open(os.path.join(docs, "performance.md"), "w") as f:
        f.write("".join(text))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
