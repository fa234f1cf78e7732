#!/usr/bin/env python3
"""Runs Quillmoor's benchmarks, each against its yardstick, and prints ratios.

Every measurement runs in a process of its own, so no benchmark inherits the
heap, caches or peak memory of another. Each figure's two sides alternate
(A B, then B A, ...) so that a busy machine slows both alike; a figure's ratio
is the median of the ratios of its rounds.

    bench/run.py --build build/rel [--rounds 5] [--reverse] [FIGURE ...]

With no FIGURE, every figure but the ROM image ones (256 MiB written and
fsynced per process) and the table ones (a 180 MiB image and a million-row
filter per process) runs; `all` runs those too. --reverse runs the figures
in the opposite order and starts every pair with the yardstick, to show that
the order does not change the ratios.
"""
import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

GNU_TIME = "/usr/bin/time"


class Measure:
    """One side of a figure: a command and how to read its result."""

    def __init__(self, label, argv, kind, bench_name=None):
        self.label = label
        self.argv = argv
        self.kind = kind  # "gbench" or "oneshot"
        self.bench_name = bench_name

    def shell(self):
        return " ".join(self.argv)


# Inside each process the benchmark repeats and its median repetition is
# taken, so that a burst of load from elsewhere spoils one repetition, not
# the round.
REPETITIONS = 5


def gbench(build, program, name):
    argv = [os.path.join(build, "bench", program), f"--benchmark_filter=^{name}(/|$)",
            f"--benchmark_repetitions={REPETITIONS}", "--benchmark_report_aggregates_only=true",
            "--benchmark_format=json"]
    return Measure(name, argv, "gbench", bench_name=name)


def run_gbench(measure, env):
    proc = subprocess.run(measure.argv, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          timeout=600, check=False)
    if proc.returncode != 0:
        raise RuntimeError(f"{measure.shell()} exited with {proc.returncode}:\n"
                           f"{proc.stderr.decode(errors='replace')[-2000:]}")
    report = json.loads(proc.stdout)
    # One repetition reports its run alone, with no aggregates.
    wanted = "median" if REPETITIONS > 1 else None
    runs = [b for b in report["benchmarks"]
            if b["run_name"].split("/")[0] == measure.bench_name and b.get("aggregate_name") == wanted]
    if len(runs) != 1:
        raise RuntimeError(f"{measure.shell()} gave {len(runs)} medians for {measure.bench_name}")
    run = runs[0]
    if run.get("error_occurred"):
        raise RuntimeError(f"{measure.bench_name}: {run.get('error_message')}")
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run["time_unit"]]
    out = {"real_ms": run["real_time"] * scale, "cpu_ms": run["cpu_time"] * scale}
    for counter in ("rss_growth_MiB", "peak_rss_MiB", "stall_ms"):
        if counter in run:
            out[counter] = run[counter]
    return out


