"""Glyphs for the skin's buttons and item pictures.

Each glyph is drawn centred on (cx, cy) inside a box of side s, in one colour
(a few carry a second, fixed colour), on a smoothed Canvas.
"""
import math

from skin_canvas import rgb

RECORD_RED = rgb("D64541")


def record(c, cx, cy, s, col, accent=RECORD_RED):
    c.circle(cx, cy, s * 0.36, fill=accent)


def pause(c, cx, cy, s, col):
    w, h = s * 0.16, s * 0.56
    for dx in (-s * 0.15, s * 0.15):
        c.rrect(cx + dx - w / 2, cy - h / 2, cx + dx + w / 2, cy + h / 2, w * 0.35, fill=col)


def stop(c, cx, cy, s, col):
    h = s * 0.27
    c.rrect(cx - h, cy - h, cx + h, cy + h, s * 0.08, fill=col)


def play(c, cx, cy, s, col):
    h = s * 0.32
    c.polygon([(cx - h * 0.75, cy - h), (cx - h * 0.75, cy + h), (cx + h * 1.05, cy)], fill=col)


def chevron(c, cx, cy, s, col, direction):
    h = s * 0.22
    d = h * 0.8 * direction
    c.line([(cx - d, cy - h), (cx + d, cy), (cx - d, cy + h)], col, width=s * 0.1)


def previous(c, cx, cy, s, col):
    chevron(c, cx, cy, s, col, -1)


def next_(c, cx, cy, s, col):
    chevron(c, cx, cy, s, col, 1)


def first(c, cx, cy, s, col):
    chevron(c, cx + s * 0.08, cy, s, col, -1)
    x = cx - s * 0.2
    c.line([(x, cy - s * 0.22), (x, cy + s * 0.22)], col, width=s * 0.1)


def last(c, cx, cy, s, col):
    chevron(c, cx - s * 0.08, cy, s, col, 1)
    x = cx + s * 0.2
    c.line([(x, cy - s * 0.22), (x, cy + s * 0.22)], col, width=s * 0.1)


def _magnifier(c, cx, cy, s, col):
    r = s * 0.22
    ox, oy = cx - s * 0.06, cy - s * 0.06
    c.circle(ox, oy, r, outline=col, width=s * 0.07)
    k = r * 0.72
    c.line([(ox + k + s * 0.02, oy + k + s * 0.02), (cx + s * 0.3, cy + s * 0.3)], col, width=s * 0.1)
    return ox, oy, r


def zoom_in(c, cx, cy, s, col):
    ox, oy, r = _magnifier(c, cx, cy, s, col)
    a = r * 0.5
    c.line([(ox - a, oy), (ox + a, oy)], col, width=s * 0.06)
    c.line([(ox, oy - a), (ox, oy + a)], col, width=s * 0.06)


def zoom_out(c, cx, cy, s, col):
    ox, oy, r = _magnifier(c, cx, cy, s, col)
    a = r * 0.5
    c.line([(ox - a, oy), (ox + a, oy)], col, width=s * 0.06)


def zoom_restore(c, cx, cy, s, col):
    # Four corner brackets: back to the whole picture.
    a, b = s * 0.27, s * 0.12
    w = s * 0.07
    for sx in (-1, 1):
        for sy in (-1, 1):
            x, y = cx + sx * a, cy + sy * a
            c.line([(x - sx * b, y), (x, y), (x, y - sy * b)], col, width=w)
    c.circle(cx, cy, s * 0.06, fill=col)


def camera(c, cx, cy, s, col, lens=None):
    w, h = s * 0.62, s * 0.42
    top = cy - h / 2 + s * 0.04
    c.rrect(cx - s * 0.14, top - s * 0.1, cx + s * 0.14, top + s * 0.02, s * 0.03, fill=col)
    c.rrect(cx - w / 2, top, cx + w / 2, top + h, s * 0.08, fill=col)
    c.circle(cx, top + h / 2, s * 0.14, fill=lens or (255, 255, 255))
    c.circle(cx, top + h / 2, s * 0.08, fill=col)


