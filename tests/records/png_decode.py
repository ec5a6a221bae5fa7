#!/usr/bin/env python3
"""Independent PNG decoder for the tests: checks signature, chunk CRCs and the IHDR, undoes
the row filters and writes the raw pixels (width, height, channels as a text header line)."""
import struct
import sys
import zlib


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def decode(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("bad signature")
    pos, idat, header, ended = 8, b"", None, False
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind = data[pos + 4:pos + 8]
        body = data[pos + 8:pos + 8 + length]
        (crc,) = struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])
        if zlib.crc32(kind + body) & 0xFFFFFFFF != crc:
            raise ValueError("bad CRC in " + kind.decode())
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            ended = True
        pos += 12 + length
    if header is None or not ended or pos != len(data):
        raise ValueError("missing IHDR or IEND, or bytes after IEND")
    width, height, depth, colour, comp, filt, interlace = header
    if depth != 8 or colour not in (2, 6) or comp or filt or interlace:
        raise ValueError("unexpected IHDR %r" % (header,))
    bpp = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * bpp
    if len(raw) != height * (stride + 1):
        raise ValueError("wrong amount of image data")
    out, prior = bytearray(), bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            a = row[x - bpp] if x >= bpp else 0
            b = prior[x]
            c = prior[x - bpp] if x >= bpp else 0
            pred = [0, a, b, (a + b) >> 1, paeth(a, b, c)][kind]
            row[x] = (row[x] + pred) & 0xFF
        out += row
        prior = row
    return width, height, bpp, bytes(out)


def main():
    with open(sys.argv[1], "rb") as f:
        width, height, bpp, pixels = decode(f.read())
    with open(sys.argv[2], "wb") as f:
        f.write(b"%d %d %d\n" % (width, height, bpp) + pixels)


if __name__ == "__main__":
    main()
