#!/usr/bin/env python3
"""Draws the program's own images and writes them beside this script.

    draw_images.py           write the files
    draw_images.py --check   exit 1 when a written file differs from what this script draws

The images are drawn per pixel size from shapes in a unit square (x right, y down), each pixel
covered by 8 x 8 samples, so every size is drawn at its own resolution rather than scaled:

    app.ico              the program's icon: a white domino mask on a blue tile
    busy0..busy6.ico     the busy animation: a comet running round a ring, one seventh per frame
    on.ico               hiding on: a green shield with a tick
    off.ico              hiding off: a red disc with a bar (round, not shield-shaped)
    msgdlg.bmp           the message dialog's icons, 40 x 40 side by side: warning, stop,
                         information, help (32-bit, premultiplied alpha)
    msgdlg150.bmp        the same at 60 x 60 for 150 % scaling

Only the standard library is used.
"""
import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = 8

BLUE = (0x2C, 0x5D, 0x8F)
DARK_BLUE = (0x1B, 0x3D, 0x61)
TRACK = (0xC5, 0xD3, 0xE3)
WHITE = (0xFF, 0xFF, 0xFF)
GREEN = (0x23, 0x8B, 0x4E)
DARK_GREEN = (0x15, 0x5E, 0x33)
RED = (0xC6, 0x32, 0x2A)
DARK_RED = (0x8A, 0x1E, 0x18)
YELLOW = (0xF4, 0xC4, 0x30)
DARK_YELLOW = (0xB3, 0x86, 0x0B)
INK = (0x22, 0x22, 0x22)
INFO_BLUE = (0x2F, 0x6F, 0xB5)
DARK_INFO_BLUE = (0x1D, 0x4C, 0x82)
HELP_TEAL = (0x1F, 0x85, 0x8A)
DARK_HELP_TEAL = (0x12, 0x5C, 0x60)


# Shapes: (inside(x, y) -> bool, bounding box (x0, y0, x1, y1)) in unit coordinates.

def disc(cx, cy, r):
    return (lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, (cx - r, cy - r, cx + r, cy + r))


def ellipse(cx, cy, rx, ry):
    return (lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1, (cx - rx, cy - ry, cx + rx, cy + ry))


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        dx = max(x0 + r - x, 0, x - (x1 - r))
        dy = max(y0 + r - y, 0, y - (y1 - r))
        return x0 <= x <= x1 and y0 <= y <= y1 and dx * dx + dy * dy <= r * r
    return (inside, (x0, y0, x1, y1))


def capsule(ax, ay, bx, by, width):
    """A stroke from a to b with round ends."""
    half = width / 2
    lx, ly = bx - ax, by - ay
    length2 = lx * lx + ly * ly

    def inside(x, y):
        t = 0 if length2 == 0 else max(0, min(1, ((x - ax) * lx + (y - ay) * ly) / length2))
        px, py = ax + t * lx - x, ay + t * ly - y
        return px * px + py * py <= half * half
    return (inside, (min(ax, bx) - half, min(ay, by) - half, max(ax, bx) + half, max(ay, by) + half))


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return (inside, (min(xs), min(ys), max(xs), max(ys)))


def arc(cx, cy, r_in, r_out, start_deg, sweep_deg):
    """A ring segment from start_deg clockwise (y down) over sweep_deg."""
    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if not r_in * r_in <= d2 <= r_out * r_out:
            return False
        angle = (math.degrees(math.atan2(y - cy, x - cx)) - start_deg) % 360
        return angle <= sweep_deg
    return (inside, (cx - r_out, cy - r_out, cx + r_out, cy + r_out))


def minus(shape, *holes):
    return (lambda x, y: shape[0](x, y) and not any(h[0](x, y) for h in holes), shape[1])


def union(*shapes):
    boxes = [s[1] for s in shapes]
    box = (min(b[0] for b in boxes), min(b[1] for b in boxes), max(b[2] for b in boxes), max(b[3] for b in boxes))
    return (lambda x, y: any(s[0](x, y) for s in shapes), box)


