#!/usr/bin/env python3
"""Writes zint-golden.txt: Intelligent Mail barcodes for generated inputs as zint draws
them, so that the encoder test can compare with an independent encoder offline.

Run from anywhere: python3 tests/data/imb/make-golden.py  (needs zint on the PATH)."""
import os
import random
import subprocess

COUNT = 3000
HERE = os.path.dirname(os.path.abspath(__file__))


def letters(dump):
    """Turns zint's three module rows (ascender, tracker, descender) into A/D/F/T."""
    rows = [bin(int(line.replace(" ", ""), 16))[2:].zfill(len(line.replace(" ", "")) * 4)
            for line in dump.strip().splitlines()]
    out = []
    for column in range(0, 129, 2):
        up, down = rows[0][column] == "1", rows[2][column] == "1"
        out.append("F" if up and down else "A" if up else "D" if down else "T")
    return "".join(out)


def tracking(rng):
    digits = [rng.choice("0123456789"), rng.choice("01234")]
    digits += [rng.choice("0123456789") for _ in range(18)]
    return "".join(digits)


def routing(rng, row):
    length = (0, 5, 9, 11)[row % 4]
    kind = rng.random()
    if kind < 0.1:
        return "0" * length  # boundaries of each routing length
    if kind < 0.2:
        return "9" * length
    return "".join(rng.choice("0123456789") for _ in range(length))


def main():
    rng = random.Random(15)
    lines = ["# row tracking routing bars; routing '-' means none. Made by make-golden.py "
             "with zint " + subprocess.run(["zint", "--version"], capture_output=True,
                                          text=True).stdout.split()[-1]]
    for row in range(1, COUNT + 1):
        track = tracking(rng)
        if 1 <= row % 50 <= 4:  # the smallest and largest tracking codes with every length
            track = rng.choice(["00000000000000000000", "94999999999999999999"])
        route = routing(rng, row)
        data = track + ("-" + route if route else "")
        dump = subprocess.run(["zint", "-b", "USPS_IMAIL", "--dump", "-d", data],
                              capture_output=True, text=True, check=True).stdout
        lines.append(f"{row} {track} {route or '-'} {letters(dump)}")
    with open(os.path.join(HERE, "zint-golden.txt"), "w") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
