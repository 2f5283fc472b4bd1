"""Counts the pixel rows of a PNG that hold a long run of one colour: how a test sees the
rows of a state in a screenshot without an image library.
    png_rows.py FILE RRGGBB MIN_RUN  ->  prints the number of such pixel rows"""
import struct
import sys
import zlib


def read_png(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, chunks, header = 8, [], None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            chunks.append(body)
        pos += 12 + length
    width, height, depth, colour_type, _, _, interlace = header
    assert depth == 8 and colour_type in (2, 6) and interlace == 0, "only 8-bit RGB(A) PNGs"
    channels = 3 if colour_type == 2 else 4
    raw = zlib.decompress(b"".join(chunks))
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            left = line[x - channels] if x >= channels else 0
            up = previous[x]
            corner = previous[x - channels] if x >= channels else 0
            if kind == 1:
                line[x] = (line[x] + left) & 255
            elif kind == 2:
                line[x] = (line[x] + up) & 255
            elif kind == 3:
                line[x] = (line[x] + (left + up) // 2) & 255
            elif kind == 4:
                guess = left + up - corner
                near = min((abs(guess - left), 0), (abs(guess - up), 1), (abs(guess - corner), 2))[1]
                line[x] = (line[x] + (left, up, corner)[near]) & 255
        rows.append(bytes(line))
        previous = line
    return width, channels, rows


def main():
    path, colour, min_run = sys.argv[1], bytes.fromhex(sys.argv[2]), int(sys.argv[3])
    width, channels, rows = read_png(path)
    counted = 0
    for line in rows:
        run = best = 0
        for x in range(width):
            run = run + 1 if line[x * channels:x * channels + 3] == colour else 0
            best = max(best, run)
        counted += best >= min_run
    print(counted)


main()