def scaled(shape, inset):
    """The shape drawn in the square [inset, 1 - inset]: room for an outline around it."""
    k = 1 - 2 * inset
    inside, (x0, y0, x1, y1) = shape
    return (lambda x, y: inside((x - inset) / k, (y - inset) / k),
            (x0 * k + inset, y0 * k + inset, x1 * k + inset, y1 * k + inset))


# Rendering: straight (not premultiplied) RGBA rows, top row first.

def render(size, layers):
    """layers: (shape, (r, g, b), opacity) painted in order over transparency."""
    pixels = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]
    step = 1.0 / (size * SAMPLES)
    offsets = [(i + 0.5) * step for i in range(SAMPLES)]
    for (inside, (bx0, by0, bx1, by1)), color, opacity in layers:
        px0, py0 = max(0, int(bx0 * size)), max(0, int(by0 * size))
        px1, py1 = min(size, int(math.ceil(bx1 * size))), min(size, int(math.ceil(by1 * size)))
        for py in range(py0, py1):
            row = pixels[py]
            for px in range(px0, px1):
                x0, y0 = px / size, py / size
                hits = sum(1 for oy in offsets for ox in offsets if inside(x0 + ox, y0 + oy))
                if not hits:
                    continue
                a = opacity * hits / (SAMPLES * SAMPLES)
                r, g, b, under = row[px]
                out = a + under * (1 - a)
                mix = [(c * a + u * under * (1 - a)) / out for c, u in zip(color, (r, g, b))]
                row[px] = (mix[0], mix[1], mix[2], out)
    return [[tuple(int(round(v)) for v in (r, g, b)) + (int(round(a * 255)),) for r, g, b, a in row]
            for row in pixels]


# The designs.

def curve(a, control, b, steps=8):
    """Points of a quadratic Bezier curve from a (excluded) to b."""
    return [((1 - t) ** 2 * a[0] + 2 * (1 - t) * t * control[0] + t * t * b[0],
             (1 - t) ** 2 * a[1] + 2 * (1 - t) * t * control[1] + t * t * b[1])
            for t in (i / steps for i in range(1, steps + 1))]


def app_layers():
    tile = rounded_rect(0.0, 0.0, 1.0, 1.0, 0.2)
    right_half = ([(0.5, 0.33)] + curve((0.5, 0.33), (0.75, 0.22), (0.95, 0.3)) +
                  curve((0.95, 0.3), (0.95, 0.68), (0.68, 0.71)) + curve((0.68, 0.71), (0.57, 0.71), (0.5, 0.6)))
    left_half = [(1 - x, y) for x, y in reversed(right_half)]
    mask = minus(polygon(right_half + left_half[1:-1]),
                 ellipse(0.31, 0.48, 0.12, 0.075), ellipse(0.69, 0.48, 0.12, 0.075))
    return [(tile, DARK_BLUE, 1), (scaled(tile, 0.045), BLUE, 1), (mask, WHITE, 1)]


def busy_layers(frame):
    head = -90 + frame * 360 / 7
    ring = (0.5, 0.5, 0.27, 0.46)
    tail = [(0, 60, 1.0), (60, 55, 0.65), (115, 50, 0.35)]  # degrees behind the head, sweep, opacity
    layers = [(arc(*ring, 0, 360), TRACK, 1)]
    for behind, sweep, opacity in tail:
        layers.append((arc(*ring, head - behind - sweep, sweep), BLUE, opacity))
    return layers


def on_layers():
    def shield(inset):
        k = inset
        right = [(0.5, 0.02 + k), (0.9 - k, 0.16 + k * 0.6), (0.9 - k, 0.5)]
        right += curve((0.9 - k, 0.5), (0.86 - k, 0.8), (0.5, 0.98 - k * 1.4))
        left = [(1 - x, y) for x, y in reversed(right)]
        return polygon(right + left[1:-1])
    tick = union(capsule(0.3, 0.5, 0.45, 0.65, 0.13), capsule(0.45, 0.65, 0.72, 0.33, 0.13))
    return [(shield(0), DARK_GREEN, 1), (shield(0.06), GREEN, 1), (tick, WHITE, 1)]


