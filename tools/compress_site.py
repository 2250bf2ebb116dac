#!/usr/bin/env python3
"""Writes FILE.gz and FILE.br beside each file of the page's folder, for a
static server that sends a file's compressed copy to a browser that takes it
(the page's README names one). A copy no smaller than its file is not kept.
  compress_site.py SITE-FOLDER
Without Python's brotli module (Debian package python3-brotli) only the .gz
copies are written."""
import gzip
import os
import sys


def main(argv):
    if len(argv) != 2:
        sys.exit(__doc__)
    try:
        import brotli
    except ImportError:
        brotli = None
        print("note: no brotli module (python3-brotli): only gzip copies of the page's files")
    folder = argv[1]
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        if name.endswith((".gz", ".br")) or not os.path.isfile(path):
            continue
        with open(path, "rb") as f:
            body = f.read()
        copies = {".gz": gzip.compress(body, 9, mtime=0)}
        if brotli is not None:
            copies[".br"] = brotli.compress(body, quality=11)
        for suffix, packed in copies.items():
            if len(packed) < len(body):
                with open(path + suffix, "wb") as f:
                    f.write(packed)
            elif os.path.exists(path + suffix):
                os.remove(path + suffix)
    # The copies of files the folder no longer has.
    for name in os.listdir(folder):
        if name.endswith((".gz", ".br")) and not os.path.exists(os.path.join(folder, name[:-3])):
            os.remove(os.path.join(folder, name))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
