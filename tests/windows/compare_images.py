#!/usr/bin/env python3
"""Compares two screenshots of the editor: a PNG (8-bit RGB or RGBA, as the
Linux tools write) or a 24/32-bit BMP each. Prints the size, the largest
channel difference and the share of pixels that differ by more than the
tolerance; exits 0 when the images have the same size and at most
--max-share of the pixels differ by more than --tolerance.

  compare_images.py A B [--tolerance 8] [--max-share 0.01]
"""
import struct
import sys
import zlib


def read_png(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(path + ": not a PNG")
    pos, idat, width = 8, b"", 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                raise ValueError(path + ": only 8-bit RGB/RGBA PNG without interlace")
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous, at = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                pred = left if pa <= pb and pa <= pc else (up if pb <= pc else corner)
                line[i] = (line[i] + pred) & 255
        rows.append([tuple(line[x * channels:x * channels + 3]) for x in range(width)])
        previous = line
    return width, height, rows


def read_bmp(path):
    data = open(path, "rb").read()
    if data[:2] != b"BM":
        raise ValueError(path + ": not a BMP")
    offset = struct.unpack("<I", data[10:14])[0]
    width, height, _, bits = struct.unpack("<iiHH", data[18:30])
    step = bits // 8
    stride = (width * step + 3) & ~3
    rows = []
    for y in range(abs(height)):
        row = y if height < 0 else abs(height) - 1 - y
        base = offset + row * stride
        rows.append([(data[base + x * step + 2], data[base + x * step + 1], data[base + x * step])
                     for x in range(width)])
    return width, abs(height), rows


def read_image(path):
    return read_png(path) if open(path, "rb").read(4) == b"\x89PNG" else read_bmp(path)


def main(argv):
    args = [a for a in argv[1:] if not a.startswith("--")]
    options = dict(zip(argv[1::], argv[2::]))
    tolerance = int(options.get("--tolerance", 8))
    max_share = float(options.get("--max-share", 0.01))
    (wa, ha, a), (wb, hb, b) = read_image(args[0]), read_image(args[1])
    if (wa, ha) != (wb, hb):
        print("size %dx%d vs %dx%d" % (wa, ha, wb, hb))
        return 1
    largest, differing = 0, 0
    for ra, rb in zip(a, b):
        for pa, pb in zip(ra, rb):
            d = max(abs(pa[0] - pb[0]), abs(pa[1] - pb[1]), abs(pa[2] - pb[2]))
            largest = max(largest, d)
            differing += d > tolerance
    share = differing / float(wa * ha)
    print("size %dx%d, largest channel difference %d, %.4f%% of pixels differ by more than %d"
          % (wa, ha, largest, 100.0 * share, tolerance))
    return 0 if share <= max_share else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
