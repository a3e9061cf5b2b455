#!/usr/bin/python3
"""The bill of materials of a drawing of many block references, the way a user makes it:
`kestrel bom DRAWING --report -` (the ZRBOMC command through its report dialog), without a price
file and with a price file of 50 lines, against ezdxf loading the same file and counting its
references per lower-cased block name, and against `kestrel DRAWING` loading it alone. All in
one run: wall time (best of --runs), peak resident memory, the ratios and the targets.

    bench/report/bom_vs_ezdxf.py [--kestrel build/release/bin/kestrel] [--references 1000000]
                                 [--drawing PATH] [--runs 3]

The drawing (R2000, 50 block names in mixed letter case) is written on first use beside the
other temporary files: ezdxf writes the tables, blocks and one reference, and the reference is
repeated with fresh handles. The counts of kestrel and ezdxf are compared before any time is
printed. Targets on 1,000,000 references: kestrel bom at least 50x faster than ezdxf, at most
3x the time of loading the drawing alone, peak memory at most 2.5x the file's size."""
import argparse
import collections
import io
import os
import shutil
import subprocess
import sys
import tempfile
import time

BLOCKS = 50
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
    for b in range(BLOCKS):
        doc.blocks.new("Part%d" % b).add_line((0, 0), (1, 1))
    msp = doc.modelspace()
    msp.add_blockref("Part0", (0, 0))
    text = io.StringIO()
    doc.write(text)
    dxf = text.getvalue()
    start = dxf.index("  0\nINSERT\n")
    end = dxf.index("  0\n", start + 4)
    insert = dxf[start:end].split("\n")
    handle_at = insert.index("  5") + 1
    name_at = insert.index("  2") + 1
    x_at, y_at = insert.index(" 10") + 1, insert.index(" 20") + 1
    first = int(doc.header["$HANDSEED"], 16) + 16
    with open(path, "w") as out:
        head = dxf[:start]
        seed = "%X" % (first + references + 16)
        head = head.replace("$HANDSEED\n  5\n" + doc.header["$HANDSEED"] + "\n",
                            "$HANDSEED\n  5\n" + seed + "\n")
        out.write(head)
        for i in range(references):
            insert[handle_at] = "%X" % (first + i)
            name = "Part%d" % (i % BLOCKS)
            insert[name_at] = name.upper() if i % 2 else name
            insert[x_at] = "%d.5" % (i % 1000)
            insert[y_at] = "%d.25" % (i // 1000)
            out.write("\n".join(insert))
        out.write(dxf[end:])


def make_price_file(path):
    with open(path, "w", newline="") as out:
        for b in range(BLOCKS):
            out.write("part%d|%d.%02d|part number %d\r\n" % (b, b + 1, b, b))


def run(command, stdin=subprocess.DEVNULL):
    """Wall time, peak resident memory in bytes and standard output of one run."""
    env = dict(os.environ)
    env.pop("DISPLAY", None)  # the windows stay in memory
    start = time.perf_counter()
    proc = subprocess.Popen(command, stdin=stdin, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, env=env)
    out = proc.stdout.read()
    err = proc.stderr.read()
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    if status != 0:
        sys.exit("failed (%d): %s\n%s" % (status, " ".join(command), err.decode(errors="replace")))
    return elapsed, usage.ru_maxrss * 1024, out


def best(command, times):
    runs = [run(command) for _ in range(times)]
    return min(r[0] for r in runs), max(r[1] for r in runs), runs[0][2]


def counts_of_report(report):
    """Block name -> quantity from the report's lines (name, price, quantity, ...)."""
    counts = {}
    for line in report.decode("latin-1").splitlines()[1:]:
        fields = line.split()
        if fields and fields[0] != "Summary:":
            counts[fields[0]] = int(fields[2])
    return counts


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("--kestrel", default=os.path.join(here, "../../build/release/bin/kestrel"))
    parser.add_argument("--references", type=int, default=1000000)
    parser.add_argument("--drawing")
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    kestrel = os.path.abspath(args.kestrel)
    path = args.drawing or os.path.join(tempfile.gettempdir(),
                                        "kestrel_bom_%d.dxf" % args.references)
    if not os.path.exists(path):
        print("writing %s ..." % path, flush=True)
        make_drawing(path, args.references)
    size = os.path.getsize(path)
    subprocess.run(["cat", path], stdout=subprocess.DEVNULL, check=True)  # into the page cache

    work = tempfile.mkdtemp(prefix="kestrel-bom-bench-")
    try:
        # A module of its own, so that the report's settings stay in the scratch folder.
        module = os.path.join(work, "kestrel.arx")
        shutil.copy(os.path.join(os.path.dirname(kestrel), "kestrel.arx"), module)
        prices = os.path.join(work, "parts.prc")
        make_price_file(prices)

        load = best([kestrel, path, "--module", module], args.runs)
        plain = best([kestrel, "bom", path, "--report", "-", "--module", module], args.runs)
        priced = best([kestrel, "bom", path, "--prices", prices, "--report", "-", "--module",
                       module], args.runs)
        ez = best(["/usr/bin/python3", "-c", COUNT_WITH_EZDXF, path], 1)
    finally:
        shutil.rmtree(work, ignore_errors=True)

    expected = {}
    for line in ez[2].decode().splitlines():
        name, count = line.split()
        expected[name] = int(count)
    for label, result in (("without prices", plain), ("with prices", priced)):
        if counts_of_report(result[2]) != expected:
            sys.exit("kestrel bom %s counted otherwise than ezdxf:\n%s" %
                     (label, result[2][:600].decode("latin-1")))

    mib = 1024.0 * 1024.0
    print("drawing: %s, %.1f MiB, %d references, %d block names" %
          (path, size / mib, args.references, len(expected)))
    print("%-32s %9s %10s %8s" % ("", "time s", "peak MiB", "peak/file"))
    rows = [("kestrel DRAWING (load alone)", load),
            ("kestrel bom --report -", plain),
            ("kestrel bom --prices (50) --report -", priced),
            ("ezdxf load and count", ez)]
    for label, (seconds, peak, _) in rows:
        print("%-32s %9.3f %10.1f %7.2fx" % (label[:32], seconds, peak / mib, peak / size))
    for label, (seconds, peak, _) in rows[1:3]:
        print("%s:" % label)
        print("  ezdxf / kestrel bom time:     %7.1fx  (target >= 50x)" % (ez[0] / seconds))
        print("  kestrel bom / load alone:     %7.2fx  (target <= 3x)" % (seconds / load[0]))
        print("  kestrel bom peak / file size: %7.2fx  (target <= 2.5x)" % (peak / size))


if __name__ == "__main__":
    main()
