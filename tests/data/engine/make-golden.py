#!/usr/bin/env python3
"""Writes postnet-golden.tsv to standard output: addresses with the barcode text the rules
give them. A second reading of the delivery-point and check-digit rules, kept apart from
the C++ engine on purpose; run it again only when the rules change, and review the
difference. Columns: row, rule (ordinary, highrise or point), address, ZIP digits,
delivery point given, expected barcode text with the frame bar "/"."""
import random

PREFIXES = ["PO ", "RR", "HC", "P O ", "R R", "H C", "P.O. ", "R.R.", "H.C.", "P. O. ",
            "R. R.", "H. C.", "POST OFFICE ", "RURAL ROUTE ", "HIGHWAY CONTRACT ROUTE ",
            "RURAL RTE ", "HIGHWAY CONTRACT RTE ", "CMR ", "PSC ", "UNIT ", "BOX "]
ORDINALS3 = "1ST 2ND 3RD 4TH 5TH 6TH 7TH 8TH 9TH 0TH".split()
ORDINALS4 = ["11TH", "12TH", "13TH"]
DESIGNATORS = ("APARTMENT APT BASEMENT BSMT BUILDING BLDG DEPARTMENT DEPT FLOOR FL FRONT FRNT "
               "HANGER HNGR KEY LOBBY LBBY LOT LOWER LOWR OFFICE OFC PENTHOUSE PH PIER REAR "
               "ROOM RM SIDE SLIP SPACE SPC STOP SUITE STE TRAILER TRLR UNIT UPPER UPPR #").split()


def upper(text):
    return "".join(chr(ord(c) - 32) if "a" <= c <= "z" else c for c in text)


def is_letter(c):
    return "A" <= c <= "Z"


def is_digit(c):
    return "0" <= c <= "9"


def ordinary(address):
    a = upper(address).rstrip(" ")
    if not a:
        return "99"
    if any(a.startswith(p) for p in PREFIXES):
        if "BOX " not in a:
            return "99"
        a = a[a.index("BOX ") + 4:]
    word = a.split(" ", 1)[0]
    if not any(is_digit(c) for c in word):
        word = ""
        rest = a[a.index(" ") + 1:] if " " in a else ""
        if rest and is_digit(rest[0]):
            first = rest.split(" ", 1)[0]
            if not (first[-3:] in ORDINALS3 or first[-4:] in ORDINALS4 or "/" in first):
                word = first
    word = word.rstrip("ABCDEFGHIJKLMNOPQRSTUVWXYZ")
    digits = ""
    for c in reversed(word):
        if len(digits) == 2 or not is_digit(c):
            if len(digits) < 2 and c == "/":
                return "99"
            break
        digits = c + digits
    return {0: "99", 1: "0" + digits}.get(len(digits), digits)


def trim_blanks(text):
    while len(text) >= 2 and text[0] == " ":
        text = text[1:]
    while len(text) >= 2 and text[-1] == " ":
        text = text[:-1]
    return text


def unit_text(designator, address):
    patterns = [p % designator for p in [" %s ", " %s. ", " %s# ", " %s #", " %s. #",
                                         " %s NO. ", " %s NO ", " %s. NO. ", " %s. NO "]]
    patterns.append(" #" if designator == "#" else patterns[-1])
    found = ""
    for p in patterns:
        if p in address:
            found = address[address.index(p) + len(p):]
    found = trim_blanks(found)
    return "" if found == " " or found.count(" ") >= 2 else found


def letter_code(c):
    n = ord(c) - ord("A") + 1
    return str(0 if n == 10 else n if n < 10 else n + 10 if n + 10 <= 30 else n + 20)


