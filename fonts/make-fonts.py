#!/usr/bin/python3
# Makes Marrowby's two barcode fonts, MarrowbyPOSTNET.ttf and MarrowbyIntelligentMail.ttf,
# from the engine's own bar table. Needs fontTools (Debian python3-fonttools).
#
#   fonts/make-fonts.py [OUTPUT-FOLDER]      (default: the folder of this script)
#
# The output is byte for byte the same on every run, so the committed fonts can be
# checked against a fresh one.

import pathlib
import re
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.misc.timeTools import timestampFromString
from fontTools.pens.ttGlyphPen import TTGlyphPen

HERE = pathlib.Path(__file__).resolve().parent
ENGINE_SOURCE = HERE.parent / "src" / "engine" / "BarcodeEngine.cpp"

# Both fonts are drawn for 16 pt. At that size an em is 16/72 in, so one inch is
# 4400 * 72 / 16 = 19800 font units, which every nominal POSTNET dimension divides exactly:
# pitch 1/22 in = 900, bar 0.020 in = 396, full bar 0.125 in = 2475, half 0.050 in = 990.
NOMINAL_POINTS = 16
UNITS_PER_EM = 4400
UNITS_PER_INCH = UNITS_PER_EM * 72 // NOMINAL_POINTS


def units(inches):
    return round(inches * UNITS_PER_INCH)


PITCH = units(1 / 22)
BAR_WIDTH = units(0.020)
BAR_LEFT = (PITCH - BAR_WIDTH) // 2  # each bar is centred in its pitch cell

# POSTNET bars stand on the baseline.
POSTNET_FULL = units(0.125)
POSTNET_HALF = units(0.050)

# Intelligent Mail bars share a tracker in the middle; the ascender and descender extend
# it by the same amount up and down. The tracker takes the odd unit of 0.048 in so that
# both extensions are equal and the full bar keeps its nominal 0.145 in exactly.
IMB_FULL = units(0.145)
IMB_TRACKER = units(0.048) | 1
IMB_EXTENSION = (IMB_FULL - IMB_TRACKER) // 2

# Line metrics shared by both fonts: one em per line, 0.8 em above the baseline and 0.2
# below. That clears the tallest bar by more than the 0.028 in that mail pieces need
# above and below a barcode, and word processors clip nothing.
ASCENT = UNITS_PER_EM * 8 // 10
DESCENT = UNITS_PER_EM - ASCENT

FONT_VERSION = "1.000"
# Fixed so that every run writes the same bytes.
TIMESTAMP = timestampFromString("Tue Dec  1 00:00:00 2026")
COPYRIGHT = "Copyright the Marrowby developers."
LICENCE = (
    "Free to use, copy, share and embed in documents. "
    "Made for and distributed with Marrowby."
)

# Every other printable character of Latin-1 draws nothing, so that a word processor
# never falls back to another font and prints a letter in the middle of a barcode.
PRINTABLE = [c for c in range(0x20, 0x7F)] + [c for c in range(0xA0, 0x100)]


def engine_bar_table(source):
    """The character -> "L"/"S" bars table of the engine, read from its source."""
    block = re.search(r"kBars = \{\{(.*?)\}\};", source.read_text(encoding="utf-8"), re.S)
    table = dict(re.findall(r"\{'(.)',\s*\"([LS]+)\"\}", block.group(1) if block else ""))
    if sorted(table) != sorted("/0123456789"):
        sys.exit(f"{source}: bar table not found (got {sorted(table)})")
    return table


def bars_glyph(bars):
    """A glyph of bars side by side, one per pitch; each bar is (bottom, top)."""
    pen = TTGlyphPen(None)
    for i, (bottom, top) in enumerate(bars):
        left = i * PITCH + BAR_LEFT
        right = left + BAR_WIDTH
        # Clockwise: the outer contour direction of TrueType outlines.
        pen.moveTo((left, bottom))
        pen.lineTo((left, top))
        pen.lineTo((right, top))
        pen.lineTo((right, bottom))
        pen.closePath()
    return pen.glyph(), len(bars) * PITCH


def blank_glyph():
    # A character without bars still takes one pitch: a wrong frame-bar character then
    # shows as a gap where the frame bar belongs, and the bars around it keep their pitch.
    return TTGlyphPen(None).glyph(), PITCH


