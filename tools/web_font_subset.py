#!/usr/bin/env python3
"""Writes the page's font: the face the dialog was laid out in (AR PL UMing
CN, from Debian's fonts-arphic-uming, whose licence allows it) cut down to the
characters the program can show, as WOFF2, for browsers on systems without it.
  web_font_subset.py LATIN.woff2 CJK.woff2 SOURCE-FILE...
The characters are printable ASCII, the separators and signs a number format
may use, and every other character in the given source files (the program's
texts in each language). Anything else, such as a pasted accented letter, is
drawn from the system's fonts, as a browser does for any character a font
lacks. They are cut in two at U+2E80, where the Chinese scripts begin: the
page names each part with its range, and a browser fetches only the part its
text needs, so the page in English fetches no Chinese. With no fontTools or
no UMing, it says so and writes nothing: the page then uses the system's fonts."""
import logging
import subprocess
import sys

# Where the Chinese scripts begin (CJK radicals); the page's two @font-face rules split there too.
CJK_START = 0x2E80


def font_file():
    try:
        found = subprocess.run(["fc-match", "-f", "%{file}", "AR PL UMing CN"], capture_output=True, text=True, check=False).stdout
    except OSError:
        found = ""
    return found if found.endswith("uming.ttc") else "/usr/share/fonts/truetype/arphic/uming.ttc"


def main(argv):
    if len(argv) < 4:
        sys.exit(__doc__)
    try:
        from fontTools import subset
        from fontTools.ttLib import TTCollection
    except ImportError:
        print("note: no fontTools (Debian package fonttools): the page has no font of its own")
        return 0
    path = font_file()
    try:
        faces = TTCollection(path).fonts
    except OSError:
        print(f"note: no {path} (Debian package fonts-arphic-uming): the page has no font of its own")
        return 0
    number = next((i for i, face in enumerate(faces) if face["name"].getDebugName(1) == "AR PL UMing CN"), 0)
    characters = {chr(c) for c in range(0x20, 0x7F)} | set("\u00a0\u2009\u202f\u2019\u2212\u2026")
    for source in argv[3:]:
        with open(source, encoding="utf-8") as text:
            characters |= {c for c in text.read() if ord(c) >= 0x80}
    logging.getLogger("fontTools").setLevel(logging.ERROR)  # the tables it drops are the bitmap editor's own
    options = subset.Options()
    options.flavor = "woff2"
    options.font_number = number
    options.layout_features = ["*"]
    for output, part in ((argv[1], {c for c in characters if ord(c) < CJK_START}), (argv[2], {c for c in characters if ord(c) >= CJK_START})):
        font = subset.load_font(path, options)
        subsetter = subset.Subsetter(options)
        subsetter.populate(text="".join(sorted(part)))
        subsetter.subset(font)
        subset.save_font(font, output, options)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
