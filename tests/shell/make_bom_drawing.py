#!/usr/bin/python3
"""Writes the drawing the bill-of-materials tests count:  make_bom_drawing.py OUT.dxf [VERSION]
        [--blocks NAME ...]

Model space holds, first met in this order, Plate x3, NUT x9, Bolt x10, Anchor x2 and Washer x1
(20 lines of walls between them). --blocks adds empty block definitions of those names (say
QVN0003, to see which number the next table gets). VERSION defaults to R2010."""
import sys

import ezdxf

args = sys.argv[1:]
extra = []
if "--blocks" in args:
    at = args.index("--blocks")
    extra = args[at + 1:]
    args = args[:at]
out = args[0]
version = args[1] if len(args) > 1 else "R2010"

doc = ezdxf.new(version)
for name in ("Plate", "NUT", "Bolt", "Anchor", "Washer"):
    doc.blocks.new(name).add_line((0, 0), (1, 0))
for name in extra:
    doc.blocks.new(name).add_line((0, 0), (0, 1))
msp = doc.modelspace()
for i in range(20):
    msp.add_line((0, i), (30, i))
order = ["Plate", "NUT", "Bolt", "Anchor", "Washer"] + ["Plate"] * 2 + ["NUT"] * 8 + \
        ["Bolt"] * 9 + ["Anchor"]
for i, name in enumerate(order):
    msp.add_blockref(name, (i % 10 * 2, i // 10 * 2))
doc.saveas(out)
