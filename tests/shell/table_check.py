#!/usr/bin/python3
"""Checks the table block kestrel built, read back with ezdxf, against the geometry the table
is made by, computed here on its own from the texts the report grid showed:

    table_check.py DRAWING BLOCK CELLS.tsv SHOW_PRICE X,Y SCALE

CELLS.tsv holds the five column titles and then the grid's rows, tab-separated, in the grid's
order (the summary row included). Prints "ok" or one line per difference."""
import sys

import ezdxf

path, block_name, cells_path, show_price, corner, scale = sys.argv[1:7]
show_price = show_price == "1"
corner = [float(v) for v in corner.split(",")]
scale = float(scale)
rows = [line.rstrip("\n").split("\t") for line in open(cells_path, encoding="utf-8")]
titles, grid = rows[0], rows[1:]

H = 1.0
UNIT = H * 1.0 * 1.2
widths = [max(len(row[c]) for row in rows) + 1 for c in range(5)]
if not show_price:
    widths[1] = widths[4] = 0


def left(c):
    return sum(widths[:c]) * UNIT


def estimate(length, c):
    return left(c) + UNIT * (widths[c] - 0.9 * length) / 2


expected = []  # (type, fields)


def line(a, b):
    expected.append(("LINE", {"start": a, "end": b}))


def cell(text, tag, c, y, align):
    pos = (estimate(len(text), c), y)
    lo, hi = left(c) + 1.0, left(c + 1) - 1.0
    fields = {"text": text, "tag": tag, "halign": align}
    if align == 0:
        fields["insert"] = (lo, y)
    elif align == 1:
        fields["insert"] = (lo, y)
        fields["align_point"] = ((lo + hi) / 2, y)
    else:
        fields["insert"] = pos
        fields["align_point"] = (hi, y)
    expected.append(("ATTDEF", fields))


W = left(5)
shown = [c for c in range(5) if show_price or c not in (1, 4)]
line((0, 2 * H), (W, 2 * H))
tags = ["BLOCKNAME", "PRICE", "QUANTITY", "DESCRIPTION", "TOTAL"]
y = 0.0
for c in shown:
    cell(titles[c], tags[c], c, y, 1)
y -= H
line((0, y), (W, y))
y -= 2 * H
for n, row in enumerate(grid, start=1):
    if row[0] == "Summary:" and not show_price:
        continue
    for c in shown:
        align = 0 if c == 0 else 2
        if c == 3:
            align = 2 if any(224 <= ord(ch) <= 250 for ch in row[3]) else 0
        cell(row[c], "%s%d" % (tags[c], n), c, y, align)
    y -= H
    line((0, y), (W, y))
    y -= 2 * H
bottom = y + 2 * H
for c in range(6):
    line((left(c), 2 * H), (left(c), bottom))

problems = []


def near(a, b):
    return all(abs(p - q) < 1e-9 for p, q in zip(a, b))


doc = ezdxf.readfile(path)
errors = len(doc.audit().errors)
if errors:
    problems.append("audit errors %d" % errors)
style = doc.styles.get("QVNTABLE")
if style is None or style.dxf.font != "simpheb.shx":
    problems.append("text style QVNTABLE on simpheb.shx missing")
block = doc.blocks.get(block_name)
if block is None:
    sys.exit("no block " + block_name)
if not near(block.block.dxf.base_point, (0, 2 * H, 0)):
    problems.append("base point %s" % (block.block.dxf.base_point,))
entities = list(block)
if len(entities) != len(expected):
    problems.append("%d entities, expected %d" % (len(entities), len(expected)))
for i, (entity, (kind, fields)) in enumerate(zip(entities, expected)):
    where = "entity %d (%s %s)" % (i, kind, fields.get("tag", ""))
    if entity.dxftype() != kind:
        problems.append("%s is %s" % (where, entity.dxftype()))
        continue
    if kind == "LINE":
        if not (near(entity.dxf.start, fields["start"]) and near(entity.dxf.end, fields["end"])):
            problems.append("%s from %s to %s" % (where, entity.dxf.start, entity.dxf.end))
        if entity.dxf.start.z != 0 or entity.dxf.end.z != 0:
            problems.append("%s not at z 0" % where)
        continue
    d = entity.dxf
    checks = [
        ("text", d.text == fields["text"]),
        ("tag", d.tag == fields["tag"]),
        ("prompt", d.prompt == fields["tag"]),
        ("height", d.height == H),
        ("width", d.get("width", 1.0) == 1.0),
        ("style", d.style == "QVNTABLE"),
        ("halign", d.get("halign", 0) == fields["halign"]),
        ("flags", d.get("flags", 0) == 0),
        ("insert", near(d.insert, fields["insert"]) and d.insert.z == 0),
    ]
    if "align_point" in fields:
        checks.append(("align_point", d.hasattr("align_point") and
                       near(d.align_point, fields["align_point"])))
    for name, good in checks:
        if not good:
            problems.append("%s: %s is %r" % (where, name, d.get(name)))

refs = [r for r in doc.modelspace().query("INSERT") if r.dxf.name == block_name]
if len(refs) != 1:
    problems.append("%d references to %s" % (len(refs), block_name))
else:
    r = refs[0].dxf
    if not (near(r.insert, (corner[0], corner[1], 0)) and r.xscale == scale and
            r.yscale == scale and r.rotation == 0):
        problems.append("reference at %s scale %g,%g rotation %g" %
                        (r.insert, r.xscale, r.yscale, r.rotation))
    texts = sorted(a.dxf.text for a in refs[0].attribs)
    if texts != sorted(f["text"] for k, f in expected if k == "ATTDEF"):
        problems.append("the reference's attributes differ from the definitions' defaults")
print("\n".join(problems) if problems else "ok")
