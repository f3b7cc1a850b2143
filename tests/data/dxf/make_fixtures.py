#!/usr/bin/env python3
"""Writes the ezdxf fixtures of the DXF import tests and prints, for each,
the figures ezdxf computes: total length per line type (layers "4", "INK",
"ANNOTATION" and "7" are line type 3, every other layer line type 2) and the
extents of the curves, in millimetres. Run from this folder:

    python3 make_fixtures.py > figures.txt

The figures go into README.md by hand. Needs python3-ezdxf (Debian)."""
import math

import ezdxf
from ezdxf.math import Vec3

INK_LAYERS = {"4", "INK", "ANNOTATION", "7"}


def line_type(layer):
    return 3 if layer in INK_LAYERS else 2


def curves(entity):
    """Every line, arc, circle, ellipse and spline the entity stands for,
    inserts and polylines taken apart by ezdxf."""
    kind = entity.dxftype()
    if kind in ("LINE", "ARC", "CIRCLE", "ELLIPSE", "SPLINE"):
        yield entity
    elif kind == "INSERT" and entity.mcount > 1:
        for single in entity.multi_insert():  # an array of copies
            yield from curves(single)
    elif kind in ("LWPOLYLINE", "POLYLINE", "INSERT"):
        for part in entity.virtual_entities():
            yield from curves(part)


def length_and_points(e):
    kind = e.dxftype()
    if kind == "LINE":
        s, t = Vec3(e.dxf.start), Vec3(e.dxf.end)
        return (t - s).magnitude, [s, t]
    if kind in ("ARC", "CIRCLE"):
        tool = e.construction_tool() if kind == "ARC" else None
        r = e.dxf.radius
        if kind == "CIRCLE":
            sweep = 360.0
        else:
            sweep = (e.dxf.end_angle - e.dxf.start_angle) % 360.0
            if sweep == 0.0:
                sweep = 360.0
        points = list(e.flattening(0.00001))
        return r * math.radians(sweep), points
    if kind == "ELLIPSE":
        points = list(e.flattening(0.000001))
    else:  # SPLINE
        points = list(e.flattening(0.000001))
    length = sum((points[i + 1] - points[i]).magnitude for i in range(len(points) - 1))
    return length, points


def figures(path):
    doc = ezdxf.readfile(path)
    scale = {0: 1.0, 1: 25.4, 4: 1.0}[doc.header.get("$INSUNITS", 0)]
    totals = {}
    low = [math.inf, math.inf]
    high = [-math.inf, -math.inf]
    for entity in doc.modelspace():
        for c in curves(entity):
            length, points = length_and_points(c)
            lt = line_type(c.dxf.layer)
            totals[lt] = totals.get(lt, 0.0) + length * scale
            for p in points:
                low = [min(low[0], p.x * scale), min(low[1], p.y * scale)]
                high = [max(high[0], p.x * scale), max(high[1], p.y * scale)]
    print(path)
    for lt in sorted(totals):
        print(f"  line type {lt}: {totals[lt]:.4f} mm")
    print(f"  extents: ({low[0]:.4f}, {low[1]:.4f}) - ({high[0]:.4f}, {high[1]:.4f})")


def model_space():
    """Model space with every kind of entity, two blocks, nested, mirrored
    and arrayed inserts, an arc with its extrusion pointing down, and a
    hatch the import skips. Every point lies on whole micrometres."""
    doc = ezdxf.new("R2010", units=4)
    box = doc.blocks.new("BOX", base_point=(5, 5))
    box.add_line((0, 0), (20, 0), dxfattribs={"layer": "CUT"})
    box.add_line((20, 0), (20, 10), dxfattribs={"layer": "CUT"})
    box.add_arc((10, 10), 10, 0, 180, dxfattribs={"layer": "INK"})
    lid = doc.blocks.new("LID", base_point=(0, 0))
    lid.add_circle((0, 0), 3, dxfattribs={"layer": "CUT"})
    lid.add_blockref("BOX", (100, 0), dxfattribs={"rotation": 90, "xscale": 2, "yscale": 2})

    msp = doc.modelspace()
    msp.add_line((0, 0), (100, 0), dxfattribs={"layer": "CUT"})
    msp.add_arc((50, 50), 20, 0, 90, dxfattribs={"layer": "CUT"})
    msp.add_circle((200, 50), 12.5, dxfattribs={"layer": "INK"})
    # A closed outline with a quarter arc (bulge tan 22.5°) and a half circle (bulge 1).
    msp.add_lwpolyline([(0, 100, 0), (40, 100, math.tan(math.radians(22.5))), (50, 110, 0), (50, 130, 1),
                        (50, 150, 0), (0, 150, 0)], format="xyb", close=True, dxfattribs={"layer": "CUT"})
    msp.add_text("Lid 12", dxfattribs={"layer": "INK", "height": 5, "insert": (10, 160)})
    msp.add_mtext("{\\fArial|b1;Box}\\Pfold %%d here", dxfattribs={"layer": "INK", "char_height": 4,
                                                               "insert": (10, 180)})
    msp.add_blockref("BOX", (300, 0), dxfattribs={"xscale": 0.5, "yscale": 0.5})
    msp.add_blockref("BOX", (300, 100), dxfattribs={"xscale": -1})  # mirrored
    msp.add_blockref("LID", (400, 0), dxfattribs={"rotation": 180})  # nested
    arr = msp.add_blockref("BOX", (500, 0))
    arr.dxf.column_count = 2
    arr.dxf.row_count = 3
    arr.dxf.column_spacing = 40
    arr.dxf.row_spacing = 30
    arc = msp.add_arc((60, 0), 10, 0, 90, dxfattribs={"layer": "CUT"})
    arc.dxf.extrusion = (0, 0, -1)  # drawn at (−60, 0), from (−70, 0) to (−60, 10) clockwise
    hatch = msp.add_hatch(color=1)
    hatch.paths.add_polyline_path([(0, 0), (10, 0), (10, 10)], is_closed=True)
    msp.add_hatch(color=2).paths.add_polyline_path([(0, 0), (5, 0), (5, 5)], is_closed=True)
    doc.saveas("model_space.dxf")
    figures("model_space.dxf")


