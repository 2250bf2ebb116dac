#!/usr/bin/env python3
"""Whether two screenshots of the dialog show the same picture: the same size,
and at most a share of pixels (text drawn by another rasteriser) differing by
more than a little.
  same_picture.py FIRST.png SECOND.png [MOST-DIFFERING-SHARE]   (default 0.01)"""
import sys

from PIL import Image, ImageChops


def main(argv):
    if len(argv) not in (3, 4):
        sys.exit(__doc__)
    first = Image.open(argv[1]).convert("RGB")
    second = Image.open(argv[2]).convert("RGB")
    most = float(argv[3]) if len(argv) == 4 else 0.01
    if first.size != second.size:
        print(f"FAILED: the pictures are {first.size[0]} x {first.size[1]} and {second.size[0]} x {second.size[1]}")
        return 1
    difference = ImageChops.difference(first, second).convert("L")
    differing = sum(1 for level in difference.getdata() if level > 48)
    share = differing / (first.size[0] * first.size[1])
    verdict = "ok" if share <= most else "FAILED"
    print(f"{verdict}: {first.size[0]} x {first.size[1]}, {differing} pixels differ ({share:.2%}; at most {most:.0%})")
    return 0 if share <= most else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
