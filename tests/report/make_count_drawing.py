#!/usr/bin/python3
"""Writes the drawing the counting tests select from:  make_count_drawing.py OUT.dxf

Model space holds, in this order: a line, DOOR, Window, DOOR, Desk (a block with a nested
Chair), an anonymous block, Lamp, Window, DOOR and six Bolts.
"""
import sys

import ezdxf

doc = ezdxf.new("R2010", setup=False)
for name in ("DOOR", "Window", "Chair", "Lamp", "Bolt"):
    doc.blocks.new(name).add_line((0, 0), (1, 0))
desk = doc.blocks.new("Desk")
desk.add_line((0, 0), (1.6, 0))
desk.add_blockref("Chair", (0.8, -0.3))
group = doc.blocks.new_anonymous_block("U")
group.add_circle((0, 0), 0.4)

msp = doc.modelspace()
msp.add_line((0, 0), (10, 0))
for i, name in enumerate(["DOOR", "Window", "DOOR", "Desk", group.name, "Lamp", "Window",
                          "DOOR"] + ["Bolt"] * 6):
    msp.add_blockref(name, (i, 1))
doc.saveas(sys.argv[1])
print(group.name)
