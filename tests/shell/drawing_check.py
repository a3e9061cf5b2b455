#!/usr/bin/python3
"""Checks a drawing kestrel wrote, with ezdxf as the peer reader.

  drawing_check.py FILE                 audit only
  drawing_check.py FILE insert NAME     also print each reference to NAME with its attributes
Prints "audit errors N" and, per reference, "ref x,y sx,sy rot TAG=VALUE ...".
"""
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
print("audit errors", len(auditor.errors))
if len(sys.argv) > 3 and sys.argv[2] == "insert":
    for ref in doc.modelspace().query("INSERT"):
        if ref.dxf.name != sys.argv[3]:
            continue
        p = ref.dxf.insert
        attribs = " ".join(f"{a.dxf.tag}={a.dxf.text}" for a in ref.attribs)
        print(f"ref {p.x:g},{p.y:g} {ref.dxf.xscale:g},{ref.dxf.yscale:g} "
              f"{ref.dxf.rotation:g} {attribs}")
