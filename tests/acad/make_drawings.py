#!/usr/bin/python3
"""Writes the test drawings into a folder: one drawing per DXF version with nested and
anonymous blocks, paper-space references, attributes, extended data, hatches, dimensions,
MTEXT, layers and a Hebrew block name. Run with /usr/bin/python3 (Debian's python3-ezdxf)."""
import os
import sys

import ezdxf

VERSIONS = ["R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018"]
HEBREW = "\u05d3\u05dc\u05ea"  # dalet lamed tav


def build(version, encoding=None):
    doc = ezdxf.new(version)
    if encoding:
        doc.encoding = encoding
    doc.layers.new("WALLS", dxfattribs={"color": 1})
    doc.layers.new("FROZEN", dxfattribs={"color": 3}).freeze()
    doc.styles.new("NARROW", dxfattribs={"font": "romans.shx", "width": 0.8})
    doc.appids.new("KESTREL")

    door = doc.blocks.new("DOOR", base_point=(0.5, 0))
    door.add_line((0, 0), (1, 0))
    door.add_line((1, 0), (1, 2))
    door.add_attdef("NUMBER", (0, 1), dxfattribs={"prompt": "Door number", "height": 0.25})
    window = doc.blocks.new("Window")
    window.add_line((0, 0), (2, 0))
    window.add_circle((1, 0), 0.5)
    room = doc.blocks.new("ROOM")  # nested: a room holds a door and a window
    room.add_blockref("DOOR", (1, 0))
    room.add_blockref("Window", (3, 0), dxfattribs={"xscale": 2, "rotation": 90})
    room.add_line((0, 0), (5, 0))
    hebrew = doc.blocks.new(HEBREW)
    hebrew.add_line((0, 0), (0, 1))

    msp = doc.modelspace()
    for i in range(3):
        ref = msp.add_blockref("DOOR", (10 * i, 0), dxfattribs={"layer": "WALLS"})
        ref.add_attrib("NUMBER", "D%d" % (i + 1), (10 * i, 1))
    msp.add_blockref("door", (0, 20))  # block names ignore letter case
    msp.add_blockref("ROOM", (0, 40), dxfattribs={"rotation": 30, "xscale": 1.5, "yscale": 1.5})
    msp.add_blockref("Window", (50, 0))
    msp.add_blockref(HEBREW, (60, 0))
    line = msp.add_line((0, -5), (100, -5), dxfattribs={"layer": "FROZEN"})
    line.set_xdata("KESTREL", [(1000, "third party"), (1040, 3.5), (1070, 7)])
    msp.add_text("Kestrel " + HEBREW, dxfattribs={"height": 2, "style": "NARROW"}).set_pos(
        (0, -10))
    msp.add_circle((80, 80), 5)
    dim = msp.add_linear_dim(base=(0, -20), p1=(0, -15), p2=(30, -15))
    dim.render()  # an anonymous block *D...
    anon = doc.blocks.new_anonymous_block()
    anon.add_line((0, 0), (1, 1))
    msp.add_blockref(anon.name, (90, 90))
    if version != "R12":
        msp.add_mtext("Multi\\Pline text", dxfattribs={"char_height": 1.5}).set_location(
            (0, -30))
        hatch = msp.add_hatch(color=2)
        hatch.paths.add_polyline_path([(0, 0), (10, 0), (10, 10), (0, 10)], is_closed=True)
        line.new_extension_dict()
        msp.add_lwpolyline([(0, 0), (5, 5), (10, 0)])
    else:
        msp.add_polyline2d([(0, 0), (5, 5), (10, 0)])
    paper = doc.layout()
    paper.add_blockref("DOOR", (5, 5)).add_attrib("NUMBER", "P1", (5, 6))
    paper.add_blockref("Window", (15, 5))
    if version != "R12":
        second = doc.layouts.new("Second")
        second.add_blockref("Window", (1, 1))
    return doc


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for version in VERSIONS:
        # ezdxf cannot read back an R12 block name written as \U+ escapes: R12 gets the
        # Hebrew code page, R2000 both (escapes in the default code page, and code page 1255).
        build(version, "cp1255" if version == "R12" else None).saveas(
            os.path.join(out, "sample_%s.dxf" % version))
    build("R2000", "cp1255").saveas(os.path.join(out, "sample_R2000_cp1255.dxf"))
    build("R12", "cp1255").saveas(os.path.join(out, "sample_R12_binary.dxf"), fmt="bin")
    build("R2018").saveas(os.path.join(out, "sample_R2018_binary.dxf"), fmt="bin")


if __name__ == "__main__":
    main()
