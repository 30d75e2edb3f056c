#!/usr/bin/env python3
"""Draws the configuration window's shape and writes it as C++ data.

Two outlines make the shape: an ellipse, which stands in eight places, and
the centre, a blob of four soft lobes, wider at the top than at the bottom.
Both are closed: the last point is the first again. The ellipse's points are
relative to its box's top left corner, the centre's are pixels of the window's
client area.

The system fixes their counts, boxes and first points: the ellipse has 223
points and fills a box 173 by 119 pixels, starting at (1, 51), (1, 47), (2, 46)
and running upward first; the centre has 523 points in the box (283, 151) to
(473, 430), starting at (284, 293), (284, 290), (286, 290).

Usage: make_shape.py <output .cpp>
"""
import math
import sys

ELLIPSE_POINTS = 223
ELLIPSE_BOX = (172, 118)  # right and bottom, the left and top being 0
ELLIPSE_FIRST = [(1, 51), (1, 47), (2, 46)]

CENTRE_POINTS = 523
CENTRE_BOX = (283, 151, 473, 430)
CENTRE_FIRST = [(284, 293), (284, 290), (286, 290)]


def parameter_of(point, centre, radii):
    return math.atan2((point[1] - centre[1]) / radii[1], (point[0] - centre[0]) / radii[0])


def ellipse():
    """Even steps of the parameter from the third first point round to the first."""
    right, bottom = ELLIPSE_BOX
    centre, radii = (right / 2, bottom / 2), (right / 2, bottom / 2)
    start = parameter_of(ELLIPSE_FIRST[2], centre, radii)
    end = parameter_of(ELLIPSE_FIRST[0], centre, radii) + 2 * math.pi
    between = ELLIPSE_POINTS - len(ELLIPSE_FIRST) - 1
    points = list(ELLIPSE_FIRST)
    for i in range(1, between + 1):
        t = start + (end - start) * i / (between + 1)
        points.append((round(centre[0] + radii[0] * math.cos(t)), round(centre[1] + radii[1] * math.sin(t))))
    return points + [ELLIPSE_FIRST[0]]


def blob_radius(t):
    """Four soft lobes; the upper half (sin t < 0 on screen) a little fuller."""
    return 1 + 0.05 * math.cos(4 * t) - 0.04 * math.sin(t)


def centre():
    """The blob sampled by angle from the left edge upward, then fitted to its box."""
    left, top, right, bottom = CENTRE_BOX
    between = CENTRE_POINTS - len(CENTRE_FIRST) - 1
    raw = []
    for i in range(between + 3):
        t = math.pi + 2 * math.pi * i / (between + 3)
        r = blob_radius(t)
        # A superellipse, squarer than an ellipse.
        c, s = math.cos(t), math.sin(t)
        raw.append((r * math.copysign(abs(c) ** 0.8, c), r * math.copysign(abs(s) ** 0.8, s)))
    xs, ys = [p[0] for p in raw], [p[1] for p in raw]
    fit = lambda v, lo, hi, a, b: a + (v - lo) * (b - a) / (hi - lo)
    fitted = [(round(fit(x, min(xs), max(xs), left, right)), round(fit(y, min(ys), max(ys), top, bottom)))
              for x, y in raw]
    # The samples after the first points, up to the one before the start again.
    points = list(CENTRE_FIRST) + fitted[3:3 + between]
    return points + [CENTRE_FIRST[0]]


def box(points):
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return min(xs), min(ys), max(xs), max(ys)


def table(name, points):
    rows = []
    for i in range(0, len(points), 8):
        rows.append("    " + ", ".join("{%d, %d}" % p for p in points[i:i + 8]) + ",")
    return "const std::array<Point, %d> %s = {{\n%s\n}};\n" % (len(points), name, "\n".join(rows))


def main():
    e, c = ellipse(), centre()
    assert len(e) == ELLIPSE_POINTS and box(e) == (0, 0) + ELLIPSE_BOX, box(e)
    assert len(c) == CENTRE_POINTS and box(c) == CENTRE_BOX, box(c)
    with open(sys.argv[1], "w") as out:
        out.write("// The configuration window's two outlines (ConfigureShape.h). Our own\n"
                  "// drawing, made by tools/configure_shape/make_shape.py; change the script,\n"
                  "// not this file.\n"
                  "#include \"splash/ConfigureShape.h\"\n\n#include <array>\n\nusing platform::Point;\n\n"
                  "namespace {\n\n")
        out.write("// Relative to its box's top left corner.\n" + table("kEllipse", e) + "\n")
        out.write("// In the client area's pixels.\n" + table("kCentre", c) + "\n")
        out.write("}  // namespace\n\n"
                  "std::span<const Point> ellipseOutline() { return kEllipse; }\n\n"
                  "std::span<const Point> centreOutline() { return kCentre; }\n")


if __name__ == "__main__":
    main()
