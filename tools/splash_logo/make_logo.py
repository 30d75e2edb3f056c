#!/usr/bin/env python3
"""Draws the splash window's logo and writes it as C++ data.

The logo is a folder card with a tab on top (the "Tab"), a tulip cut out of
the card with its inner petal left standing (the "bloom"), a small petal cut
out at the top left and a leaf hanging over the card's right edge.

Each outline is a chain of legs between fixed points; a leg is drawn as
lines, arcs and Bezier curves and sampled at even steps, either a given
number of them or a share of what is left by its length. Coordinates are
whole pixels of the window's client area (y = 1 is its top row).

Usage: make_logo.py <output .cpp>
"""
import math
import sys


def line(a, b):
    return [a, b]


def arc(centre, radius, start_degrees, end_degrees, n=64):
    cx, cy = centre
    return [(cx + radius * math.cos(math.radians(start_degrees + (end_degrees - start_degrees) * i / n)),
             cy + radius * math.sin(math.radians(start_degrees + (end_degrees - start_degrees) * i / n)))
            for i in range(n + 1)]


def bezier(p0, p1, p2, p3, n=96):
    points = []
    for i in range(n + 1):
        t = i / n
        u = 1 - t
        points.append((u * u * u * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t * t * t * p3[0],
                       u * u * u * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t * t * t * p3[1]))
    return points


def chain(*parts):
    """Joins drawn parts into one polyline; each part starts where the last ended."""
    points = list(parts[0])
    for part in parts[1:]:
        assert math.dist(points[-1], part[0]) < 1e-6, (points[-1], part[0])
        points.extend(part[1:])
    return points


def length(points):
    return sum(math.dist(a, b) for a, b in zip(points, points[1:]))


def sample(points, steps):
    """`steps` even steps along the polyline: steps + 1 points, both ends included."""
    total = length(points)
    out = [points[0]]
    walked, i = 0.0, 0
    for k in range(1, steps):
        target = total * k / steps
        while walked + math.dist(points[i], points[i + 1]) < target:
            walked += math.dist(points[i], points[i + 1])
            i += 1
        a, b = points[i], points[i + 1]
        t = (target - walked) / math.dist(a, b)
        out.append((a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t))
    out.append(points[-1])
    return out


def outline(count, legs):
    """A closed outline of `count` points, its last the first again.

    legs: (polyline, steps or None); the legs without steps share what the
    others leave, by their length. Every leg's ends are points of the outline."""
    fixed = sum(steps for _, steps in legs if steps is not None)
    free = [poly for poly, steps in legs if steps is None]
    left = count - 1 - fixed
    free_length = sum(length(poly) for poly in free)
    shares = [max(1, round(left * length(poly) / free_length)) for poly in free]
    shares[shares.index(max(shares))] += left - sum(shares)  # the longest leg takes what rounding left over
    points = []
    for poly, steps in legs:
        steps = shares.pop(0) if steps is None else steps
        sampled = sample(poly, steps)
        points.extend(sampled if not points else sampled[1:])
    rounded = [(int(math.floor(x + 0.5)), int(math.floor(y + 0.5))) for x, y in points]
    assert len(rounded) == count and rounded[0] == rounded[-1]
    return rounded


def outer_card():
    """Outline 1: the card, its top left corner cut off, the tab on its right."""
    tab_left = chain(line((59, 66), (262, 66)), bezier((262, 66), (284, 66), (286, 10), (300, 1)))
    tab_top = line((300, 1), (424, 1))
    rest = [chain(bezier((424, 1), (436, 6), (466, 14), (466, 44)), line((466, 44), (466, 344))),
            chain(arc((446, 344), 20, 0, 90), line((446, 364), (58, 364))),
            chain(arc((58, 344), 20, 90, 180), line((38, 344), (38, 86))),
            line((38, 86), (39, 85))]
    return outline(720, [(line((39, 85), (39, 84)), 1), (line((39, 84), (57, 66)), 1), (line((57, 66), (59, 66)), 1),
                         (tab_left, 127), (tab_top, 7)] + [(leg, None) for leg in rest])


def small_petal():
    """Outline 2: a petal tile, its top right and bottom left corners round."""
    rest = [chain(arc((81, 138), 28, -90, 0), line((109, 138), (109, 181))),
            chain(line((109, 181), (82, 181)), arc((82, 153), 28, 90, 180), line((54, 153), (54, 110))),
            line((54, 110), (55, 109))]
    return outline(55, [(line((55, 109), (57, 109)), 1), (line((57, 109), (80, 109)), 1),
                        (line((80, 109), (81, 110)), 1)] + [(leg, None) for leg in rest])


