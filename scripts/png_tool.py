#!/usr/bin/env python3
"""Small PNG helper for the report check and the README's pictures, with
nothing but the standard library (8-bit RGB or RGBA, not interlaced, as a
browser's screenshot is).

    png_tool.py colours FILE          prints how many colours the picture holds
    png_tool.py crop FILE OUT TOP HEIGHT   writes rows TOP .. TOP+HEIGHT-1 to OUT
"""

import struct
import sys
import zlib


def read_png(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit("%s: not a PNG file" % path)
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise SystemExit("%s: only 8-bit RGB or RGBA pictures are read" % path)
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for x in range(stride):
            a = line[x - channels] if x >= channels else 0
            b = previous[x]
            c = previous[x - channels] if x >= channels else 0
            if kind == 1:
                line[x] = (line[x] + a) & 255
            elif kind == 2:
                line[x] = (line[x] + b) & 255
            elif kind == 3:
                line[x] = (line[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        previous = line
    return width, channels, rows


def write_png(path, width, channels, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(
            ">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    colour = 2 if channels == 3 else 6
    raw = b"".join(b"\x00" + row for row in rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, len(rows), 8, colour, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def main(argv):
    if len(argv) == 3 and argv[1] == "colours":
        width, channels, rows = read_png(argv[2])
        colours = set()
        for row in rows[::4]:
            for x in range(0, width * channels, channels * 4):
                colours.add(row[x:x + 3])
        print(len(colours))
    elif len(argv) == 6 and argv[1] == "crop":
        width, channels, rows = read_png(argv[2])
        top, height = int(argv[4]), int(argv[5])
        write_png(argv[3], width, channels, rows[top:top + height])
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
