#!/usr/bin/env python3
"""The patch figures: `qlm patch create` and `qlm patch apply` on a 64 MiB ROM
with 1% of its bytes changed in scattered runs, each against its yardstick
measured in the same run (see run.py for how the sides alternate).

    bench/patch.py --build build/rel [--rounds 5] [--format bps|ips] [--before OTHER_BUILD]

--before measures another build's qlm (an earlier commit's) on the same files
against the same yardsticks in the same run, for a before-and-after.

`patch-create` is set against `cat ORIGINAL MODIFIED > /dev/null`, the least
a patch maker can do (read both files); `patch-apply` against `cp` of the ROM.
IPS cannot reach past 16 MiB, so --format ips measures a 16 MiB ROM.
"""
import argparse
import os
import random
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import run  # noqa: E402  (the figures' machinery, shared with run.py)

MIB = 1024 * 1024


def write_roms(folder, size, seed=23):
    """A ROM of table-like bytes and a copy with 1% of them changed in runs of 1 to 32."""
    rng = random.Random(seed)
    original = bytearray(os.urandom(size))
    # Tables hold many zero and repeated bytes; a ROM of pure noise would flatter nothing.
    for at in range(0, size, 4096):
        original[at:at + 512] = bytes(512)
    modified = bytearray(original)
    changed = 0
    while changed < size // 100:
        length = rng.randint(1, 32)
        at = rng.randrange(0, size - length)
        modified[at:at + length] = bytes((b ^ 0x5A) or 1 for b in modified[at:at + length])
        changed += length
    paths = [os.path.join(folder, n) for n in ("original.rom", "modified.rom")]
    for path, data in zip(paths, (original, modified)):
        with open(path, "wb") as f:
            f.write(data)
    return paths


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--build", default="build/rel", help="Release build folder")
    ap.add_argument("--rounds", type=int, default=5)
    ap.add_argument("--format", choices=("bps", "ips"), default="bps")
    ap.add_argument("--before", help="another Release build folder, measured the same way")
    args = ap.parse_args()
    qlm = os.path.join(args.build, "cli", "qlm")
    env = dict(os.environ)
    size = (64 if args.format == "bps" else 16) * MIB

    with tempfile.TemporaryDirectory(prefix="quill-bench-patch-", dir=os.environ.get("QUILL_BENCH_DIR")) as files:
        original, modified = write_roms(files, size)
        patch = os.path.join(files, "hack." + args.format)
        out = os.path.join(files, "out.rom")
        copy = os.path.join(files, "copy.rom")
        create = run.Measure("qlm patch create", [qlm, "patch", "create", original, modified, patch], "oneshot")
        run.run_measure(create, env)
        figures = [
            run.Figure("patch-create", f"`qlm patch create` ({args.format}) of a {size // MIB} MiB ROM with 1% "
                       "changed, vs `cat` of both ROMs", create,
                       run.Measure("cat", ["cat", original, modified], "oneshot"),
                       metrics=("real_ms", "cpu_ms", "peak_rss_MiB")),
            run.Figure("patch-apply", f"`qlm patch apply` of that patch, vs `cp` of the ROM",
                       run.Measure("qlm patch apply", [qlm, "patch", "apply", patch, original, out], "oneshot"),
                       run.Measure("cp", ["cp", original, copy], "oneshot"),
                       metrics=("real_ms", "cpu_ms", "peak_rss_MiB")),
        ]
        if args.before:
            earlier = os.path.join(args.before, "cli", "qlm")
            figures += [
                run.Figure("patch-create-before", f"{args.before}'s `qlm patch create`, vs `cat` of both ROMs",
                           run.Measure("earlier qlm patch create",
                                       [earlier, "patch", "create", original, modified,
                                        os.path.join(files, "before." + args.format)], "oneshot"),
                           run.Measure("cat", ["cat", original, modified], "oneshot"), metrics=("cpu_ms",)),
                run.Figure("patch-apply-before", f"{args.before}'s `qlm patch apply`, vs `cp` of the ROM",
                           run.Measure("earlier qlm patch apply", [earlier, "patch", "apply", patch, original, out],
                                       "oneshot"),
                           run.Measure("cp", ["cp", original, copy], "oneshot"), metrics=("cpu_ms",)),
            ]
        if args.format == "bps":
            # What zlib's CRC32 of the source alone costs against each yardstick:
            # the floor under both BPS figures.
            crc = run.Measure("crc32_of", [os.path.join(args.build, "bench", "crc32_of"), original], "oneshot")
            figures += [
                run.Figure("crc-vs-cat", "zlib's CRC32 of the original ROM alone, vs `cat` of both ROMs", crc,
                           run.Measure("cat", ["cat", original, modified], "oneshot"), metrics=("cpu_ms",)),
                run.Figure("crc-vs-cp", "zlib's CRC32 of the original ROM alone, vs `cp` of the ROM", crc,
                           run.Measure("cp", ["cp", original, copy], "oneshot"), metrics=("cpu_ms",)),
            ]
        print(f"rounds {args.rounds}, load {os.getloadavg()[0]:.1f}, patch {os.path.getsize(patch)} bytes",
              flush=True)
        for figure in figures:
            run.report(figure, run.measure_figure(figure, args.rounds, False, env))
    return 0


if __name__ == "__main__":
    sys.exit(main())
