#!/usr/bin/env python3
# Writes zint-24-digits.txt: 24-digit inputs with the bar and space widths, in modules,
# that zint draws for them as Code 128. Run from this folder with zint on the PATH.
import random
import subprocess

NAMED = [
    "000000000000000000000000",
    "999999999999999999999999",
    "123456781123456123123451",  # the sample of the tray label publication
    "752012501912345600000001",  # a tray tag, 6-digit mailer ID, serial 1
    "770004841999999999999998",  # a sack tag, 9-digit mailer ID, serial 99999
    "010100000000000000000000",
]


def zint_widths(digits):
    dump = subprocess.run(["zint", "-b", "CODE128", "--dump", "-d", digits],
                          capture_output=True, text=True, check=True).stdout
    bits = "".join(format(int(byte, 16), "08b") for byte in dump.split())
    bits = bits[: bits.rindex("1") + 1]
    widths, start = [], 0
    while start < len(bits):
        end = start
        while end < len(bits) and bits[end] == bits[start]:
            end += 1
        widths.append(str(end - start))
        start = end
    return "".join(widths)


def check_value(digits):
    pairs = [int(digits[i:i + 2]) for i in range(0, 24, 2)]
    return (105 + sum((i + 1) * p for i, p in enumerate(pairs))) % 103


def main():
    rng = random.Random(18)
    inputs = list(NAMED)
    # One input for every check value, so that every codeword's pattern is drawn once.
    for wanted in range(103):
        while True:
            digits = "".join(rng.choice("0123456789") for _ in range(24))
            if check_value(digits) == wanted:
                inputs.append(digits)
                break
    inputs += ["".join(rng.choice("0123456789") for _ in range(24)) for _ in range(200)]
    with open("zint-24-digits.txt", "w") as out:
        out.write("# digits widths (zint 2.11.1: zint -b CODE128 --dump -d DIGITS)\n")
        for digits in inputs:
            out.write(f"{digits} {zint_widths(digits)}\n")


main()