def eye(c, cx, cy, s, col):
    w, h = s * 0.34, s * 0.2
    pts_top = [(cx + w * math.cos(t), cy - h * math.sin(t)) for t in [i * math.pi / 16 for i in range(17)]]
    pts_bottom = [(cx + w * math.cos(t), cy + h * math.sin(t)) for t in [i * math.pi / 16 for i in range(17)]]
    c.line(pts_top, col, width=s * 0.07)
    c.line(pts_bottom, col, width=s * 0.07)
    c.circle(cx, cy, s * 0.1, fill=col)


def save(c, cx, cy, s, col, paper=(255, 255, 255)):
    a = s * 0.3
    c.rrect(cx - a, cy - a, cx + a, cy + a, s * 0.06, fill=col)
    c.rect(cx - a * 0.55, cy - a + s * 0.02, cx + a * 0.45, cy - a * 0.25, fill=paper)
    c.rrect(cx - a * 0.6, cy + a * 0.15, cx + a * 0.6, cy + a - s * 0.05, s * 0.02, fill=paper)


def slideshow(c, cx, cy, s, col):
    w, h = s * 0.34, s * 0.24
    c.rrect(cx - w, cy - h - s * 0.04, cx + w, cy + h - s * 0.04, s * 0.05, outline=col, width=s * 0.07)
    c.line([(cx, cy + h - s * 0.04), (cx, cy + s * 0.33)], col, width=s * 0.06)
    c.line([(cx - s * 0.14, cy + s * 0.33), (cx + s * 0.14, cy + s * 0.33)], col, width=s * 0.06)
    t = s * 0.1
    c.polygon([(cx - t * 0.7, cy - s * 0.04 - t), (cx - t * 0.7, cy - s * 0.04 + t),
               (cx + t, cy - s * 0.04)], fill=col)


def mail(c, cx, cy, s, col):
    w, h = s * 0.34, s * 0.23
    c.rrect(cx - w, cy - h, cx + w, cy + h, s * 0.04, outline=col, width=s * 0.07)
    c.line([(cx - w + s * 0.04, cy - h + s * 0.05), (cx, cy + s * 0.03),
            (cx + w - s * 0.04, cy - h + s * 0.05)], col, width=s * 0.06)


def printer(c, cx, cy, s, col, paper=(255, 255, 255)):
    w = s * 0.34
    c.rect(cx - w * 0.6, cy - s * 0.32, cx + w * 0.6, cy - s * 0.08, fill=col)
    c.rrect(cx - w, cy - s * 0.12, cx + w, cy + s * 0.16, s * 0.05, fill=col)
    c.rect(cx - w * 0.6, cy + s * 0.04, cx + w * 0.6, cy + s * 0.32, fill=col)
    c.rect(cx - w * 0.45, cy + s * 0.08, cx + w * 0.45, cy + s * 0.28, fill=paper)


def minimize(c, cx, cy, s, col):
    c.line([(cx - s * 0.22, cy + s * 0.12), (cx + s * 0.22, cy + s * 0.12)], col, width=s * 0.12)


def close(c, cx, cy, s, col):
    a = s * 0.2
    c.line([(cx - a, cy - a), (cx + a, cy + a)], col, width=s * 0.12)
    c.line([(cx - a, cy + a), (cx + a, cy - a)], col, width=s * 0.12)


def sparkle(c, cx, cy, s, col):
    def star(x, y, r):
        k = r * 0.28
        c.polygon([(x, y - r), (x + k, y - k), (x + r, y), (x + k, y + k), (x, y + r),
                   (x - k, y + k), (x - r, y), (x - k, y - k)], fill=col)
    star(cx - s * 0.06, cy + s * 0.04, s * 0.28)
    star(cx + s * 0.22, cy - s * 0.2, s * 0.12)