def ellipse_spline():
    """Ellipses whole and partial, with the extrusion down too, and splines
    by control points and by fit points."""
    doc = ezdxf.new("R2010", units=4)
    msp = doc.modelspace()
    msp.add_ellipse((0, 0), major_axis=(40, 0), ratio=0.5, dxfattribs={"layer": "E1"})
    msp.add_ellipse((100, 0), major_axis=(0, 40), ratio=0.5, start_param=0, end_param=math.pi / 2,
                    dxfattribs={"layer": "E2"})
    down = msp.add_ellipse((200, 0), major_axis=(40, 0), ratio=0.5, start_param=0, end_param=math.pi / 2,
                           dxfattribs={"layer": "E3"})
    down.dxf.extrusion = (0, 0, -1)
    msp.add_open_spline([(0, 100), (20, 140), (60, 140), (80, 100), (120, 120)], degree=3,
                        dxfattribs={"layer": "S1"})
    doc.saveas("ellipse_spline.dxf")
    figures("ellipse_spline.dxf")
    for e in msp:
        length, points = length_and_points(e)
        print(f"  {e.dxf.layer}: length {length:.4f}, from ({points[0].x:.6f}, {points[0].y:.6f})"
              f" to ({points[-1].x:.6f}, {points[-1].y:.6f})")


def inch():
    """An inch drawing: $INSUNITS 1."""
    doc = ezdxf.new("R2010", units=1)
    msp = doc.modelspace()
    msp.add_line((0, 0), (4, 0), dxfattribs={"layer": "CUT"})
    msp.add_lwpolyline([(0, 1), (2, 1), (2, 2)], dxfattribs={"layer": "CUT"})
    msp.add_circle((5, 5), 0.5, dxfattribs={"layer": "INK"})
    doc.saveas("inch.dxf")
    figures("inch.dxf")


def r12():
    """An R12 file: POLYLINE with VERTEX records and bulges, no LWPOLYLINE,
    no $INSUNITS."""
    doc = ezdxf.new("R12")
    msp = doc.modelspace()
    msp.add_polyline2d([(0, 0), (30, 0), (30, 20)], format="xy", close=True, dxfattribs={"layer": "CUT"})
    p = msp.add_polyline2d([(100, 0), (120, 0)], format="xy", dxfattribs={"layer": "7"})
    p.vertices[0].dxf.bulge = 1.0  # a half circle from (100, 0) to (120, 0)
    msp.add_line((0, 50), (50, 50), dxfattribs={"layer": "CUT"})
    doc.saveas("r12.dxf")
    figures("r12.dxf")


def binary():
    doc = ezdxf.new("R2010", units=4)
    doc.modelspace().add_line((0, 0), (10, 0))
    doc.saveas("binary.dxf", fmt="bin")


def only_skipped():
    """Model space that holds only entities the import skips."""
    doc = ezdxf.new("R2010", units=4)
    msp = doc.modelspace()
    for i in range(3):
        msp.add_hatch().paths.add_polyline_path([(0, 0), (10, 0), (10, 10 + i)], is_closed=True)
    msp.add_point((5, 5))  # kept, but drawn as a cross: take it out again
    msp.delete_entity(msp.query("POINT")[0])
    msp.add_solid([(0, 0), (1, 0), (1, 1)])
    doc.saveas("only_skipped.dxf")


if __name__ == "__main__":
    model_space()
    ellipse_spline()
    inch()
    r12()
    binary()
    only_skipped()