def run_oneshot(measure, env):
    start = time.perf_counter_ns()
    proc = subprocess.Popen(measure.argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(proc.pid, 0)
    real_ms = (time.perf_counter_ns() - start) / 1e6
    code = os.waitstatus_to_exitcode(status)
    err = proc.stderr.read().decode(errors="replace")
    proc.stderr.close()
    proc.returncode = code  # already reaped by wait4; keeps Popen from waiting again
    if code != 0:
        raise RuntimeError(f"{measure.shell()} exited with {code}: {err}")
    out = {"real_ms": real_ms, "cpu_ms": (usage.ru_utime + usage.ru_stime) * 1e3}
    peak = peak_rss_mib(measure.argv, env)
    if peak is not None:
        out["peak_rss_MiB"] = peak
    return out


def peak_rss_mib(argv, env):
    """A one-shot command's own peak resident size, from a separate run.

    A child of this script starts as a copy of it, and the kernel counts that
    copy's size in the child's peak; GNU time's child starts as a copy of the
    small `time`, and time reports that grandchild's own peak.
    """
    if not os.access(GNU_TIME, os.X_OK):
        return None
    with tempfile.NamedTemporaryFile("r") as out:
        subprocess.run([GNU_TIME, "-f", "%M", "-o", out.name, *argv], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True)
        return int(out.read().split()[-1]) / 1024.0


def run_measure(measure, env):
    return run_gbench(measure, env) if measure.kind == "gbench" else run_oneshot(measure, env)


class Figure:
    """baseline_metrics, when given, pairs each product metric with another of the baseline's."""

    def __init__(self, name, meaning, product, baseline, metrics=("real_ms", "cpu_ms"), baseline_metrics=None):
        self.name = name
        self.meaning = meaning
        self.product = product
        self.baseline = baseline
        self.metrics = metrics
        self.baseline_metrics = baseline_metrics or metrics


def figures(build, files):
    qlm = os.path.join(build, "cli", "qlm")
    names = [os.path.join(files, n) for n in ("module.qlm", "names.txt", "chars.tbl", "kinds.txt")]
    form = lambda n: gbench(build, "bench_form", n)
    load = lambda n: gbench(build, "bench_module_load", n)
    rom = lambda n: gbench(build, "bench_rom_image", n)
    document = lambda n: gbench(build, "bench_rom_document", n)
    copy = lambda n: gbench(build, "bench_entry_copy", n)
    journal = lambda n: gbench(build, "bench_recovery_journal", n)
    csv = lambda n: gbench(build, "bench_table_csv", n)
    table = lambda n: os.path.join(files, n)
    # Each run starts from the same bytes, so every run changes every entry.
    fresh_copy = 'cp "$1" "$1.work" && '
    return [
        Figure("fill", "entry selector filled with 100,000 labels, vs a bare combo box",
               form("BM_FormEntrySelectorFill"), form("BM_BareComboFill")),
        Figure("build", "200-row form built, painted and destroyed, vs bare widgets",
               form("BM_FormBuildAndDestroy"), form("BM_BareFormBuildAndDestroy")),
        Figure("switch", "entry switch until repainted, vs bare widgets set and repainted",
               form("BM_FormSwitchEntry"), form("BM_BareFormSwitchEntry")),
        Figure("table-open", "table window of 1,000,000 x 64 opened until painted, vs a bare QTableView "
               "over a fixed-string model", form("BM_TableOpen"), form("BM_BareTableOpen")),
        Figure("table-scroll", "table window scrolled one page until repainted, vs the bare view",
               form("BM_TableScrollPage"), form("BM_BareTableScrollPage")),
        Figure("table-compare-scroll", "table window compared with an original (1% of entries differ) "
               "scrolled one page, vs the same scroll with nothing compared",
               form("BM_TableScrollPageCompared"), form("BM_TableScrollPage")),
        # The filter's workers run beside the benchmark's thread, whose cpu_ms
        # leaves them out: wall time is the figure.
        Figure("table-filter", "filter over every cell of 1,000,000 x 64 until painted, vs a bare loop "
               "formatting and searching every cell (wall time)", form("BM_TableFilterAll"),
               form("BM_BareFilterLoop"), metrics=("real_ms",)),
        Figure("table-filter-stall", "longest gap between the window's event-loop turns while that filter "
               "runs, vs the bare loop's whole time (what a filter on the loop's thread stalls)",
               form("BM_TableFilterStall"), form("BM_BareFilterLoop"), metrics=("stall_ms",),
               baseline_metrics=("real_ms",)),
        Figure("table-filter-first", "keystroke to a painted page of matches (the first rows match, most do "
               "not), vs the bare view scrolled one page", form("BM_TableFilterFirstPage"),
               form("BM_BareTableScrollPage"), metrics=("real_ms",)),
        Figure("table-sort", "1,000,000 rows sorted by a number column until painted, vs std::stable_sort of "
               "row indices by precomputed keys", form("BM_TableSortNumber"), form("BM_BareSortKeys")),
        Figure("table-memory", "resident growth of the opened, filtered, sorted and scrolled table over "
               "image and module, vs the bare view's", form("BM_TableMemory"), form("BM_BareTableMemory"),
               metrics=("rss_growth_MiB",)),
        Figure("load", "warm load of a million-name module, vs getline over the same files",
               load("BM_LoadMillionNameModule"), load("BM_GetlineSplitSameFiles")),
        Figure("load-keep", "warm load, vs getline keeping every line (time and peak growth)",
               load("BM_LoadMillionNameModule"), load("BM_GetlineSplitKeepLines"),
               metrics=("real_ms", "cpu_ms", "rss_growth_MiB")),
        Figure("check", "one-shot `qlm check` in a fresh process, vs one-shot `cat` of the files",
               Measure("qlm check", [qlm, "check", names[0]], "oneshot"),
               Measure("cat", ["cat", *names], "oneshot"), metrics=("real_ms", "cpu_ms", "peak_rss_MiB")),
        Figure("check-wc", "one-shot `qlm check`, vs one-shot `wc -l` of the files",
               Measure("qlm check", [qlm, "check", names[0]], "oneshot"),
               Measure("wc -l", ["wc", "-l", *names], "oneshot"), metrics=("real_ms", "cpu_ms", "peak_rss_MiB")),
        Figure("dump", "one-shot `qlm dump` of a million-entry table (32 MiB), vs one-shot `xxd -p` of the ROM",
               Measure("qlm dump", [qlm, "dump", table("dump.qlm"), table("dump.rom")], "oneshot"),
               Measure("xxd -p", ["xxd", "-p", table("dump.rom")], "oneshot")),
        Figure("dump-kinds", "one-shot `qlm dump` of a million-entry table of nine elements of every kind "
               "(32 MiB), vs one-shot `xxd -p` of the ROM: CPU per ROM byte",
               Measure("qlm dump", [qlm, "dump", table("kinds.qlm"), table("kinds.rom")], "oneshot"),
               Measure("xxd -p", ["xxd", "-p", table("kinds.rom")], "oneshot")),
        Figure("diff", "one-shot `qlm diff` of a million-entry table (32 MiB) against a copy with 1% of its "
               "entries changed, vs one-shot `qlm dump` of one of them",
               Measure("qlm diff", ["sh", "-c", f'"{qlm}" diff "$0" "$1" "$2" >/dev/null; test $? -le 1',
                                    table("dump.qlm"), table("dump.rom"), table("diff.rom")], "oneshot"),
               Measure("qlm dump", [qlm, "dump", table("dump.qlm"), table("dump.rom")], "oneshot")),
        Figure("import", "one-shot `qlm import` of a 100,000-row dump (every cell checked), vs `qlm dump` of it",
               Measure("qlm import", [qlm, "import", table("import.qlm"), table("import.rom"), table("import.csv")],
                       "oneshot"),
               Measure("qlm dump", [qlm, "dump", table("import.qlm"), table("import.rom")], "oneshot")),
        Figure("import-cli-changed", "one-shot `qlm import` of 100,000 rows that change every entry "
               "(on a fresh copy of the ROM), vs `qlm dump` of the same table (on a fresh copy too)",
               Measure("cp + qlm import", ["sh", "-c", fresh_copy + f'"{qlm}" import "$0" "$1.work" "$2"',
                                           table("import.qlm"), table("import.rom"), table("changed.csv")],
                       "oneshot"),
               Measure("cp + qlm dump", ["sh", "-c", fresh_copy + f'"{qlm}" dump "$0" "$1.work" >/dev/null',
                                         table("import.qlm"), table("import.rom")], "oneshot")),
        Figure("import-changed", "100,000 rows, every cell changed, read strictly and applied as one step, "
               "vs the export of the same table",
               csv("BM_ImportChangedTable100k"), csv("BM_ExportTable100k")),
        Figure("copy", "select and store one 64-element entry, vs memcpy of its spans",
               copy("BM_SelectAndStoreEntry64Elements"), copy("BM_CopyEntryBytes64Elements")),
        Figure("journal", "Apply Changes of one entry with the recovery journal, vs bare write(2) + "
               "fdatasync(2) of the same record's bytes",
               journal("BM_ApplyWithJournal"), journal("BM_BareRecordWriteSync"), metrics=("real_ms",)),
        Figure("rom-read", "Open Rom's read of a 256 MiB image, vs bare read(2)",
               rom("BM_OpenRomRead"), rom("BM_BareRead"), metrics=("real_ms", "rss_growth_MiB")),
        Figure("rom-save", "Save Rom's write and fsync, vs bare write(2) and fsync",
               rom("BM_SaveRomWrite"), rom("BM_BareWriteFsync"), metrics=("real_ms", "rss_growth_MiB")),
        Figure("rom-save-ranges", "a save of 524,288 scattered 4-byte ranges of a 256 MiB image through its "
               "rollback file (old bytes recorded and synced first), vs the same ranges written in place and synced",
               document("BM_SaveManyRangesWithRollback"), document("BM_SaveManyRangesInPlace"),
               metrics=("real_ms",)),
    ]


def main():
    global REPETITIONS
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--build", default="build/rel", help="Release build folder")
    ap.add_argument("--rounds", type=int, default=5)
    ap.add_argument("--reverse", action="store_true", help="figures in reverse, yardstick first")
    ap.add_argument("--repetitions", type=int, default=5,
                    help="repetitions inside each process, whose median counts")
    ap.add_argument("figure", nargs="*", help="figure names, or `all`")
    args = ap.parse_args()
    REPETITIONS = args.repetitions

    env = dict(os.environ)
    env.setdefault("QT_QPA_PLATFORM", "offscreen")
    env.setdefault("XDG_RUNTIME_DIR", tempfile.gettempdir())
    env.setdefault("XDG_CONFIG_HOME", "/tmp/quillmoor-bench-config")

    with tempfile.TemporaryDirectory(prefix="quill-bench-run-") as files:
        subprocess.run([os.path.join(args.build, "bench", "bench_module_load"), f"--write-files={files}"],
                       check=True)
        subprocess.run([os.path.join(args.build, "bench", "bench_table_csv"), f"--write-files={files}"],
                       check=True)
        every = figures(args.build, files)
        known = {f.name for f in every}
        wanted = args.figure or [f.name for f in every if not f.name.startswith(("rom", "table"))]
        if "all" in wanted:
            wanted = [f.name for f in every]
        unknown = set(wanted) - known
        if unknown:
            ap.error(f"unknown figures {sorted(unknown)}; known: {sorted(known)}")
        chosen = [f for f in every if f.name in wanted]
        if args.reverse:
            chosen.reverse()

        print(f"rounds {args.rounds}, order {'reverse' if args.reverse else 'forward'}, "
              f"platform {env['QT_QPA_PLATFORM']}, load {os.getloadavg()[0]:.1f}", flush=True)
        for figure in chosen:
            report(figure, measure_figure(figure, args.rounds, args.reverse, env))
    return 0


def measure_figure(figure, rounds, reverse, env):
    # One unrecorded pair first: it brings the files into the page cache for both.
    run_measure(figure.product, env)
    run_measure(figure.baseline, env)
    results = {"product": [], "baseline": []}
    for r in range(rounds):
        sides = [("product", figure.product), ("baseline", figure.baseline)]
        if (r % 2 == 1) != reverse:
            sides.reverse()
        for side, measure in sides:
            results[side].append(run_measure(measure, env))
    return results


def report(figure, results):
    print(f"\n{figure.name}: {figure.meaning}")
    print(f"  product:  {figure.product.shell()}")
    print(f"  baseline: {figure.baseline.shell()}")
    for metric, base_metric in zip(figure.metrics, figure.baseline_metrics):
        prod = [r[metric] for r in results["product"]]
        base = [r[base_metric] for r in results["baseline"]]
        ratios = [p / b for p, b in zip(prod, base) if b > 0]
        ratio = f"{statistics.median(ratios):7.2f}" if ratios else "    n/a"
        spread = f"[{min(ratios):.2f}..{max(ratios):.2f}]" if ratios else ""
        label = metric if metric == base_metric else f"{metric}/{base_metric}"
        print(f"  {label:15s} product {statistics.median(prod):9.4g}  baseline {statistics.median(base):9.4g}"
              f"  ratio {ratio} {spread}")
    sys.stdout.flush()


if __name__ == "__main__":
    sys.exit(main())
