#!/usr/bin/env python3
"""Draws the main window's background, the splash picture and the program icon
with ImageMagick (apt-get install imagemagick). Run from anywhere; the
pictures are written into the resources folder beside this script's folder.
The motif is the program's own subject: a probit dose-response curve."""
import math
import os
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.dirname(HERE)
CONVERT = "/usr/bin/convert"  # the real ImageMagick, not a stand-in earlier on PATH
SANS = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"
SANS_BOLD = "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc"


def sigmoid_points(x0, y0, width, height, steps=80, shift=0.0):
    """Line segments along a logistic curve standing in for a dose-response line."""
    pts = []
    for i in range(steps + 1):
        t = i / steps
        z = (t - 0.5 - shift) * 10.0
        y = 1.0 / (1.0 + math.exp(-z))
        pts.append((x0 + t * width, y0 + height * (1.0 - y)))
    # short separate lines: ImageMagick 6 strokes an open path or polyline
    # with a stray edge back to its start
    return " ".join(f"line {a[0]:.1f},{a[1]:.1f} {b[0]:.1f},{b[1]:.1f}"
                    for a, b in zip(pts, pts[1:]))


def run(args):
    subprocess.run([CONVERT] + args, check=True)


# The pictures shown at start-up are stored with 8 bits a channel and without
# colour-space notes: the screen shows no more, and a 16-bit picture takes
# the program tens of milliseconds to decode and convert before the main
# window can paint. (The icon keeps its 16 bits: its soft edges would change.)
OPAQUE_8_BIT = ["-alpha", "off", "-depth", "8", "-strip"]


def background():
    w, h = 1024, 768
    args = ["-size", f"{w}x{h}", "gradient:#eef3f8-#c9d7e6"]
    # faint graph paper
    grid = []
    for x in range(0, w, 32):
        grid.append(f"line {x},0 {x},{h}")
    for y in range(0, h, 32):
        grid.append(f"line 0,{y} {w},{y}")
    args += ["-stroke", "#b8c8da", "-strokewidth", "1", "-draw", " ".join(grid)]
    # three dose-response curves
    for shift, colour in ((-0.12, "#8fa9c7"), (0.0, "#6f8fb5"), (0.12, "#8fa9c7")):
        args += ["-fill", "none", "-stroke", colour, "-strokewidth", "3", "-draw", "stroke-linecap round",
                 "-draw", sigmoid_points(120, 220, 784, 380, shift=shift)]
    args += ["-stroke", "none", "-fill", "#9fb3cc", "-font", SANS_BOLD, "-pointsize", "64",
             "-gravity", "southeast", "-annotate", "+40+60", "Tavelmark",
             "-font", SANS, "-pointsize", "26", "-annotate", "+44+28", "药理学统计工作台"]
    args += OPAQUE_8_BIT + [os.path.join(OUT, "background.png")]
    run(args)


def splash():
    w, h = 420, 250
    args = ["-size", f"{w}x{h}", "gradient:#1f4e8c-#0f2a4d",
            "-fill", "none", "-stroke", "#5f8fcf", "-strokewidth", "3",
            "-draw", sigmoid_points(30, 120, 360, 100),
            "-stroke", "#ffffff", "-strokewidth", "1",
            "-draw", "line 30,220 390,220",
            "-stroke", "none", "-fill", "#ffffff", "-font", SANS_BOLD, "-pointsize", "36",
            "-gravity", "northwest", "-annotate", "+28+22", "Tavelmark ver1.0",
            "-font", SANS, "-pointsize", "20", "-fill", "#d8e6f7",
            "-annotate", "+30+76", "药理学统计工作台",
            "-pointsize", "13", "-annotate", "+30+226", "半数有效量 · 两组均数 · 两组有效率 · LDk对比"]
    args += OPAQUE_8_BIT + [os.path.join(OUT, "splash.png")]
    run(args)


def icon():
    size = 256
    args = ["-size", f"{size}x{size}", "xc:none",
            "-fill", "#1f4e8c", "-draw", "roundrectangle 8,8 248,248 40,40",
            "-fill", "none", "-stroke", "#ffffff", "-strokewidth", "14",
            "-draw", sigmoid_points(40, 50, 176, 150, steps=60),
            "-stroke", "#f2c14e", "-strokewidth", "8",
            "-draw", "line 40,210 216,210",
            os.path.join(OUT, "tavelmark.png")]
    run(args)


if __name__ == "__main__":
    background()
    splash()
    icon()
