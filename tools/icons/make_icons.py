#!/usr/bin/env python3
"""Draws Morvane's alarm-clock pictures and writes them as multi-size .ico files.

    python3 tools/icons/make_icons.py [--out DIR] [--preview FILE.png]

Only the standard library is used: the shapes are sampled on a fine grid inside every
pixel (supersampling) for smooth edges, and the ICO, BMP and PNG bytes are written here.
The build uses the committed .ico files; run this again only to change the pictures.

  morvane.ico         the program's own icon
  tray_no_alarm.ico   tray picture 1: grey clock, no alarm set
  tray_set.ico        tray picture 2: amber clock, alarm set but not activated
  tray_activated.ico  tray picture 3: red clock with ringing marks, alarm activated
"""

import argparse
import math
import pathlib
import struct
import zlib

# ---------------------------------------------------------------------------------------
# Shapes, in a unit square with y pointing down. Each knows its bounding box so a pixel
# only samples the shapes that can reach it.


class Circle:
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r
        self.box = (cx - r, cy - r, cx + r, cy + r)

    def contains(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        return dx * dx + dy * dy <= self.r * self.r


class Ellipse:
    def __init__(self, cx, cy, rx, ry):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry
        self.box = (cx - rx, cy - ry, cx + rx, cy + ry)

    def contains(self, x, y):
        dx, dy = (x - self.cx) / self.rx, (y - self.cy) / self.ry
        return dx * dx + dy * dy <= 1.0


class Capsule:
    """A straight stroke with round ends."""

    def __init__(self, x0, y0, x1, y1, half_width):
        self.x0, self.y0, self.x1, self.y1, self.w = x0, y0, x1, y1, half_width
        self.dx, self.dy = x1 - x0, y1 - y0
        self.len2 = self.dx * self.dx + self.dy * self.dy or 1e-12
        self.box = (min(x0, x1) - half_width, min(y0, y1) - half_width,
                    max(x0, x1) + half_width, max(y0, y1) + half_width)

    def contains(self, x, y):
        t = ((x - self.x0) * self.dx + (y - self.y0) * self.dy) / self.len2
        t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
        px, py = x - (self.x0 + t * self.dx), y - (self.y0 + t * self.dy)
        return px * px + py * py <= self.w * self.w


class Arc:
    """A stroke along a circle between two angles (radians, 0 = up, clockwise)."""

    def __init__(self, cx, cy, r, half_width, start, end):
        self.cx, self.cy, self.r, self.w = cx, cy, r, half_width
        self.start, self.end = start, end
        reach = r + half_width
        self.box = (cx - reach, cy - reach, cx + reach, cy + reach)
        # Round caps, so short marks do not look chopped off.
        self.caps = [Circle(cx + r * math.sin(a), cy - r * math.cos(a), half_width)
                     for a in (start, end)]

    def contains(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        d = math.hypot(dx, dy)
        if abs(d - self.r) <= self.w:
            a = math.atan2(dx, -dy)
            for turn in (-2 * math.pi, 0.0, 2 * math.pi):
                if self.start <= a + turn <= self.end:
                    return True
        return any(c.contains(x, y) for c in self.caps)


class Dome:
    """A bell: a circle cut by a line through it, keeping the side away from `toward`."""

    def __init__(self, cx, cy, r, ux, uy, cut):
        self.circle = Circle(cx, cy, r)
        self.cx, self.cy, self.ux, self.uy, self.cut = cx, cy, ux, uy, cut
        self.box = self.circle.box

    def contains(self, x, y):
        return (self.circle.contains(x, y)
                and (x - self.cx) * self.ux + (y - self.cy) * self.uy >= -self.cut)


class Grown:
    """Any shape made thicker by `by` (used for outlines drawn beneath a fill)."""

    def __init__(self, shape, by):
        self.shape = shape
        self.by = by
        x0, y0, x1, y1 = shape.box
        self.box = (x0 - by, y0 - by, x1 + by, y1 + by)
        k = by / math.sqrt(2)
        self.offsets = [(0, 0), (by, 0), (-by, 0), (0, by), (0, -by),
                        (k, k), (k, -k), (-k, k), (-k, -k)]

    def contains(self, x, y):
        return any(self.shape.contains(x + ox, y + oy) for ox, oy in self.offsets)


def grow(shape, by):
    """Exact growth for the simple shapes, an 8-direction approximation otherwise."""
    if isinstance(shape, Circle):
        return Circle(shape.cx, shape.cy, shape.r + by)
    if isinstance(shape, Capsule):
        return Capsule(shape.x0, shape.y0, shape.x1, shape.y1, shape.w + by)
    if isinstance(shape, Arc):
        return Arc(shape.cx, shape.cy, shape.r, shape.w + by, shape.start, shape.end)
    return Grown(shape, by)


# ---------------------------------------------------------------------------------------
# Paints: a colour for a point. Colours are (r, g, b, a) with components 0..1.


def rgb(hex_colour, alpha=1.0):
    v = int(hex_colour.lstrip("#"), 16)
    return ((v >> 16 & 255) / 255, (v >> 8 & 255) / 255, (v & 255) / 255, alpha)


def solid(colour):
    return lambda x, y: colour


def linear(x0, y0, c0, x1, y1, c1):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def paint(x, y):
        t = ((x - x0) * dx + (y - y0) * dy) / length2
        t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
        return tuple(a + (b - a) * t for a, b in zip(c0, c1))

    return paint


def radial(cx, cy, r, c0, c1):
    def paint(x, y):
        t = min(1.0, math.hypot(x - cx, y - cy) / r)
        return tuple(a + (b - a) * t for a, b in zip(c0, c1))

    return paint


# ---------------------------------------------------------------------------------------
# The clock. `size` is the pixel size being drawn: strokes never get thinner than about a
# pixel, and small sizes leave out detail that would only blur.


def clock_layers(size, colours, ringing=False, shaded=False):
    px = 1.0 / size
    small = size <= 24
    layers = []

    def add(shape, paint, outline=None, outline_width=0.0):
        if outline is not None and outline_width > 0:
            layers.append((grow(shape, outline_width), solid(outline)))
        layers.append((shape, paint))

    line = max(0.028, (0.5 if small else 0.75) * px)  # outline half-width
    outline = colours["outline"]

    # Room for the ringing marks comes from a slightly smaller clock.
    cx, cy = 0.5, 0.575
    body_r = 0.335 if ringing else 0.36
    if small:
        # Centre the face on a pixel so one-pixel hands stay sharp.
        cx = (math.floor(size * cx) - 0.5) / size
        cy = (math.floor(size * cy) + 0.5) / size
        body_r = 0.31 if ringing else 0.35
    if shaded and size >= 48:
        body_r = 0.35
        layers.append((Ellipse(0.5, 0.955, 0.36, 0.04), solid(rgb("#000000", 0.22))))

    # Legs first, so the body covers their tops.
    leg_w = max(0.045, 1.0 * px)
    for side in (-1, 1):
        x0 = cx + side * body_r * 0.55
        y0 = cy + body_r * 0.75
        leg = Capsule(x0, y0, cx + side * body_r * 0.86, 0.955 - leg_w, leg_w)
        add(leg, solid(colours["legs"]))

    # Bells sit on the rim at ten and two o'clock.
    bell_r = 0.15 if not small else 0.16
    for side in (-1, 1):
        a = side * math.radians(42)
        ux, uy = math.sin(a), -math.cos(a)
        bx, by = cx + ux * (body_r + 0.005), cy + uy * (body_r + 0.005)
        bell = Dome(bx, by, bell_r, ux, uy, bell_r * 0.35)
        paint = solid(colours["bell"])
        if shaded:
            paint = linear(bx - bell_r, by - bell_r, colours["bell_light"],
                           bx + bell_r, by + bell_r, colours["bell"])
        add(bell, paint, outline, line)
        if ringing and not small:
            gap = bell_r + max(0.06, 1.3 * px)
            marks = [gap, gap + max(0.085, 1.9 * px)]
            spread = math.radians(34)
            for r in marks:
                arc = Arc(bx, by, r, max(0.026, 0.62 * px), a - spread, a + spread)
                layers.append((arc, solid(colours["ring"])))
    if ringing and small:
        # Too little room above the bells: the clock shakes sideways instead.
        spread = math.radians(30)
        for middle in (math.pi / 2, -math.pi / 2):
            arc = Arc(cx, cy, body_r + 2.0 * px, max(0.026, 0.5 * px), middle - spread,
                      middle + spread)
            layers.append((arc, solid(colours["ring"])))

    # The hammer between the bells.
    if size >= 24:
        top = cy - body_r - 0.07
        add(Capsule(cx, cy - body_r, cx, top, max(0.02, 0.6 * px)), solid(colours["legs"]))
        add(Circle(cx, top, max(0.04, 1.0 * px)), solid(colours["bell"]), outline, line * 0.8)

    # Body: rim and face.
    rim_w = max(0.085, (1.5 if small else 1.7) * px)
    body = Circle(cx, cy, body_r)
    rim_paint = solid(colours["rim"])
    if shaded:
        rim_paint = linear(cx - body_r, cy - body_r, colours["rim_light"],
                           cx + body_r, cy + body_r, colours["rim"])
    add(body, rim_paint, outline, line)
    face_r = body_r - rim_w
    face_paint = solid(colours["face"])
    if shaded:
        face_paint = radial(cx - 0.05, cy - 0.06, face_r * 1.3, colours["face"],
                            colours["face_edge"])
    layers.append((Circle(cx, cy, face_r), face_paint))

    # Hour marks where there is room for them.
    if size >= 32:
        count = 12 if size >= 48 else 4
        for i in range(count):
            a = 2 * math.pi * i / count
            long_mark = i % (count // 4) == 0
            r0 = face_r - (0.075 if long_mark else 0.045)
            r1 = face_r - 0.02
            w = max(0.012, 0.5 * px) * (1.4 if long_mark else 1.0)
            layers.append((Capsule(cx + r0 * math.sin(a), cy - r0 * math.cos(a),
                                   cx + r1 * math.sin(a), cy - r1 * math.cos(a), w),
                           solid(colours["marks"])))

    # Hands at ten past ten, the way clocks are pictured; at three o'clock on small sizes,
    # where slanted hands blur into a blot.
    hand_w = 0.5 * px if small else max(0.03, 0.62 * px)
    hour = math.radians(90 if small else -55)
    minute = math.radians(0 if small else 60)
    hour_len = face_r * (0.6 if small else 0.55)
    minute_len = face_r * 0.8
    layers.append((Capsule(cx, cy, cx + hour_len * math.sin(hour), cy - hour_len * math.cos(hour),
                           hand_w * (1.0 if small else 1.15)), solid(colours["hands"])))
    layers.append((Capsule(cx, cy, cx + minute_len * math.sin(minute),
                           cy - minute_len * math.cos(minute), hand_w), solid(colours["hands"])))
    if shaded and size >= 48:
        sec = math.radians(160)
        sec_len = face_r * 0.85
        layers.append((Capsule(cx, cy, cx + sec_len * math.sin(sec), cy - sec_len * math.cos(sec),
                               max(0.008, 0.5 * px)), solid(colours["second"])))
    hub = 0.6 * px if small else max(0.035, 0.9 * px)
    layers.append((Circle(cx, cy, hub), solid(colours["hands"])))
    if shaded and size >= 64:
        # A soft highlight across the glass.
        layers.append((Ellipse(cx - 0.07, cy - 0.1, face_r * 0.55, face_r * 0.3),
                       solid(rgb("#ffffff", 0.35))))
    return layers


STYLES = {
    "tray_no_alarm": dict(
        colours=dict(rim=rgb("#8a919b"), bell=rgb("#a9afb8"), face=rgb("#fbfbfb"),
                     hands=rgb("#2c3036"), legs=rgb("#575d66"), outline=rgb("#3a3f46"),
                     marks=rgb("#6b717a")),
        ringing=False),
    "tray_set": dict(
        colours=dict(rim=rgb("#f0a000"), bell=rgb("#ffc61a"), face=rgb("#fffdf3"),
                     hands=rgb("#2c2410"), legs=rgb("#6e4a00"), outline=rgb("#4f3500"),
                     marks=rgb("#a06c00")),
        ringing=False),
    "tray_activated": dict(
        colours=dict(rim=rgb("#e3141c"), bell=rgb("#ff3d2e"), face=rgb("#fff4f2"),
                     hands=rgb("#2a0c0c"), legs=rgb("#6f0a0e"), outline=rgb("#4e070a"),
                     marks=rgb("#b01016"), ring=rgb("#ff2417")),
        ringing=True),
    "morvane": dict(
        colours=dict(rim=rgb("#1d3f9e"), rim_light=rgb("#4f8dff"), bell=rgb("#d99a00"),
                     bell_light=rgb("#ffe27a"), face=rgb("#ffffff"), face_edge=rgb("#dfe5ee"),
                     hands=rgb("#1b1f27"), legs=rgb("#1b2f6b"), outline=rgb("#101c40"),
                     marks=rgb("#3a4356"), second=rgb("#e3141c")),
        ringing=False, shaded=True),
}

# Every size Windows asks for between 100 % and 200 % scale (small icons 16 to 32, large
# ones 32 to 64). The program's icon also has the 256 px image that Explorer shows.
TRAY_SIZES = [16, 20, 24, 32, 40, 48, 64]
APP_SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
# Images from this size up are stored PNG-compressed (Windows Vista and later, and Wine,
# read them): as bitmaps the seven sizes of four icons would weigh some 160 KB.
PNG_FROM = 32


# ---------------------------------------------------------------------------------------
# Rendering: every pixel is sampled on an n x n grid; samples are composited back to
# front and averaged with premultiplied alpha.


def render(layers, size):
    grid = 6 if size <= 48 else 4 if size <= 64 else 3
    offsets = [(i + 0.5) / grid for i in range(grid)]
    pixel = 1.0 / size
    weight = 1.0 / (grid * grid)
    rows = []
    for py in range(size):
        row = []
        y_lo, y_hi = py * pixel, (py + 1) * pixel
        for px_ in range(size):
            x_lo, x_hi = px_ * pixel, (px_ + 1) * pixel
            near = [(s, p) for s, p in layers
                    if s.box[0] <= x_hi and s.box[2] >= x_lo
                    and s.box[1] <= y_hi and s.box[3] >= y_lo]
            if not near:
                row.append((0, 0, 0, 0))
                continue
            acc_r = acc_g = acc_b = acc_a = 0.0
            for oy in offsets:
                y = (py + oy) * pixel
                for ox in offsets:
                    x = (px_ + ox) * pixel
                    r = g = b = a = 0.0  # premultiplied
                    for shape, paint in near:
                        if shape.contains(x, y):
                            cr, cg, cb, ca = paint(x, y)
                            keep = 1.0 - ca
                            r, g, b = cr * ca + r * keep, cg * ca + g * keep, cb * ca + b * keep
                            a = ca + a * keep
                    acc_r += r
                    acc_g += g
                    acc_b += b
                    acc_a += a
            a = acc_a * weight
            if a <= 0.0:
                row.append((0, 0, 0, 0))
                continue
            row.append((round(acc_r * weight / a * 255), round(acc_g * weight / a * 255),
                        round(acc_b * weight / a * 255), round(a * 255)))
        rows.append(row)
    return rows


# ---------------------------------------------------------------------------------------
# File formats.


def png_bytes(rows):
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)  # no filter: the others made these pictures larger, not smaller
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        body = kind + data
        crc = zlib.crc32(body) & 0xFFFFFFFF
        return struct.pack(">I", len(data)) + body + struct.pack(">I", crc)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def dib_bytes(rows):
    """A 32-bit icon image: BITMAPINFOHEADER, BGRA rows bottom-up, then the AND mask."""
    size = len(rows)
    colour = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            # Programs that ignore alpha fall back on the mask: keep mostly-covered pixels.
            if a < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + mask


def ico_bytes(images):
    """images: list of (size, rows). Images of PNG_FROM px and up are stored as PNG."""
    payloads = [(size, png_bytes(rows) if size >= PNG_FROM else dib_bytes(rows))
                for size, rows in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(payloads)))
    offset = 6 + 16 * len(payloads)
    for size, data in payloads:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in payloads:
        out += data
    return bytes(out)


# ---------------------------------------------------------------------------------------
# A preview sheet: each picture at 16, 32 and 48 px and at 16 px magnified pixel by
# pixel, on a light and on a dark taskbar colour.


def preview_rows(rendered, shown=(16, 32, 48), magnified=16, scale=6, gap=8):
    backgrounds = [(240, 240, 240), (32, 36, 44)]
    pieces = [(s, 1) for s in shown] + [(magnified, scale)]
    half = sum(s * k + gap for s, k in pieces) + gap
    band_h = max(s * k for s, k in pieces) + 2 * gap
    sheet = []
    for _, images in rendered:
        by_size = dict(images)
        band = [[bg + (255,) for bg in backgrounds for _ in range(half)] for _ in range(band_h)]
        for side, bg in enumerate(backgrounds):
            x = side * half + gap
            for size, k in pieces:
                rows = by_size[size]
                top = (band_h - size * k) // 2
                for yy in range(size * k):
                    for xx in range(size * k):
                        r, g, b, a = rows[yy // k][xx // k]
                        t = a / 255
                        band[top + yy][x + xx] = (round(r * t + bg[0] * (1 - t)),
                                                  round(g * t + bg[1] * (1 - t)),
                                                  round(b * t + bg[2] * (1 - t)), 255)
                x += size * k + gap
        sheet += band
    return sheet


def main():
    root = pathlib.Path(__file__).resolve().parents[2]
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=pathlib.Path, default=root / "resources" / "icons")
    parser.add_argument("--preview", type=pathlib.Path, help="also write a PNG preview sheet")
    args = parser.parse_args()

    args.out.mkdir(parents=True, exist_ok=True)
    rendered = []
    for name in ("morvane", "tray_no_alarm", "tray_set", "tray_activated"):
        style = STYLES[name]
        sizes = APP_SIZES if name == "morvane" else TRAY_SIZES
        images = []
        for size in sizes:
            layers = clock_layers(size, style["colours"], style.get("ringing", False),
                                  style.get("shaded", False))
            images.append((size, render(layers, size)))
        (args.out / f"{name}.ico").write_bytes(ico_bytes(images))
        rendered.append((name, images))
        print(f"wrote {args.out / (name + '.ico')}")
    if args.preview:
        args.preview.parent.mkdir(parents=True, exist_ok=True)
        args.preview.write_bytes(png_bytes(preview_rows(rendered)))
        print(f"wrote {args.preview}")


if __name__ == "__main__":
    main()