def off_layers():
    return [(disc(0.5, 0.5, 0.47), DARK_RED, 1), (disc(0.5, 0.5, 0.41), RED, 1),
            (rounded_rect(0.22, 0.41, 0.78, 0.59, 0.04), WHITE, 1)]


def warning_layers():
    outline = polygon([(0.5, 0.04), (0.97, 0.9), (0.03, 0.9)])
    body = polygon([(0.5, 0.13), (0.89, 0.85), (0.11, 0.85)])
    return [(outline, DARK_YELLOW, 1), (body, YELLOW, 1),
            (capsule(0.5, 0.36, 0.5, 0.6, 0.1), INK, 1), (disc(0.5, 0.73, 0.055), INK, 1)]


def round_sign(dark, light, marks):
    return [(disc(0.5, 0.5, 0.47), dark, 1), (disc(0.5, 0.5, 0.43), light, 1)] + [(m, WHITE, 1) for m in marks]


def stop_layers():
    return round_sign(DARK_RED, RED, [capsule(0.33, 0.33, 0.67, 0.67, 0.11), capsule(0.67, 0.33, 0.33, 0.67, 0.11)])


def information_layers():
    return round_sign(DARK_INFO_BLUE, INFO_BLUE, [disc(0.5, 0.28, 0.065), rounded_rect(0.445, 0.41, 0.555, 0.76, 0.03)])


def help_layers():
    hook = arc(0.5, 0.38, 0.085, 0.18, 170, 235)
    return round_sign(DARK_HELP_TEAL, HELP_TEAL,
                      [hook, capsule(0.555, 0.5, 0.5, 0.58, 0.095), disc(0.5, 0.74, 0.06)])


# File formats.

def ico_dib(rows):
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + pixels + mask


def png(rows):
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF)
    size = len(rows)
    raw = b''.join(b'\0' + bytes(v for px in row for v in px) for row in rows)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def ico(images):
    """images: square RGBA rows, one per size; 256 and above are stored as PNG."""
    blobs = [png(rows) if len(rows) >= 256 else ico_dib(rows) for rows in images]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for rows, blob in zip(images, blobs):
        side = len(rows) % 256
        data += struct.pack('<BBBBHHII', side, side, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return data + b''.join(blobs)


def bmp_strip(images):
    """Square RGBA images side by side as a 32-bit bitmap with premultiplied alpha."""
    size = len(images[0])
    width = size * len(images)
    pixels = bytearray()
    for y in reversed(range(size)):
        for rows in images:
            for r, g, b, a in rows[y]:
                pixels += bytes((b * a // 255, g * a // 255, r * a // 255, a))
    info = struct.pack('<IiiHHIIiiII', 40, width, size, 1, 32, 0, len(pixels), 3780, 3780, 0, 0)
    return struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info)) + info + pixels


TRAY_SIZES = (16, 20, 24, 32, 48)
APP_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
MESSAGE_ICONS = (warning_layers, stop_layers, information_layers, help_layers)


def images():
    files = {'app.ico': ico([render(s, app_layers()) for s in APP_SIZES]),
             'on.ico': ico([render(s, on_layers()) for s in TRAY_SIZES]),
             'off.ico': ico([render(s, off_layers()) for s in TRAY_SIZES])}
    for frame in range(7):
        files['busy%d.ico' % frame] = ico([render(s, busy_layers(frame)) for s in TRAY_SIZES])
    files['msgdlg.bmp'] = bmp_strip([render(40, layers()) for layers in MESSAGE_ICONS])
    files['msgdlg150.bmp'] = bmp_strip([render(60, layers()) for layers in MESSAGE_ICONS])
    return files


def main(argv):
    check = argv[1:] == ['--check']
    stale = []
    for name, data in images().items():
        path = os.path.join(HERE, name)
        if check:
            with open(path, 'rb') as existing:
                if existing.read() != data:
                    stale.append(name)
        else:
            with open(path, 'wb') as out:
                out.write(data)
    if stale:
        print('images differ from draw_images.py (run it and commit): ' + ', '.join(stale))
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