def microphone(c, cx, cy, s, col):
    c.rrect(cx - s * 0.12, cy - s * 0.36, cx + s * 0.12, cy + s * 0.06, s * 0.12, fill=col)
    c.arc(cx, cy - s * 0.08, s * 0.22, 20, 160, col, width=s * 0.07)
    c.line([(cx, cy + s * 0.15), (cx, cy + s * 0.32)], col, width=s * 0.07)
    c.line([(cx - s * 0.14, cy + s * 0.33), (cx + s * 0.14, cy + s * 0.33)], col, width=s * 0.07)


def speaker(c, cx, cy, s, col):
    c.polygon([(cx - s * 0.34, cy - s * 0.1), (cx - s * 0.18, cy - s * 0.1), (cx, cy - s * 0.3),
               (cx, cy + s * 0.3), (cx - s * 0.18, cy + s * 0.1), (cx - s * 0.34, cy + s * 0.1)], fill=col)
    c.arc(cx, cy, s * 0.17, -50, 50, col, width=s * 0.06)
    c.arc(cx, cy, s * 0.31, -50, 50, col, width=s * 0.06)


def film(c, cx, cy, s, col, hole=(255, 255, 255)):
    w, h = s * 0.36, s * 0.3
    c.rrect(cx - w, cy - h, cx + w, cy + h, s * 0.04, fill=col)
    c.rect(cx - w * 0.55, cy - h * 0.6, cx + w * 0.55, cy + h * 0.6, fill=hole)
    for i in range(4):
        y = cy - h + s * 0.04 + i * (2 * h - s * 0.08) / 3.5
        for x in (cx - w * 0.8, cx + w * 0.8):
            c.rect(x - s * 0.03, y, x + s * 0.03, y + s * 0.05, fill=hole)


def note(c, cx, cy, s, col):
    c.ellipse(cx - s * 0.3, cy + s * 0.08, cx - s * 0.06, cy + s * 0.3, fill=col)
    c.ellipse(cx + s * 0.04, cy + s * 0.0, cx + s * 0.28, cy + s * 0.22, fill=col)
    c.line([(cx - s * 0.08, cy + s * 0.18), (cx - s * 0.08, cy - s * 0.3), (cx + s * 0.26, cy - s * 0.38),
            (cx + s * 0.26, cy + s * 0.1)], col, width=s * 0.07, round_ends=False)


def picture(c, cx, cy, s, col, hole=(255, 255, 255)):
    w, h = s * 0.36, s * 0.28
    c.rrect(cx - w, cy - h, cx + w, cy + h, s * 0.05, fill=col)
    c.rect(cx - w + s * 0.06, cy - h + s * 0.06, cx + w - s * 0.06, cy + h - s * 0.06, fill=hole)
    c.polygon([(cx - w + s * 0.08, cy + h - s * 0.08), (cx - s * 0.08, cy - s * 0.06),
               (cx + s * 0.06, cy + s * 0.08), (cx + s * 0.14, cy), (cx + w - s * 0.08, cy + h - s * 0.08)],
              fill=col)
    c.circle(cx + s * 0.16, cy - s * 0.1, s * 0.05, fill=col)


def mountains(c, cx, cy, s, col):
    c.polygon([(cx - s * 0.38, cy + s * 0.26), (cx - s * 0.1, cy - s * 0.22), (cx + s * 0.06, cy + s * 0.02),
               (cx + s * 0.16, cy - s * 0.1), (cx + s * 0.38, cy + s * 0.26)], fill=col)
    c.circle(cx + s * 0.22, cy - s * 0.28, s * 0.07, fill=col)


def bolt(c, cx, cy, s, col):
    c.polygon([(cx + s * 0.06, cy - s * 0.4), (cx - s * 0.22, cy + s * 0.05), (cx - s * 0.01, cy + s * 0.05),
               (cx - s * 0.08, cy + s * 0.4), (cx + s * 0.22, cy - s * 0.08), (cx + s * 0.01, cy - s * 0.08)],
              fill=col)


