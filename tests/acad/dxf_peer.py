#!/usr/bin/python3
"""What ezdxf (the peer reader) sees in a drawing, for the DXF tests.
  dxf_peer.py summary FILE   -> handles, entity types per layout and block names, as JSON
  dxf_peer.py view FILE      -> block names and entity counts per layout, one per line
  dxf_peer.py entities FILE  -> handle, type and layer of each model-space entity in order
  dxf_peer.py audit FILE     -> exit 1 and the errors when ezdxf's audit finds any
  dxf_peer.py block FILE NAME -> the block's entities and the references to it, as JSON"""
import json
import re
import sys

import ezdxf


def summary(doc):
    layouts = {}
    for layout in doc.layouts:
        counts = {}
        for e in layout:
            counts[e.dxftype()] = counts.get(e.dxftype(), 0) + 1
        layouts[layout.name] = counts
    handles = sorted(e.dxf.handle for e in doc.entitydb.values() if e.dxf.hasattr("handle"))
    return {
        "version": doc.dxfversion,
        "handles": handles,
        "layouts": layouts,
        "blocks": [b.name for b in doc.blocks],
    }


def decode_dxf_unicode(text):
    """Texts before R2007 carry what their code page lacks as \\U+XXXX escapes."""
    return re.sub(r"\\U\+([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), text)


def layout_key(name):
    name = decode_dxf_unicode(name).upper()
    return "*" + name[1:] if name.startswith("$") else name


def view(doc):
    """The same words as the database tests print for what they read."""
    lines = []
    for b in doc.blocks:
        lines.append("block " + layout_key(b.name))
    for layout in doc.layouts:
        counts = {}
        for e in layout:
            counts[e.dxftype()] = counts.get(e.dxftype(), 0) + 1
        for t, n in counts.items():
            lines.append("layout %s %s %d" % (layout_key(layout.block_record_name), t, n))
    return "".join(sorted(line + "\n" for line in lines))


def point(p):
    return [round(p[0], 9), round(p[1], 9), round(p[2], 9)]


def block(doc, name):
    blk = doc.blocks.get(name)
    entities = []
    for e in blk:
        item = {"type": e.dxftype(), "layer": e.dxf.layer}
        if e.dxftype() == "LINE":
            item["start"] = point(e.dxf.start)
            item["end"] = point(e.dxf.end)
        elif e.dxftype() in ("ATTDEF", "TEXT"):
            item.update(text=decode_dxf_unicode(e.dxf.text), insert=point(e.dxf.insert), height=e.dxf.height,
                        style=e.dxf.style, halign=e.dxf.get("halign", 0))
            if e.dxftype() == "ATTDEF":
                item.update(tag=e.dxf.tag, prompt=e.dxf.prompt, flags=e.dxf.get("flags", 0))
            if e.dxf.hasattr("align_point"):
                item["align"] = point(e.dxf.align_point)
        entities.append(item)
    refs = []
    for ref in doc.modelspace().query("INSERT"):
        if ref.dxf.name.upper() != name.upper():
            continue
        refs.append({
            "layer": ref.dxf.layer,
            "insert": point(ref.dxf.insert),
            "scale": [ref.dxf.xscale, ref.dxf.yscale, ref.dxf.zscale],
            "rotation": ref.dxf.rotation,
            "attribs": {a.dxf.tag: decode_dxf_unicode(a.dxf.text) for a in ref.attribs},
        })
    style = None
    if doc.styles.has_entry("QVNTABLE"):
        style = doc.styles.get("QVNTABLE").dxf.font
    return {"base": point(blk.block.dxf.base_point), "entities": entities, "refs": refs,
            "qvntable_font": style}


def main():
    command, path = sys.argv[1], sys.argv[2]
    doc = ezdxf.readfile(path)
    if command == "summary":
        print(json.dumps(summary(doc), sort_keys=True))
    elif command == "audit":
        auditor = doc.audit()
        if auditor.has_errors:
            for error in auditor.errors:
                print(error.message)
            sys.exit(1)
        print("ok")
    elif command == "entities":
        for e in doc.modelspace():
            print(e.dxf.handle, e.dxftype(), decode_dxf_unicode(e.dxf.layer))
    elif command == "view":
        sys.stdout.write(view(doc))
    elif command == "block":
        print(json.dumps(block(doc, sys.argv[3]), sort_keys=True, ensure_ascii=False))


if __name__ == "__main__":
    main()
