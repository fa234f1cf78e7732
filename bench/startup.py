#!/usr/bin/env python3
"""Times Quillmoor from process start to its window's first paint, against a
minimal Qt dialog program measured in the same run.

Both programs print "first-paint <ns since epoch>" and quit when
QUILL_FIRST_PAINT_STAMP is set. Runs alternate between the two so that a busy
machine slows both alike; the medians and their ratio are reported.

    bench/startup.py --build build/release [--runs 20] [--max-ratio 1.5]

Without a display the programs draw offscreen (QT_QPA_PLATFORM=offscreen).
"""
import argparse
import os
import statistics
import subprocess
import sys
import time


def first_paint_ms(argv, env):
    start = time.time_ns()
    out = subprocess.run(argv, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                         timeout=60, check=False).stdout.decode(errors="replace")
    for line in out.splitlines():
        if line.startswith("first-paint "):
            return (int(line.split()[1]) - start) / 1e6
    raise RuntimeError(f"{argv[0]} printed no first-paint stamp")


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--build", default="build/release", help="build folder holding both programs")
    ap.add_argument("--runs", type=int, default=20)
    ap.add_argument("--max-ratio", type=float, default=1.5,
                    help="exit with 1 when quillmoor's median exceeds this multiple")
    ap.add_argument("quillmoor_args", nargs="*", help="arguments passed to quillmoor")
    args = ap.parse_args()

    quill = [os.path.join(args.build, "app", "quillmoor"), *args.quillmoor_args]
    minimal = [os.path.join(args.build, "bench", "startup_minimal_dialog")]
    env = dict(os.environ, QUILL_FIRST_PAINT_STAMP="1")
    if not env.get("DISPLAY") and not env.get("WAYLAND_DISPLAY"):
        env.setdefault("QT_QPA_PLATFORM", "offscreen")
    # Keep a user's real association store out of the measurement.
    env.setdefault("XDG_CONFIG_HOME", "/tmp/quillmoor-bench-config")

    first_paint_ms(quill, env)  # warm the file cache for both
    first_paint_ms(minimal, env)
    times = {"quillmoor": [], "minimal": []}
    for _ in range(args.runs):
        times["quillmoor"].append(first_paint_ms(quill, env))
        times["minimal"].append(first_paint_ms(minimal, env))

    med = {k: statistics.median(v) for k, v in times.items()}
    ratio = med["quillmoor"] / med["minimal"]
    where = env.get('QT_QPA_PLATFORM') or 'display ' + env.get('DISPLAY', env.get('WAYLAND_DISPLAY', '?'))
    print(f"platform: {where}, runs: {args.runs}")
    for k, v in times.items():
        print(f"{k:10s} median {med[k]:7.1f} ms  min {min(v):7.1f} ms  max {max(v):7.1f} ms")
    print(f"ratio      {ratio:.2f} (target at most {args.max_ratio})")
    return 0 if ratio <= args.max_ratio else 1


if __name__ == "__main__":
    sys.exit(main())