def clock(c, cx, cy, s, col):
    c.circle(cx, cy, s * 0.32, outline=col, width=s * 0.08)
    c.line([(cx, cy - s * 0.18), (cx, cy), (cx + s * 0.13, cy + s * 0.08)], col, width=s * 0.07)


def burst(c, cx, cy, s, col, hole=(255, 255, 255)):
    # Three frames fanned out, the front one lowest and leftmost.
    for i in (2, 1, 0):
        off = i * s * 0.1
        x0, y0 = cx - s * 0.36 + off, cy - s * 0.16 - off
        c.rrect(x0, y0, x0 + s * 0.5, y0 + s * 0.4, s * 0.04, fill=col, outline=hole, width=s * 0.05)


def resolution(c, cx, cy, s, col):
    a = s * 0.32
    c.rrect(cx - a, cy - a * 0.75, cx + a, cy + a * 0.75, s * 0.04, outline=col, width=s * 0.07)
    c.line([(cx - a * 0.45, cy + a * 0.3), (cx + a * 0.45, cy - a * 0.3)], col, width=s * 0.07)
    c.line([(cx + a * 0.1, cy - a * 0.32), (cx + a * 0.47, cy - a * 0.32), (cx + a * 0.47, cy + a * 0.02)],
           col, width=s * 0.07)


def calendar(c, cx, cy, s, col, hole=(255, 255, 255)):
    a = s * 0.32
    c.rrect(cx - a, cy - a * 0.85, cx + a, cy + a, s * 0.05, fill=col)
    c.rect(cx - a + s * 0.05, cy - a * 0.35, cx + a - s * 0.05, cy + a - s * 0.05, fill=hole)
    for dx in (-a * 0.5, a * 0.5):
        c.line([(cx + dx, cy - a * 1.1), (cx + dx, cy - a * 0.7)], col, width=s * 0.07)
    for i in range(3):
        for j in range(2):
            x, y = cx - a * 0.5 + i * a * 0.5, cy + j * a * 0.45
            c.rect(x - s * 0.04, y - s * 0.03, x + s * 0.04, y + s * 0.05, fill=col)


def diamond(c, cx, cy, s, col):
    a = s * 0.34
    c.polygon([(cx - a, cy - a * 0.3), (cx - a * 0.5, cy - a * 0.8), (cx + a * 0.5, cy - a * 0.8),
               (cx + a, cy - a * 0.3), (cx, cy + a)], fill=col)


def bars(c, cx, cy, s, col, heights=(0.3, 0.5, 0.7, 0.9)):
    w = s * 0.12
    for i, h in enumerate(heights):
        x = cx - s * 0.3 + i * s * 0.2
        c.rect(x - w / 2, cy + s * 0.34 - h * s * 0.68, x + w / 2, cy + s * 0.34, fill=col)


def sun(c, cx, cy, s, col):
    c.circle(cx, cy, s * 0.14, fill=col)
    for i in range(8):
        t = i * math.pi / 4
        c.line([(cx + s * 0.24 * math.cos(t), cy + s * 0.24 * math.sin(t)),
                (cx + s * 0.36 * math.cos(t), cy + s * 0.36 * math.sin(t))], col, width=s * 0.07)


def contrast(c, cx, cy, s, col):
    c.circle(cx, cy, s * 0.32, outline=col, width=s * 0.07)
    c.draw.pieslice(c._box(cx - s * 0.32, cy - s * 0.32, cx + s * 0.32, cy + s * 0.32), 90, 270, fill=col)


def bulb(c, cx, cy, s, col):
    c.circle(cx, cy - s * 0.08, s * 0.24, outline=col, width=s * 0.07)
    c.rect(cx - s * 0.1, cy + s * 0.17, cx + s * 0.1, cy + s * 0.34, fill=col)


def reset(c, cx, cy, s, col):
    c.arc(cx, cy, s * 0.28, 200, 500, col, width=s * 0.08)
    x, y = cx - s * 0.28 * math.cos(math.radians(20)), cy - s * 0.28 * math.sin(math.radians(20))
    c.polygon([(x - s * 0.14, y - s * 0.02), (x + s * 0.1, y - s * 0.02), (x - s * 0.02, y + s * 0.16)], fill=col)