def highrise(address):
    a = trim_blanks(upper(address))
    while "  " in a:
        a = a.replace("  ", " ")
    unit = next((t for t in (unit_text(d, a) for d in DESIGNATORS) if t), "")
    if not unit:
        return "99"
    unit = next((t for t in (unit_text(d, " " + unit) for d in DESIGNATORS) if t), unit)
    if " " in unit and "/" in unit[unit.index(" ") + 1:]:
        unit = unit[:unit.index(" ")]
    if "/" in unit:
        unit = "00"
    unit = unit.replace(".", "").replace("-", "").replace(" ", "")
    digits = "".join(c for c in unit if is_digit(c))
    letters = [c for c in unit if is_letter(c)]
    if not letters:
        if len(digits) <= 2:
            return {0: "99", 1: "0" + digits}.get(len(digits), digits)
        four = ("0" + digits)[-4:]
        a, b = int(four[:2]), int(four[2:])
        return four[2:] if a == 0 else "%02d" % (b % 25 + 25 * (a % 4))
    if not digits:
        return str(ord(letters[-1]) - ord("A") + 73)
    last = [c for c in unit if is_letter(c) or is_digit(c)][-1]
    if is_digit(last):
        code = letter_code(letters[0])
        return code[-1] + last
    position = len(unit) - 1 - unit[::-1].index(last)
    d = next(c for c in reversed(unit[:position]) if is_digit(c))
    n = str(10 * int(d) + int(letter_code(last)))
    return {1: "0" + n, 3: n[1:3]}.get(len(n), n)


def finish(digits):
    return "/" + digits + str((10 - sum(int(c) for c in digits) % 10) % 10) + "/"


def random_number(rng):
    number = str(rng.randint(0, 99999))
    roll = rng.random()
    if roll < 0.1:
        number += rng.choice("ABCXZ")
    elif roll < 0.15:
        number += "-1/2"
    elif roll < 0.2:
        number = rng.choice(["1/2", "3/4"])
    elif roll < 0.25:
        number = number[:-1] + rng.choice("BK") + number[-1] if len(number) > 1 else number
    return number


def random_street(rng):
    return rng.choice(["MAIN ST", "Elm Ave", "OAK", "5TH ST", "11TH AVE", "1/2 MILE RD",
                       "BROADWAY", "22ND ST", "W MAIN", "Cherry Hill Rd"])


def random_ordinary(rng):
    roll = rng.random()
    if roll < 0.3:
        prefix = rng.choice(PREFIXES)
        return prefix + rng.choice(["", "BOX %s" % random_number(rng), "%d BOX %s" % (
            rng.randint(1, 99), random_number(rng))])
    if roll < 0.45:
        return "%s %s %s" % (rng.choice(["N", "W", "ONE", "SE"]), random_number(rng),
                             random_street(rng))
    if roll < 0.5:
        return rng.choice([" ", "", "   "]) + random_number(rng) + " " + random_street(rng)
    return random_number(rng) + " " + random_street(rng)


def random_unit(rng):
    roll = rng.random()
    if roll < 0.35:
        return str(rng.randint(0, 99999))[: rng.randint(1, 5)]
    if roll < 0.5:
        return rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ")
    if roll < 0.75:
        pieces = [rng.choice("ABJKTUZ"), str(rng.randint(0, 9)), rng.choice("-. "),
                  rng.choice("ABJKTUZ"), str(rng.randint(0, 99))]
        return "".join(rng.sample(pieces, rng.randint(2, 4))).strip()
    if roll < 0.85:
        return "%d %s" % (rng.randint(1, 20), rng.choice(["1/2", "#5", "APT 7", "B"]))
    return rng.choice(["1/2", "5 1/2", "2 #5", "A B C", "#7", "NO 4", ""])


def random_highrise(rng):
    designator = rng.choice(DESIGNATORS)
    separator = rng.choice([" ", ". ", "# ", " #", ". #", " NO. ", " NO ", ". NO. ", " "])
    text = "%s %s %s%s%s" % (random_number(rng), random_street(rng), designator, separator,
                             random_unit(rng))
    if rng.random() < 0.2:
        text = text.replace(" ", "  ", rng.randint(1, 3))
    return text.lower() if rng.random() < 0.2 else text


def main():
    rng = random.Random(20261206)
    rows = []
    for rule, make, digits in [("ordinary", random_ordinary, ordinary),
                               ("highrise", random_highrise, highrise)]:
        for _ in range(1500):
            zip9 = "%09d" % rng.randint(0, 999999999)
            address = make(rng)
            rows.append((rule, address, zip9, "", finish(zip9 + digits(address))))
    for _ in range(200):
        zip9 = "%09d" % rng.randint(0, 999999999)
        point = "%02d" % rng.randint(0, 99)
        address = rng.choice(["", random_ordinary(rng)])
        rows.append(("point", address, zip9, point, finish(zip9 + point)))
    print("# row\trule\taddress\tzip\tpoint\tbarcode")
    for number, row in enumerate(rows, 1):
        assert all("\t" not in field for field in row)
        print("%d\t%s" % (number, "\t".join(row)))


if __name__ == "__main__":
    main()
