"""Drawing surface and file writers for the skin script.

Shapes are drawn on a canvas four times larger than the picture and scaled
down at the end, which gives smooth edges; masks are drawn at their own size
without smoothing, so every key colour stays exact.
"""
import os

from PIL import Image, ImageDraw

SCALE = 4


def rgb(text):
    """"3C4856" -> (0x3C, 0x48, 0x56)."""
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


class Canvas:
    """A picture of width x height drawn in 1x coordinates, smoothed."""

    def __init__(self, width, height, fill=(0, 0, 0), mode="RGB"):
        self.width, self.height = width, height
        self.image = Image.new(mode, (width * SCALE, height * SCALE), fill)
        self.draw = ImageDraw.Draw(self.image)

    @staticmethod
    def _s(v):
        return v * SCALE

    @staticmethod
    def _w(width):
        return max(1, round(width * SCALE))

    def _box(self, x0, y0, x1, y1):
        return [self._s(x0), self._s(y0), self._s(x1) - 1, self._s(y1) - 1]

    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=1):
        self.draw.rectangle(self._box(x0, y0, x1, y1), fill=fill, outline=outline,
                            width=self._w(width) if outline else 0)

    def rrect(self, x0, y0, x1, y1, radius, fill=None, outline=None, width=1):
        self.draw.rounded_rectangle(self._box(x0, y0, x1, y1), radius=self._s(radius), fill=fill,
                                    outline=outline, width=self._w(width) if outline else 0)

    def circle(self, cx, cy, r, fill=None, outline=None, width=1):
        self.draw.ellipse(self._box(cx - r, cy - r, cx + r, cy + r), fill=fill, outline=outline,
                          width=self._w(width) if outline else 0)

    def ellipse(self, x0, y0, x1, y1, fill=None, outline=None, width=1):
        self.draw.ellipse(self._box(x0, y0, x1, y1), fill=fill, outline=outline,
                          width=self._w(width) if outline else 0)

    def arc(self, cx, cy, r, start, end, fill, width=1):
        self.draw.arc(self._box(cx - r, cy - r, cx + r, cy + r), start, end, fill=fill,
                      width=self._w(width))

    def polygon(self, points, fill=None, outline=None):
        self.draw.polygon([(self._s(x), self._s(y)) for x, y in points], fill=fill, outline=outline)

    def line(self, points, fill, width=1.5, round_ends=True):
        pts = [(self._s(x), self._s(y)) for x, y in points]
        w = max(1, round(self._s(width)))
        self.draw.line(pts, fill=fill, width=w, joint="curve")
        if round_ends:
            r = w / 2
            for x, y in (pts[0], pts[-1]):
                self.draw.ellipse([x - r, y - r, x + r, y + r], fill=fill)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        for y in range(self._s(y0), self._s(y1)):
            t = (y - self._s(y0)) / max(1, self._s(y1) - self._s(y0) - 1)
            self.draw.line([(self._s(x0), y), (self._s(x1) - 1, y)], fill=mix(top, bottom, t))

    def text(self, x, y, words, font, fill):
        self.draw.text((self._s(x), self._s(y)), words, font=font, fill=fill)

    def paste(self, other, x, y):
        """Pastes another canvas (at the same scale) with its top-left at (x, y)."""
        self.image.paste(other.image, (self._s(x), self._s(y)))

    def result(self):
        if self.image.mode == "RGBA":
            # Scale with premultiplied alpha, or clear pixels darken the edges.
            small = self.image.convert("RGBa").resize((self.width, self.height), Image.LANCZOS)
            return small.convert("RGBA")
        return self.image.resize((self.width, self.height), Image.LANCZOS)


class Mask:
    """A mask drawn pixel-exact: no smoothing, so colours stay what they are."""

    def __init__(self, width, height, fill):
        self.image = Image.new("RGB", (width, height), fill)
        self.draw = ImageDraw.Draw(self.image)

    def rect(self, x0, y0, x1, y1, colour):
        self.draw.rectangle([x0, y0, x1 - 1, y1 - 1], fill=colour)

    def rrect(self, x0, y0, x1, y1, radius, colour):
        self.draw.rounded_rectangle([x0, y0, x1 - 1, y1 - 1], radius=radius, fill=colour)

    def circle(self, cx, cy, r, colour):
        self.draw.ellipse([cx - r, cy - r, cx + r - 1, cy + r - 1], fill=colour)

    def outside_rounded_corners(self, radius, colour):
        """Paints colour wherever a rounded rectangle of the whole size is not."""
        w, h = self.image.size
        shape = Image.new("1", (w, h), 0)
        ImageDraw.Draw(shape).rounded_rectangle([0, 0, w - 1, h - 1], radius=radius, fill=1)
        outside = Image.new("RGB", (w, h), colour)
        self.image.paste(outside, (0, 0), shape.point(lambda v: 255 if v == 0 else 0).convert("L"))


def save_jpeg(image, path):
    # 4:4:4 keeps the faces of neighbouring buttons from bleeding into each other.
    image.convert("RGB").save(path, "JPEG", quality=93, subsampling=0, optimize=True)


def exact_palette_image(image, what):
    """The picture as 8-bit palette indices over its own colours, unchanged."""
    rgb_image = image.convert("RGB")
    colours = sorted({c for _, c in rgb_image.getcolors(maxcolors=1 << 16) or []})
    if not colours or len(colours) > 256:
        raise ValueError(f"{what}: a mask needs 1..256 colours, has {len(colours)}")
    index = {c: i for i, c in enumerate(colours)}
    paletted = Image.new("P", rgb_image.size)
    palette = [v for c in colours for v in c]
    paletted.putpalette(palette + [0] * (768 - len(palette)))
    paletted.putdata([index[c] for c in rgb_image.getdata()])
    return paletted


def save_bmp(image, path):
    """A mask as an 8-bit palette BMP: exact colours at a third of the size."""
    exact_palette_image(image, path).save(path, "BMP")


def save_png(image, path):
    image.save(path, "PNG", optimize=True)


def save_gif(image, path):
    """A lossless GIF: the palette is built from the picture's own colours."""
    exact_palette_image(image, path).save(path, "GIF")


def write_sized_pngs(folder, pictures):
    """Writes {name: ((w, h), image)} as PNGs into folder, refusing a picture
    drawn at another size than its entry says; returns the names written."""
    ensure_folder(folder)
    names = []
    for name, (size, image) in pictures.items():
        if image.size != size:
            raise ValueError(f"{name}: drawn {image.size}, want {size}")
        save_png(image, os.path.join(folder, name))
        names.append(name)
    return names


def size_errors(folder, pictures, label):
    """Reads each picture of {name: ((w, h), image)} back from folder and
    lists those whose size differs."""
    errors = []
    for name, (size, _) in pictures.items():
        image = Image.open(os.path.join(folder, name))
        if image.size != size:
            errors.append(f"{label}/{name}: not {size}")
    return errors


def ensure_folder(path):
    os.makedirs(path, exist_ok=True)


def write_config(path, lines):
    """Configuration texts: 8-bit, one entry per line, CR LF endings."""
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("ascii"))