def tulip():
    """Outline 3: the tulip, three petal tips on top, its stem leaning to the bottom left."""
    stem_right = bezier((201, 290), (214, 262), (240, 250), (270, 243))
    cup_right = chain(bezier((270, 243), (320, 232), (349, 196), (349, 150)),
                      bezier((349, 150), (349, 128), (344, 110), (338, 98)))
    notch_right = chain(bezier((338, 98), (326, 112), (312, 124), (300, 130)),
                        bezier((300, 130), (290, 112), (275, 96), (256, 85)))
    notch_left = chain(bezier((256, 85), (238, 96), (224, 112), (214, 130)),
                       bezier((214, 130), (204, 122), (190, 110), (178, 98)))
    cup_left = chain(bezier((178, 98), (172, 112), (168, 132), (169, 156)),
                     bezier((169, 156), (171, 204), (204, 236), (245, 245)))
    stem_left = bezier((245, 245), (206, 254), (176, 268), (164, 288))
    foot = chain(line((164, 288), (164, 291)), line((164, 291), (166, 294)))
    rest = [stem_right, cup_right, notch_right, notch_left, cup_left, stem_left, foot]
    return outline(434, [(line((166, 294), (168, 294)), 1), (line((168, 294), (201, 294)), 1),
                         (line((201, 294), (201, 290)), 1)] + [(leg, None) for leg in rest])


def inner_petal():
    """Outline 4: the tulip's inner petal, pointed on top, standing in the cut-out."""
    rest = [bezier((228, 205), (230, 165), (240, 140), (255, 122)),
            chain(bezier((255, 122), (270, 140), (280, 165), (282, 205)), line((282, 205), (283, 207)),
                  line((283, 207), (283, 211))),
            bezier((283, 211), (270, 214), (240, 214), (226, 212)),
            line((226, 212), (227, 211))]
    return outline(115, [(line((227, 211), (227, 208)), 1), (line((227, 208), (228, 207)), 1),
                         (line((228, 207), (228, 205)), 1)] + [(leg, None) for leg in rest])


def leaf():
    """Outline 5: a leaf over the card's right edge, its tip down."""
    rest = [chain(bezier((441, 111), (466, 116), (478, 140), (478, 172)),
                  bezier((478, 172), (478, 214), (456, 248), (425, 269))),
            chain(bezier((425, 269), (414, 240), (411, 200), (411, 160)), line((411, 160), (411, 113))),
            line((411, 113), (412, 111))]
    return outline(87, [(line((412, 111), (412, 110)), 1), (line((412, 110), (414, 111)), 1),
                        (line((414, 111), (441, 111)), 1)] + [(leg, None) for leg in rest])


HEADER = """// The splash window's logo: five closed outlines in the client area's pixels
// (y = 1 is its top row), each ending on its first point. Our own drawing,
// made by tools/splash_logo/make_logo.py; change the script, not this file.
#include "splash/SplashLogo.h"

#include <array>

using platform::Point;

namespace {
"""


def write(path, outlines):
    with open(path, "w", newline="\n") as out:
        out.write(HEADER)
        for n, points in enumerate(outlines, 1):
            out.write(f"\nconst std::array<Point, {len(points)}> kOutline{n} = {{{{\n")
            for i in range(0, len(points), 8):
                out.write("    " + " ".join(f"{{{x}, {y}}}," for x, y in points[i:i + 8]) + "\n")
            out.write("}};\n")
        out.write("\n}  // namespace\n\nstd::span<const Point> logoOutline(int number) {\n    switch (number) {\n")
        for n in range(1, len(outlines) + 1):
            out.write(f"        case {n}: return kOutline{n};\n")
        out.write("        default: return {};\n    }\n}\n")


def main():
    outlines = [outer_card(), small_petal(), tulip(), inner_petal(), leaf()]
    for n, points in enumerate(outlines, 1):
        xs = [x for x, _ in points]
        ys = [y for _, y in points]
        repeats = sum(1 for a, b in zip(points, points[1:]) if a == b)
        print(f"outline {n}: {len(points)} points, x {min(xs)}-{max(xs)}, y {min(ys)}-{max(ys)}, "
              f"first {points[:4]}, repeated {repeats}", file=sys.stderr)
    top = [i + 1 for i, (_, y) in enumerate(outlines[0]) if y == 1]
    print(f"outline 1 on y = 1: points {top}", file=sys.stderr)
    write(sys.argv[1], outlines)


if __name__ == "__main__":
    main()
