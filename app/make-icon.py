#!/usr/bin/env python3
"""Draws the program icon "APP": an open box with an arrow going into it, 32x32 and 16x16,
16 colours (the standard VGA palette). Run it again after changing the drawing:
    app/make-icon.py app/APP.ico
"""
import struct
import sys

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
OUTLINE, BOX, SHADE, ARROW = 0, 3, 1, 12
TRANSPARENT = None


def draw(size):
    """Rows top to bottom of palette indexes or TRANSPARENT."""
    s = size / 32.0
    pixels = [[TRANSPARENT] * size for _ in range(size)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), max(int(y1 * s), int(y0 * s) + 1)):
            for x in range(int(x0 * s), max(int(x1 * s), int(x0 * s) + 1)):
                if 0 <= x < size and 0 <= y < size:
                    pixels[y][x] = colour

    # The box: front face with a darker side band, outlined.
    fill(3, 14, 29, 31, OUTLINE)
    fill(4, 15, 28, 30, BOX)
    fill(22, 15, 28, 30, SHADE)
    fill(3, 14, 29, 16, OUTLINE)
    # The arrow: a shaft and a head pointing down into the box.
    fill(13, 1, 19, 12, ARROW)
    for row in range(8):
        fill(8 + row * 0.75, 10 + row, 24 - row * 0.75, 11 + row, ARROW)
    return pixels


def image(size):
    pixels = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor_row = (size * 4 + 31) // 32 * 4
    and_row = (size + 31) // 32 * 4
    xor = b''
    mask = b''
    for row in reversed(pixels):  # bottom-up
        nibbles = [0 if p is TRANSPARENT else p for p in row]
        line = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        xor += line.ljust(xor_row, b'\0')
        bits = 0
        line = b''
        for i, p in enumerate(row):
            bits = (bits << 1) | (1 if p is TRANSPARENT else 0)
            if i % 8 == 7:
                line += bytes([bits])
                bits = 0
        mask += line.ljust(and_row, b'\0')
    return header + palette + xor + mask


def main(path):
    sizes = [32, 16]
    images = [image(n) for n in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', n, n, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'APP.ico')
