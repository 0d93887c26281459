#!/usr/bin/env python3
"""Prints the colours in rectangles of a screenshot in binary PPM (P6), one line a rectangle,
each colour once as #RRGGBB, in the order first met. With --changed, only the colours of the
pixels that differ from those of an earlier screenshot.
    screen_colours.py SHOT.ppm X Y WIDTH HEIGHT [X Y WIDTH HEIGHT ...]
    screen_colours.py --changed BEFORE.ppm SHOT.ppm X Y WIDTH HEIGHT [...]"""
import sys


def read_ppm(path):
    with open(path, "rb") as shot:
        data = shot.read()
    fields, at = [], 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        if data[at:at + 1] == b"#":
            at = data.index(b"\n", at)
            continue
        end = at
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[at:end])
        at = end
    if fields[0] != b"P6" or fields[3] != b"255":
        sys.exit(f"{path}: not an 8-bit binary PPM")
    return int(fields[1]), int(fields[2]), data[at + 1:]


def main():
    arguments = sys.argv[1:]
    before = None
    if arguments[0] == "--changed":
        before = read_ppm(arguments[1])[2]
        arguments = arguments[2:]
    width, height, pixels = read_ppm(arguments[0])
    numbers = [int(n) for n in arguments[1:]]
    for x, y, w, h in zip(*[iter(numbers)] * 4):
        seen = {}
        for row in range(max(y, 0), min(y + h, height)):
            start = (row * width + max(x, 0)) * 3
            end = (row * width + min(x + w, width)) * 3
            for i in range(start, end, 3):
                if before is None or before[i:i + 3] != pixels[i:i + 3]:
                    seen.setdefault(pixels[i:i + 3], None)
        print(" ".join("#%02X%02X%02X" % tuple(colour) for colour in seen))


if __name__ == "__main__":
    main()
