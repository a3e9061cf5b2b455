#!/usr/bin/python3
"""Writes office-plan.dxf: a small office floor for the bill-of-materials example.

Walls are lines; doors, windows and desks are block references. A desk holds a nested chair
block, so a desk counts as a desk and its chair is not counted unless selected on its own.
Two anonymous blocks (*U) stand for grouped furniture. The Door block carries attribute
definitions. Run with Debian's python3-ezdxf:  /usr/bin/python3 examples/make_office_plan.py
"""
import pathlib
import sys

import ezdxf


def build(path):
    doc = ezdxf.new("R2010", setup=False)
    doc.layers.add("WALLS", color=7)
    doc.layers.add("FURNITURE", color=3)
    doc.layers.add("OPENINGS", color=1)

    door = doc.blocks.new("Door")
    door.add_line((0, 0), (0.9, 0))
    door.add_arc((0, 0), 0.9, 0, 90)
    door.add_attdef("TYPE", (0, -0.3), dxfattribs={"height": 0.15}).dxf.text = "single"
    door.add_attdef("FIRE", (0, -0.6), dxfattribs={"height": 0.15}).dxf.text = "EI30"

    window = doc.blocks.new("Window")
    window.add_lwpolyline([(0, 0), (1.2, 0), (1.2, 0.2), (0, 0.2)], close=True)

    chair = doc.blocks.new("Chair")
    chair.add_circle((0, 0), 0.25)

    desk = doc.blocks.new("Desk")
    desk.add_lwpolyline([(0, 0), (1.6, 0), (1.6, 0.8), (0, 0.8)], close=True)
    desk.add_blockref("Chair", (0.8, -0.3))

    group1 = doc.blocks.new_anonymous_block("U")
    group1.add_circle((0, 0), 0.4)
    group1.add_line((-0.4, 0), (0.4, 0))
    group2 = doc.blocks.new_anonymous_block("U")
    group2.add_lwpolyline([(0, 0), (2, 0), (2, 0.5), (0, 0.5)], close=True)

    msp = doc.modelspace()
    for start, end in [((0, 0), (12, 0)), ((12, 0), (12, 8)), ((12, 8), (0, 8)), ((0, 8), (0, 0)),
                       ((6, 0), (6, 8))]:
        msp.add_line(start, end, dxfattribs={"layer": "WALLS"})
    msp.add_blockref("Door", (2, 0), dxfattribs={"layer": "OPENINGS"}).add_auto_attribs(
        {"TYPE": "single", "FIRE": "EI30"})
    msp.add_blockref("Door", (6, 4), dxfattribs={"layer": "OPENINGS", "rotation": 90}).add_auto_attribs(
        {"TYPE": "double", "FIRE": "EI60"})
    for x in (1, 4, 7.5, 10):
        msp.add_blockref("Window", (x, 8), dxfattribs={"layer": "OPENINGS"})
    for x, y in [(1, 2), (3.5, 2), (1, 5), (8, 2), (8, 5)]:
        msp.add_blockref("Desk", (x, y), dxfattribs={"layer": "FURNITURE"})
    msp.add_blockref("Chair", (10.5, 6.5), dxfattribs={"layer": "FURNITURE"})
    msp.add_blockref(group1.name, (10.5, 2), dxfattribs={"layer": "FURNITURE"})
    msp.add_blockref(group2.name, (3, 7), dxfattribs={"layer": "FURNITURE"})
    doc.saveas(path)


if __name__ == "__main__":
    here = pathlib.Path(__file__).resolve().parent
    build(sys.argv[1] if len(sys.argv) > 1 else here / "office-plan.dxf")
