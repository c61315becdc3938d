#!/usr/bin/env python3
"""Cuts the page's Japanese Gothic down to the program's own texts.

    subset_font.py FONT TEXTS OUTPUT.woff2 COPYRIGHT LICENCE

FONT is IPAPGothic (Debian's fonts-ipafont-gothic), the stand-in for the
design's proportional Gothic; TEXTS is what font_texts wrote. The result
holds exactly the glyphs of those characters, as WOFF2 (fontTools, Brotli).
The font's licence, which must go with it, is written to LICENCE from the
package's COPYRIGHT file (its "License: IPA-1" paragraph, Japanese and
English).

The IPA Font License lets a cut-down font be passed on only under another
name (Article 3.1 (4)): every name record is renamed, and the file is
called after the new name. No hinting: browsers scale the outlines alone,
so the fixed-size labels fit the same on every device.
"""

import sys

from fontTools import subset

FAMILY = "Tavri Gothic"
POSTSCRIPT = "TavriGothic-Regular"


def write_licence(copyright_path, output):
    """The IPA-1 licence text of a Debian copyright file (DEP-5)."""
    lines, inside = [], False
    with open(copyright_path, encoding="utf-8") as copyright_file:
        for line in copyright_file:
            if line.rstrip() == "License: IPA-1":
                inside = True  # the paragraph of the text, not a file's line
            elif inside and line.startswith(" "):
                lines.append("" if line.strip() == "." else line[1:].rstrip())
            elif inside and lines:
                break
            else:
                inside = False
    if len(lines) < 100 or not any("IPA Font License Agreement v1.0" in l for l in lines):
        sys.exit(f"no IPA Font License in {copyright_path}")
    with open(output, "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")


def main():
    font_path, texts_path, output, copyright_path, licence = sys.argv[1:6]
    write_licence(copyright_path, licence)
    with open(texts_path, encoding="utf-8") as texts:
        text = texts.read().replace("\n", "")

    options = subset.Options()
    options.flavor = "woff2"
    options.hinting = False
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    font = subset.load_font(font_path, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)

    missing = sorted({c for c in text if ord(c) not in font.getBestCmap()})
    if missing:
        sys.exit(f"the font has no glyph for {''.join(missing)!r}")

    names = font["name"]
    renamed = {1: FAMILY, 3: f"{POSTSCRIPT}: subset for tavri", 4: FAMILY,
               6: POSTSCRIPT, 16: FAMILY, 17: "Regular", 2: "Regular"}
    for record in names.names:
        if record.nameID in renamed:
            record.string = renamed[record.nameID]
    for record in names.names:
        if "IPA" in record.toUnicode() and record.nameID not in (0, 13, 14):
            sys.exit(f"name record {record.nameID} still says {record.toUnicode()!r}")

    # Every browser takes the same line height and baseline.
    os2, hhea = font["OS/2"], font["hhea"]
    os2.sTypoAscender, os2.sTypoDescender, os2.sTypoLineGap = hhea.ascent, hhea.descent, hhea.lineGap
    os2.version = max(os2.version, 4)  # the first to know the bit below
    os2.fsSelection |= 1 << 7  # USE_TYPO_METRICS

    subset.save_font(font, output, options)


if __name__ == "__main__":
    main()
