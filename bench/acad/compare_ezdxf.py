#!/usr/bin/python3
"""Loads a drawing of many block references and counts them per lower-cased block name, once
with the database (acad_count_blocks) and once with ezdxf, and compares both with `wc -l` on the
same cached file: wall time and peak memory.

    bench/acad/compare_ezdxf.py --tool build/release/bench/acad/acad_count_blocks \\
        [--references 1000000] [--drawing /tmp/kestrel_1m.dxf]

The drawing is made with ezdxf when it does not exist yet (a few minutes for a million)."""
import argparse
import os
import subprocess
import sys
import time

COUNT_WITH_EZDXF = r"""
import collections, sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
counts = collections.Counter(e.dxf.name.lower() for e in doc.modelspace().query("INSERT"))
for name in sorted(counts):
    print(name, counts[name])
"""


def make_drawing(path, references):
    import ezdxf
    doc = ezdxf.new("R2000")
    names = []
    for b in range(50):
        name = "Part%d" % b
        doc.blocks.new(name).add_line((0, 0), (1, 1))
        names.append(name)
    msp = doc.modelspace()
    for i in range(references):
        name = names[i % len(names)]
        if i % 2:
            name = name.upper()  # block names ignore letter case
        msp.add_blockref(name, (i % 1000, i // 1000))
    doc.saveas(path)


def run(command):
    """Wall time, peak resident memory in bytes and standard output of one run."""
    start = time.perf_counter()
    proc = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    out = proc.stdout.read()
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    if status != 0:
        sys.exit("failed: %s" % " ".join(command))
    return elapsed, usage.ru_maxrss * 1024, out.decode()


def best(command, times):
    runs = [run(command) for _ in range(times)]
    return min(r[0] for r in runs), max(r[1] for r in runs), runs[0][2]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tool", required=True)
    parser.add_argument("--references", type=int, default=1000000)
    parser.add_argument("--drawing")
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    path = args.drawing or "/tmp/kestrel_%d.dxf" % args.references
    if not os.path.exists(path):
        print("making %s with ezdxf ..." % path, flush=True)
        make_drawing(path, args.references)
    size = os.path.getsize(path)
    subprocess.run(["cat", path], stdout=subprocess.DEVNULL, check=True)  # into the page cache

    wc_time, wc_peak, _ = best(["wc", "-l", path], args.runs)
    our_time, our_peak, our_out = best([args.tool, path], args.runs)
    ez_time, ez_peak, ez_out = best(["/usr/bin/python3", "-c", COUNT_WITH_EZDXF, path], 1)
    if our_out != ez_out:
        sys.exit("the counts differ:\n--- ours\n%s--- ezdxf\n%s" % (our_out[:500], ez_out[:500]))

    mib = 1024.0 * 1024.0
    print("drawing: %s, %.1f MiB, %d references, %d block names" %
          (path, size / mib, args.references, len(our_out.splitlines())))
    print("%-10s %10s %12s" % ("", "time s", "peak MiB"))
    print("%-10s %10.3f %12.1f" % ("wc -l", wc_time, wc_peak / mib))
    print("%-10s %10.3f %12.1f" % ("database", our_time, our_peak / mib))
    print("%-10s %10.3f %12.1f" % ("ezdxf", ez_time, ez_peak / mib))
    print("ezdxf / database time:   %6.1fx  (target >= 50x)" % (ez_time / our_time))
    print("database / wc -l time:   %6.1fx  (target <= 10x)" % (our_time / wc_time))
    print("database peak / file:    %6.2fx  (target <= 2.5x)" % (our_peak / size))
    print("ezdxf / database peak:   %6.1fx" % (ez_peak / our_peak))


if __name__ == "__main__":
    main()