def circles(c, cx, cy, s, col):
    for t in (90, 210, 330):
        a = math.radians(t)
        c.circle(cx + s * 0.13 * math.cos(a), cy - s * 0.13 * math.sin(a), s * 0.2, outline=col, width=s * 0.06)


def wand(c, cx, cy, s, col):
    c.line([(cx - s * 0.3, cy + s * 0.3), (cx + s * 0.08, cy - s * 0.08)], col, width=s * 0.1)
    k = s * 0.06
    x, y, r = cx + s * 0.2, cy - s * 0.2, s * 0.18
    c.polygon([(x, y - r), (x + k, y - k), (x + r, y), (x + k, y + k), (x, y + r), (x - k, y + k),
               (x - r, y), (x - k, y - k)], fill=col)


def frame(c, cx, cy, s, col):
    a = s * 0.34
    c.rrect(cx - a, cy - a * 0.8, cx + a, cy + a * 0.8, s * 0.03, outline=col, width=s * 0.1)
    c.rect(cx - a * 0.45, cy - a * 0.3, cx + a * 0.45, cy + a * 0.3, outline=col, width=s * 0.05)


def dots(c, cx, cy, s, col):
    for i, r in enumerate((0.05, 0.08, 0.12)):
        c.circle(cx - s * 0.26 + i * s * 0.24, cy, s * r, fill=col)


def pencil(c, cx, cy, s, col):
    c.line([(cx - s * 0.2, cy + s * 0.2), (cx + s * 0.22, cy - s * 0.22)], col, width=s * 0.16, round_ends=False)
    c.polygon([(cx - s * 0.26, cy + s * 0.1), (cx - s * 0.1, cy + s * 0.26), (cx - s * 0.34, cy + s * 0.34)], fill=col)


def palette(c, cx, cy, s, col):
    colours = [rgb("D64541"), rgb("F4CA06"), rgb("3E8ED0"), rgb("4CAF7D")]
    c.circle(cx, cy, s * 0.34, outline=col, width=s * 0.06)
    for i, colour in enumerate(colours):
        a = math.radians(45 + 90 * i)
        c.circle(cx + s * 0.15 * math.cos(a), cy - s * 0.15 * math.sin(a), s * 0.09, fill=colour)


def stamp(c, cx, cy, s, col):
    c.rrect(cx - s * 0.1, cy - s * 0.36, cx + s * 0.1, cy - s * 0.06, s * 0.08, fill=col)
    c.rrect(cx - s * 0.3, cy - s * 0.06, cx + s * 0.3, cy + s * 0.14, s * 0.04, fill=col)
    c.rect(cx - s * 0.34, cy + s * 0.22, cx + s * 0.34, cy + s * 0.3, fill=col)


def waves(c, cx, cy, s, col):
    c.circle(cx - s * 0.2, cy + s * 0.2, s * 0.06, fill=col)
    for r in (0.22, 0.4):
        c.arc(cx - s * 0.2, cy + s * 0.2, s * r, 270, 360, col, width=s * 0.07)


def record_type(c, cx, cy, s, col):
    c.rrect(cx - s * 0.34, cy - s * 0.26, cx + s * 0.34, cy + s * 0.26, s * 0.06, outline=col, width=s * 0.07)
    c.circle(cx, cy, s * 0.11, fill=RECORD_RED)


def gear(c, cx, cy, s, col, hole=(255, 255, 255)):
    pts = []
    for i in range(32):
        a = i * math.pi / 16
        r = s * (0.36 if (i // 2) % 2 == 0 else 0.26)
        pts.append((cx + r * math.cos(a + math.pi / 16), cy + r * math.sin(a + math.pi / 16)))
    c.polygon(pts, fill=col)
    c.circle(cx, cy, s * 0.11, fill=hole)
