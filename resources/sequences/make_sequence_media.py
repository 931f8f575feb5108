#!/usr/bin/env python3
"""Writes the capture banner (an animated GIF) and the shutter sound (a short
PCM WAV) used when a picture is taken. Deterministic: the same files every
run. Usage: make_sequence_media.py <output folder>"""
import math
import struct
import sys
import wave
from pathlib import Path

WIDTH, HEIGHT, FRAMES = 180, 40, 6


def lzw_uncompressed(indexes, min_code_size=7):
    """GIF LZW data that never grows its table: a clear code before every
    run of 100 literals keeps each code at min_code_size + 1 bits."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    width = min_code_size + 1
    codes = []
    for start in range(0, len(indexes), 100):
        codes.append(clear)
        codes.extend(indexes[start:start + 100])
    codes.append(end)
    bits, count, out = 0, 0, bytearray()
    for code in codes:
        bits |= code << count
        count += width
        while count >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            count -= 8
    if count:
        out.append(bits & 0xFF)
    blocks = bytearray([min_code_size])
    for start in range(0, len(out), 255):
        chunk = out[start:start + 255]
        blocks += bytes([len(chunk)]) + chunk
    return bytes(blocks + b"\x00")


def banner_frame(frame):
    """A grey strip with a white band sweeping left to right."""
    band = (frame * WIDTH) // FRAMES
    pixels = []
    for y in range(HEIGHT):
        for x in range(WIDTH):
            lit = band <= x < band + WIDTH // FRAMES
            edge = y in (0, HEIGHT - 1)
            pixels.append(2 if edge else (1 if lit else 0))
    return pixels


def write_banner(path):
    palette = [(0x50, 0x50, 0x58), (0xFF, 0xFF, 0xFF), (0x20, 0x20, 0x20)]
    palette += [(0, 0, 0)] * (128 - len(palette))
    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", WIDTH, HEIGHT, 0xF6, 0, 0)  # global table of 128
    for red, green, blue in palette:
        data += bytes([red, green, blue])
    data += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x01\x00\x00"  # loop once more
    for frame in range(FRAMES):
        data += b"\x21\xF9\x04\x00" + struct.pack("<H", 10) + b"\x00\x00"  # 100 ms
        data += b"\x2C" + struct.pack("<HHHHB", 0, 0, WIDTH, HEIGHT, 0)
        data += lzw_uncompressed(banner_frame(frame))
    data += b"\x3B"
    Path(path).write_bytes(bytes(data))


def write_shutter(path):
    """0.18 s of a decaying click at 22,050 Hz, 16-bit mono."""
    rate = 22050
    samples = []
    for n in range(int(rate * 0.18)):
        t = n / rate
        level = math.exp(-t * 30.0) * (0.6 * math.sin(2 * math.pi * 1800 * t) +
                                       0.4 * math.sin(2 * math.pi * 530 * t))
        samples.append(int(max(-1.0, min(1.0, level)) * 20000))
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(struct.pack("<%dh" % len(samples), *samples))


if __name__ == "__main__":
    folder = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parent)
    write_banner(folder / "banner.gif")
    write_shutter(folder / "camera.wav")