def build(family, file_name, drawn, description, fixed_pitch, folder):
    """drawn maps a character to its glyph name and (glyph, advance)."""
    ps_name = family.replace(" ", "") + "-Regular"
    glyphs = {".notdef": blank_glyph(), "space": blank_glyph()}
    cmap = {code: "space" for code in PRINTABLE}
    for char, (name, glyph) in drawn.items():
        glyphs[name] = glyph
        cmap[ord(char)] = name

    fb = FontBuilder(UNITS_PER_EM, isTTF=True)
    fb.setupGlyphOrder(list(glyphs))
    fb.setupCharacterMap(cmap)
    fb.setupGlyf({name: glyph for name, (glyph, _) in glyphs.items()})
    glyf = fb.font["glyf"]
    fb.setupHorizontalMetrics(
        {name: (advance, getattr(glyf[name], "xMin", 0)) for name, (_, advance) in glyphs.items()}
    )
    fb.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT, lineGap=0)
    fb.setupHead(
        unitsPerEm=UNITS_PER_EM,
        fontRevision=float(FONT_VERSION),
        created=TIMESTAMP,
        modified=TIMESTAMP,
    )
    fb.setupNameTable(
        {
            "copyright": COPYRIGHT,
            "familyName": family,
            "styleName": "Regular",
            "uniqueFontIdentifier": f"{FONT_VERSION};{ps_name}",
            "fullName": family,
            "version": f"Version {FONT_VERSION}",
            "psName": ps_name,
            "manufacturer": "The Marrowby developers",
            "description": description,
            "licenseDescription": LICENCE,
        },
        mac=False,
    )
    fb.setupOS2(
        version=4,
        achVendID="NONE",
        usWeightClass=400,
        usWidthClass=5,
        fsType=0,  # installable: documents may embed the font
        fsSelection=0x00C0,  # regular, line spacing from the typographic metrics
        sTypoAscender=ASCENT,
        sTypoDescender=-DESCENT,
        sTypoLineGap=0,
        usWinAscent=ASCENT,
        usWinDescent=DESCENT,
        sxHeight=0,
        sCapHeight=0,
        xAvgCharWidth=PITCH,
        yStrikeoutSize=BAR_WIDTH,
        yStrikeoutPosition=UNITS_PER_EM // 4,
        ulUnicodeRange1=0b11,  # Basic Latin, Latin-1 Supplement
        ulCodePageRange1=1,  # Latin 1
    )
    fb.setupPost(
        isFixedPitch=int(fixed_pitch),
        underlinePosition=-DESCENT // 2,
        underlineThickness=BAR_WIDTH,
    )
    fb.setupMaxp()
    fb.save(folder / file_name)


def main():
    folder = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else HERE
    folder.mkdir(parents=True, exist_ok=True)
    size = f"{NOMINAL_POINTS} pt"

    heights = {"L": (0, POSTNET_FULL), "S": (0, POSTNET_HALF)}
    digit_names = "zero one two three four five six seven eight nine".split()
    names = {"/": "slash", **dict(zip("0123456789", digit_names))}
    postnet = {
        char: (names[char], bars_glyph([heights[bar] for bar in bars]))
        for char, bars in engine_bar_table(ENGINE_SOURCE).items()
    }
    build(
        "Marrowby POSTNET",
        "MarrowbyPOSTNET.ttf",
        postnet,
        f"POSTNET barcode bars for Marrowby's barcode texts; use at {size}. "
        "Digits draw five bars each, / draws the frame bar.",
        fixed_pitch=False,
        folder=folder,
    )

    top = IMB_FULL
    tracker_bottom = IMB_EXTENSION
    tracker_top = IMB_EXTENSION + IMB_TRACKER
    states = {
        "A": (tracker_bottom, top),
        "D": (0, tracker_top),
        "F": (0, top),
        "T": (tracker_bottom, tracker_top),
    }
    imb = {letter: (letter, bars_glyph([bar])) for letter, bar in states.items()}
    build(
        "Marrowby Intelligent Mail",
        "MarrowbyIntelligentMail.ttf",
        imb,
        f"Intelligent Mail barcode bars; use at {size}. A ascender, D descender, "
        "F full bar, T tracker.",
        fixed_pitch=True,
        folder=folder,
    )


if __name__ == "__main__":
    main()
